#pragma once
// Device-independent bitmaps as metafiles carry them: the info header (or the
// older core header), a colour table, then rows of 1, 4, 8, 16, 24 or 32-bit
// pixels, plain, bit-field or run-length coded. The picture comes back as a
// top-down QImage, whichever way the file stored its rows.
#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace metafile::dib {

enum class Outcome {
    Decoded,
    // Well formed but drawn in a way we do not support (palette indices,
    // embedded JPEG or PNG): the record is skipped, the picture goes on.
    Unsupported,
    // The bitmap lies about itself, or would cost more than the file may.
    Damaged,
};

struct Result {
    Outcome outcome = Outcome::Damaged;
    QImage image;
    bool bottomUp = true; // as the file stored it; source rectangles count from its origin
    QString why;          // for anything but Decoded
};

// pixelBudget is what the whole file may still decode; a decoded bitmap
// takes its pixels from it.
Result decode(QByteArrayView bytes, int colourUsage, qint64& pixelBudget);

} // namespace metafile::dib
