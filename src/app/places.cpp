#include "places.h"

#include "worksheet_folder.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

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
    // Read by the start-up itself; named here so that it is accepted and
    // listed in --help.
    parser.addOption(QCommandLineOption(
        QStringLiteral("scale"),
        QStringLiteral("Draw every screen FACTOR times larger (e.g. 1.5), or as large as the "
                       "display allows (auto), for a whiteboard."),
        QStringLiteral("FACTOR")));
    parser.process(arguments);
    return {parser.value(worksheets)};
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

} // namespace places
