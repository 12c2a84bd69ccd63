#include "worksheet_folder.h"

namespace worksheet_folder {

QString folder(const MaterialPaths& paths) {
    return paths.resolve(QStringLiteral("multiple"));
}

QString worksheetFile(const QString& folder, const QString& title) {
    return folder + u'/' + title + QStringLiteral(".txt");
}

QString catalogueFile(const QString& folder) {
    return folder + QStringLiteral("/track.txt");
}

} // namespace worksheet_folder
