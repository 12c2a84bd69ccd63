#include "bank.h"

#include <QRegularExpression>

namespace bank {

QString judgeMarks(const QList<double>& marks, int* right) {
    if (marks.size() > MostAnswers)
        return QStringLiteral("it has %1 answers; a worksheet takes four at most.")
            .arg(marks.size());
    if (marks.size() < FewestAnswers)
        return marks.isEmpty() ? QStringLiteral("it has no answers.")
                               : QStringLiteral("it has only one answer.");
    int rightOnes = 0;
    for (qsizetype i = 0; i < marks.size(); ++i) {
        if (qAbs(marks[i] - 100) < 1e-6) {
            ++rightOnes;
            *right = int(i);
        } else if (marks[i] > 0) {
            return QStringLiteral("it gives part marks for an answer, which a worksheet cannot.");
        }
    }
    if (rightOnes == 0)
        return QStringLiteral("it has no right answer.");
    if (rightOnes > 1)
        return QStringLiteral("it has %1 right answers; a worksheet question has one.")
            .arg(rightOnes);
    return {};
}

QString questionName(const QString& title, int index) {
    return title + u' ' + QString::number(index + 1).rightJustified(2, u'0');
}

QString categoryTitle(const QString& path) {
    // "//" stands for a "/" within a name; a single one parts the names.
    QStringList parts(QString{});
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (path[i] != u'/')
            parts.back() += path[i];
        else if (i + 1 < path.size() && path[i + 1] == u'/')
            parts.back() += path[++i];
        else
            parts.append(QString());
    }
    QStringList names;
    for (const QString& part : parts) {
        if (!part.trimmed().isEmpty())
            names.append(part.trimmed());
    }
    static const QRegularExpression context(QStringLiteral("^\\$[a-z]+\\$$"));
    if (!names.isEmpty() && context.match(names.front()).hasMatch())
        names.removeFirst();
    if (!names.isEmpty() && names.front() == QStringLiteral("top"))
        names.removeFirst();
    return names.isEmpty() ? QString() : names.back();
}

} // namespace bank
