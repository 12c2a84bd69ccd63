#pragma once
// The one door for bytes from files the program did not make this run: the
// question files, the catalogue, the reading pages and the pictures, and the
// check before a sound is handed to Qt. A file there may be anything a
// classroom machine can hold in its place: a named pipe that blocks for
// ever, a device that never ends, a link to a huge file.
// Only regular files come through, opened without waiting, and only when they
// are no larger than a file of their kind could reasonably be; anything else
// counts as missing, before a byte is read, so no read can hold the window.
#include <QByteArray>
#include <QString>
#include <optional>

namespace outside_file {

// Question files and the worksheet catalogue. The wizard writes under 3 KB
// and a full catalogue under 30 KB; hand-made files may run longer, but a
// megabyte is far beyond either and still reads in milliseconds.
constexpr qint64 FieldFileLimit = qint64(1) << 20;
// Question banks from Moodle or another quiz program (GIFT, Moodle XML),
// read to make worksheets. A bank of a thousand questions is well under a
// megabyte; one with embedded pictures can be larger, and is read only to be
// told which questions cannot be taken.
constexpr qint64 QuestionBankLimit = qint64(10) << 20;
// Reading pages and pictures. The largest page the program ships is a few
// megabytes with its pictures.
constexpr qint64 PageLimit = qint64(32) << 20;
constexpr qint64 PictureLimit = qint64(32) << 20;
// Sounds, which Qt reads itself from a path. The longest is a few seconds.
constexpr qint64 SoundLimit = qint64(32) << 20;

// The whole file, or nullopt when it is missing, not a regular file, larger
// than the limit, or cannot be read.
std::optional<QByteArray> read(const QString& path, qint64 limit);

// Whether the path (its links followed) names a regular file, asked without
// opening it.
bool isRegularFile(const QString& path);

// The same, and no larger than the limit: for sounds, which only Qt's own
// player can take, from a path rather than bytes. A file swapped in between
// the asking and Qt's opening slips through; the reader above leaves no such
// gap, so it is the door wherever bytes will do.
bool isRegularFileWithin(const QString& path, qint64 limit);

} // namespace outside_file
