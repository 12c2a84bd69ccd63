#include "places.h"

#include "catalogue_repair.h"
#include "pdf_folder.h"
#include "print_surface.h"
#include "worksheet_folder.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>

namespace places {

namespace {
// A folder holds the material when it has the sounds, which every build
// makes and every install copies.
bool holdsMaterial(const QString& folder) {
    return QFileInfo(folder + QStringLiteral("/wav")).isDir();
}
} // namespace

Layout locate(const QString& programFolder) {
    if (holdsMaterial(programFolder))
        return {programFolder, false};
    const QString shared = QDir::cleanPath(programFolder + QStringLiteral("/../share/ostervale"));
    if (holdsMaterial(shared))
        return {shared, true};
    return {programFolder, false};
}

QString worksheetFolder(const QString& fromCommandLine, const QString& fromEnvironment,
                        const Layout& layout, const QString& userDataFolder) {
    for (const QString& named : {fromCommandLine, fromEnvironment}) {
        if (!named.isEmpty())
            return QDir::cleanPath(QDir::current().absoluteFilePath(named));
    }
    if (layout.installed)
        return userDataFolder.isEmpty() ? QString() : userDataFolder + QStringLiteral("/multiple");
    return worksheet_folder::folder(MaterialPaths(layout.material));
}

Options readOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Wartime history for pupils, with worksheets written by their teachers."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption worksheets(
        QStringLiteral("worksheets"),
        QStringLiteral("Keep teachers' worksheets in FOLDER, such as a shared school folder "
                       "(also set by %1).")
            .arg(QLatin1String(kWorksheetsVariable)),
        QStringLiteral("FOLDER"));
    parser.addOption(worksheets);
    const QCommandLineOption repair(
        QStringLiteral("repair-catalogue"),
        QStringLiteral("Rebuild a damaged worksheet catalogue (track.txt) from the worksheets in "
                       "the folder, keep the old one beside it under a dated name, and end."));
    parser.addOption(repair);
    // Read by the start-up itself; named here so that it is accepted and
    // listed in --help.
    parser.addOption(QCommandLineOption(
        QStringLiteral("scale"),
        QStringLiteral("Draw every screen FACTOR times larger (e.g. 1.5), or as large as the "
                       "display allows (auto), for a whiteboard."),
        QStringLiteral("FACTOR")));
    const QCommandLineOption printTo(
        QStringLiteral("print-to"),
        QStringLiteral("Send every printout to a new PDF file in FOLDER instead of the printer "
                       "(also set by %1).")
            .arg(QLatin1String(kPrintToVariable)),
        QStringLiteral("FOLDER"));
    parser.addOption(printTo);
    parser.process(arguments);
    return {.worksheets = parser.value(worksheets),
            .repairCatalogue = parser.isSet(repair),
            .printTo = parser.value(printTo)};
}

bool needsNoWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option :
             {"--repair-catalogue", "--help", "-h", "--help-all", "--version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

int repairCatalogue(const Options& options, const Layout& layout) {
    const QString folder =
        worksheetFolder(options.worksheets, qEnvironmentVariable(kWorksheetsVariable), layout,
                        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const auto say = [](FILE* to, const QString& text) {
        std::fputs(qPrintable(text + u'\n'), to);
    };
    if (folder.isEmpty()) {
        say(stderr, QStringLiteral("ostervale: no worksheet folder is known here; name one with "
                                   "--worksheets."));
        return 1;
    }
    const catalogue_repair::Report report =
        catalogue_repair::repair(folder, QDateTime::currentDateTime());
    if (!report.done) {
        say(stderr, QStringLiteral("ostervale: the catalogue was not repaired. ") + report.problem);
        return 1;
    }
    if (!report.keptAs.isEmpty())
        say(stdout, QStringLiteral("The old list is kept as %1.")
                        .arg(QDir::toNativeSeparators(report.keptAs)));
    const qsizetype n = report.titles.size();
    say(stdout, QStringLiteral("The new list in %1 names %2%3")
                    .arg(QDir::toNativeSeparators(worksheet_folder::catalogueFile(folder)),
                         n == 0   ? QStringLiteral("no worksheets")
                         : n == 1 ? QStringLiteral("1 worksheet")
                                  : QStringLiteral("%1 worksheets").arg(n),
                         n == 0 ? QStringLiteral(".") : QStringLiteral(":")));
    for (const QString& title : report.titles)
        say(stdout, QStringLiteral("  ") + title);
    for (const QString& name : report.leftOut)
        say(stdout, QStringLiteral("Not listed (it cannot be read as a worksheet, or the list "
                                   "is full): ") +
                        name);
    return 0;
}

QString placeWorksheets(Program& program, const Options& options, const Layout& layout) {
    WorksheetPlace& place = program.state<WorksheetPlace>();
    place.folder =
        worksheetFolder(options.worksheets, qEnvironmentVariable(kWorksheetsVariable), layout,
                        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (place.folder.isEmpty())
        place.refusal = worksheet_folder::refusalMessage(
            QStringLiteral("for your own data"), QStringLiteral("no such folder is known here."));
    else if (const QString reason = worksheet_folder::prepare(place.folder); !reason.isEmpty())
        place.refusal = worksheet_folder::refusalMessage(place.folder, reason);
    return place.refusal;
}

QString printFolder(const QString& fromCommandLine, const QString& fromEnvironment) {
    QString named = fromCommandLine.isEmpty() ? fromEnvironment : fromCommandLine;
    if (named.isEmpty())
        return {};
    if (named == u'~' || named.startsWith(QStringLiteral("~/")))
        named.replace(0, 1, QDir::homePath());
    return QDir::cleanPath(QDir::current().absoluteFilePath(named));
}

QString placePrintouts(Program& program, const Options& options, std::function<QDateTime()> now) {
    const QString folder = printFolder(options.printTo, qEnvironmentVariable(kPrintToVariable));
    if (folder.isEmpty())
        return {};
    const QString reason = pdf_folder::problem(folder);
    program.state<Printing>().openPrinter =
        [folder, usable = reason.isEmpty(),
         now = std::move(now)](const PrintJob& job) -> std::unique_ptr<PrintSurface> {
        if (!usable)
            return nullptr;
        return pdf_folder::open(folder, job, now());
    };
    return reason.isEmpty() ? QString() : pdf_folder::refusalMessage(folder, reason);
}

} // namespace places
