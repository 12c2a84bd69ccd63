#pragma once
#include "palette.h"

#include <QByteArray>
#include <QImage>

namespace material {

// GIF's variable-width LZW: codes start one bit wider than `minCodeSize`,
// grow to at most 12 bits, and the table starts over when all 4096 codes
// are taken. Returns the packed code stream, before it is cut into blocks.
QByteArray lzwCompress(const QByteArray& indices, int minCodeSize);

// A single-image GIF89a file: global colour table, no interlacing, no
// extensions, so every reader, old or new, shows it the same way.
QByteArray encodeGif(const IndexedImage& image);
QByteArray encodeGif(const QImage& image);

} // namespace material
