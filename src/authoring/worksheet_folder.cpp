#include "worksheet_folder.h"

#include "catalogue_file.h"
#include "program.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace worksheet_folder {

QString folder(const MaterialPaths& paths) {
    return paths.resolve(QStringLiteral("multiple"));
}

QString folder(Program& program) {
    const WorksheetPlace& place = program.state<WorksheetPlace>();
    return place.folder.isEmpty() ? folder(program.paths()) : place.folder;
}

QString refusal(Program& program) {
    return program.state<WorksheetPlace>().refusal;
}

QString prepare(const QString& folder) {
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return QStringLiteral("it is a file, not a folder.");
    if (!QDir().mkpath(folder))
        return QStringLiteral("the folder cannot be made.");
    // Permissions alone do not tell (a read-only mount, an access list, a
    // full disk), so the folder is asked to take a file.
    QTemporaryFile probe(folder + QStringLiteral("/.ostervale-XXXXXX"));
    if (!probe.open())
        return QStringLiteral("no file can be written there.");
    probe.close();
    if (QFileInfo::exists(catalogueFile(folder)))
        return {};
    // Two copies starting at once on a shared folder both find the catalogue
    // missing; the lock lets only the first make it, so no title saved by
    // the other in between is wiped out.
    const catalogue_file::Lock lock(folder);
    if (!lock.held())
        return QStringLiteral("its catalogue is locked.");
    if (!QFileInfo::exists(catalogueFile(folder)) && !catalogue_file::write(folder, {}))
        return QStringLiteral("its catalogue cannot be written.");
    return {};
}

QString refusalMessage(const QString& folder, const QString& reason) {
    return QStringLiteral("Worksheets cannot be saved in the folder ") +
           QDir::toNativeSeparators(folder) + QStringLiteral(": ") + reason +
           QStringLiteral("\n\nWorksheets can be run but not saved, changed or deleted. To save "
                          "them, start Ostervale with --worksheets and a folder you can write "
                          "to.");
}

QString worksheetFile(const QString& folder, const QString& title) {
    return folder + u'/' + title + QStringLiteral(".txt");
}

QString catalogueFile(const QString& folder) {
    return folder + QStringLiteral("/track.txt");
}

} // namespace worksheet_folder
