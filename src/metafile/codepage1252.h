#pragma once
// Metafile text is single-byte Windows-1252 ("£", curly quotes and the euro
// among 0x80-0x9F). The metafile library stands on Qt alone, so the
// program's one table is kept here, and the toolkit's question and catalogue
// files borrow it.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace metafile::cp1252 {
QString decode(QByteArrayView bytes);
// Characters the code page cannot hold become "?".
QByteArray encode(QStringView text);
} // namespace metafile::cp1252
