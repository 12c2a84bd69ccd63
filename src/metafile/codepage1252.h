#pragma once
// Metafile text is single-byte Windows-1252 ("£", curly quotes and the euro
// among 0x80-0x9F). The metafile library stands on Qt alone, so it keeps its
// own table rather than borrowing the toolkit's.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace metafile::cp1252 {
QString decode(QByteArrayView bytes);
// Characters the code page cannot hold become "?".
QByteArray encode(QStringView text);
} // namespace metafile::cp1252
