#include "output.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace material {

namespace {

bool sameBytes(const QString& path, const QByteArray& bytes) {
    QFile existing(path);
    if (existing.size() != bytes.size() || !existing.open(QIODevice::ReadOnly))
        return false;
    return existing.readAll() == bytes;
}

WriteResult writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create the folder for ") + path;
        return WriteResult::Failed;
    }
    // QSaveFile renames into place, so an interrupted build never leaves a
    // half-written picture behind for the program to stumble over.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("cannot write ") + path + QStringLiteral(": ") + file.errorString();
        return WriteResult::Failed;
    }
    return WriteResult::Written;
}

} // namespace

WriteResult writeIfChanged(const QString& path, const QByteArray& bytes, QString* error) {
    if (sameBytes(path, bytes))
        return WriteResult::Unchanged;
    return writeFile(path, bytes, error);
}

WriteResult writeIfMissing(const QString& path, const QByteArray& bytes, QString* error) {
    if (QFileInfo::exists(path))
        return WriteResult::Unchanged;
    return writeFile(path, bytes, error);
}

} // namespace material
