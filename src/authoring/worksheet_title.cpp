#include "worksheet_title.h"

#include "codepage.h"

#include <QStringList>

namespace worksheet_title {
namespace {
const QString kChange = QStringLiteral(" Please change the title and save again.");

bool fitsTheCodePage(const QString& text) {
    return codepage::decode1252(codepage::encode1252(text)) == text;
}

bool isReservedName(const QString& title) {
    // Windows keeps these names for devices, with or without an extension.
    const QString stem = title.section(u'.', 0, 0).toUpper();
    static const QStringList fixed = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                      QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (fixed.contains(stem))
        return true;
    return stem.size() == 4 &&
           (stem.startsWith(QStringLiteral("COM")) || stem.startsWith(QStringLiteral("LPT"))) &&
           stem[3] >= u'1' && stem[3] <= u'9';
}

QString forbiddenCharacter(const QString& title) {
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : title) {
        if (forbidden.contains(c))
            return QString(c);
        if (c.unicode() < 32 || c.unicode() == 127)
            return QStringLiteral("a control character");
    }
    return {};
}
} // namespace

QString problem(const QString& title) {
    if (title.isEmpty())
        return QStringLiteral("You have not chosen a title for your worksheet");
    if (title.contains(u','))
        return QStringLiteral("A worksheet title cannot contain a comma.") + kChange;
    if (title.startsWith(u'"'))
        return QStringLiteral("A worksheet title cannot begin with a double quote (\").") + kChange;
    if (title.front().isSpace() || title.back().isSpace())
        return QStringLiteral("A worksheet title cannot begin or end with a space.") + kChange;
    if (const QString c = forbiddenCharacter(title); !c.isEmpty())
        return QStringLiteral("A worksheet title cannot contain ") +
               (c.size() == 1 ? u'"' + c + u'"' : c) +
               QStringLiteral(", because it is not allowed in a file name.") + kChange;
    if (title.endsWith(u'.'))
        return QStringLiteral("A worksheet title cannot end with a full stop.") + kChange;
    if (isReservedName(title) || title.compare(QStringLiteral("track"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("\"") + title +
               QStringLiteral("\" is a name the computer keeps for itself.") + kChange;
    for (const char* topic : {"Rationing", "The Progress of the War"}) {
        if (title.compare(QString::fromUtf8(topic), Qt::CaseInsensitive) == 0)
            return QStringLiteral("\"") + title +
                   QStringLiteral("\" is the title of one of Ostervale's own quizzes.") + kChange;
    }
    if (!fitsTheCodePage(title))
        return QStringLiteral("The title holds a character that a worksheet file cannot keep.") +
               kChange;
    return {};
}

QString textProblem(const QString& text, const QString& where) {
    if (fitsTheCodePage(text))
        return {};
    return QStringLiteral("The text of ") + where +
           QStringLiteral(" holds a character that a worksheet file cannot keep. Please change "
                          "it and save again.");
}

} // namespace worksheet_title
