#pragma once
// A Windows metafile read into memory: the picture's frame and the list of
// commands that draw it. Reading never trusts the file: every count is checked
// against the bytes really there before anything is allocated from it, and a
// record that lies about itself ends the picture there, keeping what came
// before it.
//
//   std::optional<Metafile> parse(bytes, &error)  the file's bytes
//   bool load(path, metafile, &error)             the same, from disk
//
// Both refuse a file that is not a metafile, or that is damaged before it
// draws anything; load also refuses what is not a regular file, or is larger
// than any page could be, before reading a byte of it. A damaged file that
// did draw something is returned with stoppedBecause saying where and why it
// ended early (and *error says it too).
#include "commands.h"

#include <QByteArrayView>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

namespace metafile {

// Bounds on what one file may cost, so a small hostile file can neither
// exhaust memory nor hold the window up.
namespace limits {
inline constexpr int Records = 1'000'000;
inline constexpr int SavedStates = 1000;
inline constexpr qint64 PixelsPerBitmap = 64LL * 1024 * 1024;
// RLE and one-bit pictures expand far beyond their bytes; this caps them all.
inline constexpr qint64 PixelsPerFile = 128LL * 1024 * 1024;
inline constexpr int ObjectSlots = 65535;
// Drawing stops after this long, keeping what is on the page: a million
// records, each filling the page, would otherwise hold the window for minutes.
inline constexpr int DrawMilliseconds = 5000;
} // namespace limits

inline constexpr int TwipsPerInch = 1440;

// One line of a page's words, and the band of the page it takes up, top to
// bottom in the picture's frame units.
struct ReadingLine {
    QString text;
    double top = 0;
    double bottom = 0;
};

struct Metafile {
    // The bounding box in the picture's own units: from the placeable header,
    // or, when there is none (or it is empty), from the first window the
    // records set.
    QRectF frame;
    int unitsPerInch = TwipsPerInch;
    bool placeable = false;
    std::vector<Command> commands;
    // Empty when the file was read to its end record.
    QString stoppedBecause;
    qint64 stoppedAt = -1; // byte offset of the record that ended it

    // The picture at its own size: 1440 twips an inch.
    QSizeF sizeInTwips() const;
    bool isComplete() const { return stoppedBecause.isEmpty(); }
    bool marksThePage() const;
    // The records that leave something to read or look at: text that is not
    // all blanks, a picture, a line or an outline drawn with a pen. Fills
    // without an outline are the page's paper, boxes and rules; a page of
    // nothing else (one cut off before its first word, say) shows a reader
    // nothing, however much colour it puts down.
    int visibleMarks() const;
    // The page's words in the order they are drawn, a line break wherever a
    // run starts on another line: what a screen reader reads out.
    QString readingText() const;
    // The same words line by line, each with where it lies on the page.
    std::vector<ReadingLine> readingLines() const;
};

std::optional<Metafile> parse(QByteArrayView bytes, QString* error = nullptr);
bool load(const QString& path, Metafile& out, QString* error = nullptr);

} // namespace metafile
