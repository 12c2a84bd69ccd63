#pragma once
#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

namespace material {

// One row of pictures/pictures.txt: which drawing becomes which picture file.
struct PictureRow {
    QString svg;    // relative to the pictures folder
    QString output; // relative to the output folder, e.g. "Images/x.jpg"
    QSize size;
    int line = 0;
};

struct PictureManifest {
    QList<PictureRow> rows;
    QStringList errors;
};

// Rows are "<svg> <output> <width> <height>", blank lines and lines starting
// with '#' are ignored. A name holding blanks is written in double quotes.
PictureManifest parsePictureManifest(const QString& text);

struct RenderedPicture {
    QByteArray jpeg;
    QString error;
};

inline constexpr int kJpegQuality = 90;

// Draws the SVG at exactly the given pixel size and encodes it as a baseline
// JPEG. Anything the SVG renderer complains about counts as an error, and so
// do lettering, embedded images, clipping, masks, filters and patterns: a
// drawing that renders differently from what its author saw, or differently
// on another machine, must not slip into the program unnoticed.
RenderedPicture renderPicture(const QByteArray& svg, QSize size);

} // namespace material
