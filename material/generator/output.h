#pragma once
#include <QByteArray>
#include <QString>

namespace material {

enum class WriteResult { Written, Unchanged, Failed };

// Writes only when the bytes differ from what is already there, so a rebuild
// leaves unchanged files (and their modification times) alone.
WriteResult writeIfChanged(const QString& path, const QByteArray& bytes, QString* error);

// Writes only when nothing exists at the path yet: for files that users go
// on to fill in, which a rebuild must never reset.
WriteResult writeIfMissing(const QString& path, const QByteArray& bytes, QString* error);

} // namespace material
