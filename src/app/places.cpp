#include "places.h"

#include "catalogue_repair.h"
#include "engine_speaker.h"
#include "exchange_commands.h"
#include "pdf_folder.h"
#include "print_surface.h"
#include "worksheet_folder.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace places {

namespace {
// A folder holds the material when it has the sounds, which every build
// makes and every install copies.
bool holdsMaterial(const QString& folder) {
    return QFileInfo(folder + QStringLiteral("/wav")).isDir();
}

bool exports(const Options& options) {
    return !options.exportTitles.isEmpty() || options.exportAll;
}

// Options that belong together and were given apart, or options for two
// commands at once; empty when the command line makes sense.
QString mistakeIn(const Options& options, bool to, bool title) {
    const int commands =
        int(options.repairCatalogue) + int(!options.importFile.isEmpty()) + int(exports(options));
    if (commands > 1 || (!options.exportTitles.isEmpty() && options.exportAll))
        return QStringLiteral("--repair-catalogue, --import, --export and --export-all are done "
                              "one at a time.");
    if (exports(options) && options.exportTo.isEmpty())
        return QStringLiteral("--export and --export-all need --to FILE.");
    if (to && !exports(options))
        return QStringLiteral("--to goes with --export or --export-all.");
    if (title && options.importFile.isEmpty())
        return QStringLiteral("--title goes with --import.");
    return {};
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
    const QCommandLineOption exportTitles(
        QStringLiteral("export"),
        QStringLiteral("Write the worksheet TITLE, and any more titles given after it, to the "
                       "file named by --to, for Moodle, and end."),
        QStringLiteral("TITLE"));
    parser.addOption(exportTitles);
    const QCommandLineOption exportAll(
        QStringLiteral("export-all"),
        QStringLiteral("Write every worksheet in the catalogue to the file named by --to, for "
                       "Moodle, and end."));
    parser.addOption(exportAll);
    const QCommandLineOption exportTo(
        QStringLiteral("to"),
        QStringLiteral("The file --export and --export-all write: GIFT for a name ending in .gift "
                       "or .txt, Moodle XML for one ending in .xml."),
        QStringLiteral("FILE"));
    parser.addOption(exportTo);
    const QCommandLineOption importFile(
        QStringLiteral("import"),
        QStringLiteral("Make worksheets of the multiple-choice questions in FILE (GIFT or Moodle "
                       "XML), ten to a worksheet, say which questions could not be taken and "
                       "why, and end."),
        QStringLiteral("FILE"));
    parser.addOption(importFile);
    const QCommandLineOption importTitle(
        QStringLiteral("title"),
        QStringLiteral("With --import: title the worksheets TITLE, TITLE 2, ... rather than after "
                       "the file's categories."),
        QStringLiteral("TITLE"));
    parser.addOption(importTitle);
    parser.addPositionalArgument(QStringLiteral("TITLE"),
                                 QStringLiteral("With --export: more worksheets to write."),
                                 QStringLiteral("[TITLE...]"));
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
    const QCommandLineOption voice(
        QStringLiteral("voice"),
        QStringLiteral("Read aloud in the voice NAME rather than the system's default; \"list\" "
                       "lists the voices there are, and ends."),
        QStringLiteral("NAME"));
    parser.addOption(voice);
    const QCommandLineOption rate(
        QStringLiteral("rate"),
        QStringLiteral("Read aloud at RATE, from -1 (slowest) to 1 (fastest); -0.1 unless given."),
        QStringLiteral("RATE"));
    parser.addOption(rate);
    parser.process(arguments);
    Options options;
    options.worksheets = parser.value(worksheets);
    options.repairCatalogue = parser.isSet(repair);
    if (parser.isSet(exportTitles))
        options.exportTitles = parser.values(exportTitles) + parser.positionalArguments();
    options.exportAll = parser.isSet(exportAll);
    options.exportTo = parser.value(exportTo);
    options.importFile = parser.value(importFile);
    options.importTitle = parser.value(importTitle);
    options.printTo = parser.value(printTo);
    options.voice = parser.value(voice);
    if (parser.isSet(rate)) {
        bool number = false;
        const double value = parser.value(rate).toDouble(&number);
        if (!number || !(value >= -1 && value <= 1)) {
            std::fputs("ostervale: --rate takes a number from -1 to 1, e.g. --rate -0.3\n", stderr);
            std::exit(1);
        }
        options.rate = value;
    }
    if (const QString mistake =
            mistakeIn(options, parser.isSet(exportTo), parser.isSet(importTitle));
        !mistake.isEmpty()) {
        std::fputs(qPrintable(QStringLiteral("ostervale: ") + mistake + u'\n'), stderr);
        std::exit(1);
    }
    return options;
}

bool needsNoWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--repair-catalogue", "--export-all", "--help", "-h",
                                   "--help-all", "--version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
        // With their values, either as the next argument or after "=". --to
        // and --title go with the commands: given alone, the mistake is said
        // without a window.
        for (const char* option : {"--import", "--export", "--to", "--title"}) {
            const std::size_t n = std::strlen(option);
            if (std::strncmp(argv[i], option, n) == 0 && (argv[i][n] == '\0' || argv[i][n] == '='))
                return true;
        }
        if (std::strcmp(argv[i], "--voice=list") == 0 ||
            (std::strcmp(argv[i], "--voice") == 0 && i + 1 < argc &&
             std::strcmp(argv[i + 1], "list") == 0))
            return true;
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

int runWithoutWindow(const Options& options, const Layout& layout) {
    if (options.voice == QStringLiteral("list"))
        return speech::listVoices(stdout, stderr);
    if (!options.importFile.isEmpty() || exports(options)) {
        const QString folder =
            worksheetFolder(options.worksheets, qEnvironmentVariable(kWorksheetsVariable), layout,
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        if (folder.isEmpty()) {
            std::fputs("ostervale: no worksheet folder is known here; name one with "
                       "--worksheets.\n",
                       stderr);
            return 1;
        }
        if (!options.importFile.isEmpty())
            return exchange_commands::importWorksheets(folder, options.importFile,
                                                       options.importTitle);
        return exchange_commands::exportWorksheets(folder, options.exportTitles, options.exportAll,
                                                   options.exportTo);
    }
    return repairCatalogue(options, layout);
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
