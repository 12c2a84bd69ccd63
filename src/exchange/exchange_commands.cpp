#include "exchange_commands.h"

#include "worksheet_export.h"
#include "worksheet_import.h"

#include <QDir>
#include <cstdio>

namespace exchange_commands {
namespace {

void printLine(FILE* to, const QString& text) {
    std::fputs(qPrintable(text + u'\n'), to);
}

int fail(const QString& text) {
    printLine(stderr, QStringLiteral("ostervale: ") + text);
    return 1;
}

QString counted(qsizetype n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QString numbers(const QList<int>& list) {
    QStringList words;
    for (const int n : list)
        words.append(QString::number(n));
    return words.join(QStringLiteral(", "));
}

QString shortened(const QString& label) {
    constexpr int kShown = 40;
    return label.size() <= kShown ? label : label.left(kShown - 3) + QStringLiteral("...");
}

} // namespace

int exportWorksheets(const QString& folder, const QStringList& titles, bool all,
                     const QString& to) {
    const worksheet_export::Report report =
        worksheet_export::exportWorksheets(folder, titles, all, to);
    if (!report.problem.isEmpty())
        return fail(QStringLiteral("nothing was exported. ") + report.problem);
    printLine(stdout, QStringLiteral("Wrote %1 to %2:")
                          .arg(counted(report.titles.size(), "worksheet", "worksheets"),
                               QDir::toNativeSeparators(to)));
    for (const QString& title : report.titles)
        printLine(stdout, QStringLiteral("  ") + title);
    return 0;
}

int importWorksheets(const QString& folder, const QString& file, const QString& title) {
    using worksheet_import::Report;
    const Report report = worksheet_import::importFile(folder, file, title);
    if (!report.problem.isEmpty())
        return fail(QStringLiteral("nothing was imported. ") + report.problem);
    printLine(stdout, QStringLiteral("Read %1 from %2.")
                          .arg(counted(report.questions, "question", "questions"),
                               QDir::toNativeSeparators(file)));
    printLine(stdout, QStringLiteral("Worksheets made: %1").arg(report.made.size()));
    for (const QString& made : report.made)
        printLine(stdout, QStringLiteral("  ") + made);
    if (!report.notSaved.isEmpty()) {
        printLine(stdout, QStringLiteral("Worksheets not saved: %1").arg(report.notSaved.size()));
        for (const worksheet_import::NotSaved& n : report.notSaved)
            printLine(stdout, QStringLiteral("  %1: %2").arg(n.title, n.why));
    }
    if (!report.skipped.isEmpty()) {
        printLine(stdout, QStringLiteral("Questions skipped: %1").arg(report.skipped.size()));
        for (const worksheet_import::Skipped& s : report.skipped)
            printLine(stdout, QStringLiteral("  Question %1 (\"%2\"): %3")
                                  .arg(s.number)
                                  .arg(shortened(s.label), s.why.left(1).toUpper() + s.why.mid(1)));
    }
    if (!report.filled.isEmpty())
        printLine(stdout, QStringLiteral("Given \"%1\" for the answers they lack: questions %2")
                              .arg(worksheet_import::kNoAnswer, numbers(report.filled)));
    for (const Report::LeftOver& left : report.leftOver)
        printLine(stdout, QStringLiteral("Left over, too few to make the worksheet \"%1\": "
                                         "questions %2")
                              .arg(left.title, numbers(left.numbers)));
    if (!report.notSaved.isEmpty())
        return fail(counted(report.notSaved.size(), "worksheet was", "worksheets were") +
                    QStringLiteral(" not saved; see above."));
    if (report.made.isEmpty())
        return fail(QStringLiteral("no worksheet was made: the file does not hold ten questions "
                                   "a worksheet can take under one title."));
    return 0;
}

} // namespace exchange_commands
