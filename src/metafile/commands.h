#pragma once
// What a metafile asks to be drawn, as plain values. The reader has already
// resolved the object table: a command that selects a pen carries the pen
// itself, so the player never looks anything up and a damaged index can only
// ever have been dropped by the reader.
#include "gdi.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QSize>
#include <QString>
#include <optional>
#include <variant>

namespace metafile {

// Edges as the file gives them, in logical units; not yet normalised, since
// the player needs to know which way round a flipped window puts them.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

// The defaults are the device context's own: black hairline, white brush.
struct Pen {
    int style = gdi::pen::Solid;
    int width = 0;
    QColor colour = Qt::black;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    int style = gdi::brush::Solid;
    QColor colour = Qt::white;
    int hatch = 0;
    QImage pattern; // only for the pattern styles
    friend bool operator==(const Brush&, const Brush&) = default;
};

// Height below zero is the character (em) height, above zero the cell
// height, zero the default size.
struct Font {
    int height = 0;
    int width = 0;
    int escapement = 0; // tenths of a degree, anticlockwise
    int weight = gdi::weight::Normal;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 0;
    QString face;
    friend bool operator==(const Font&, const Font&) = default;
};

namespace cmd {
struct WindowOrg {
    QPoint at;
};
struct WindowExt {
    QSize size;
};
struct ViewportOrg {
    QPoint at;
};
struct ViewportExt {
    QSize size;
};
struct MapMode {
    int mode;
};
struct SelectPen {
    Pen pen;
};
struct SelectBrush {
    Brush brush;
};
struct SelectFont {
    Font font;
};
struct TextColour {
    QColor colour;
};
struct BkColour {
    QColor colour;
};
struct BkMode {
    int mode;
};
struct TextAlign {
    int align;
};
struct PolyFillMode {
    int mode;
};
struct SaveDC {};
// Negative: that many states back; positive: the n-th saved state.
struct RestoreDC {
    int which;
};
struct IntersectClip {
    Box box;
};
struct ExcludeClip {
    Box box;
};
struct MoveTo {
    QPoint at;
};
struct LineTo {
    QPoint at;
};
struct Polyline {
    QPolygon points;
};
struct Polygon {
    QPolygon points;
};
struct PolyPolygon {
    QList<QPolygon> polygons;
};
struct Rectangle {
    Box box;
};
struct RoundRect {
    Box box;
    QSize corner; // the corner ellipse's width and height
};
struct Ellipse {
    Box box;
};
enum class ArcKind { Arc, Pie, Chord };
struct Arc {
    ArcKind kind;
    Box box;
    QPoint start;
    QPoint end;
};
// TEXTOUT and EXTTEXTOUT alike; a plain TEXTOUT has no options, no box and
// no advances.
struct Text {
    QPoint at;
    QString text;
    int options = 0;
    std::optional<Box> box;
    QList<int> dx; // may be shorter than the text: the rest use the font's advances
};
// Source is in the image's own pixels, counted from its top row; a negative
// size on either side mirrors the picture, as GDI does.
struct Bitmap {
    QPoint destAt;
    QSize destSize;
    QPoint sourceAt;
    QSize sourceSize;
    QImage image;
};
} // namespace cmd

using Command =
    std::variant<cmd::WindowOrg, cmd::WindowExt, cmd::ViewportOrg, cmd::ViewportExt, cmd::MapMode,
                 cmd::SelectPen, cmd::SelectBrush, cmd::SelectFont, cmd::TextColour, cmd::BkColour,
                 cmd::BkMode, cmd::TextAlign, cmd::PolyFillMode, cmd::SaveDC, cmd::RestoreDC,
                 cmd::IntersectClip, cmd::ExcludeClip, cmd::MoveTo, cmd::LineTo, cmd::Polyline,
                 cmd::Polygon, cmd::PolyPolygon, cmd::Rectangle, cmd::RoundRect, cmd::Ellipse,
                 cmd::Arc, cmd::Text, cmd::Bitmap>;

// Whether a command puts ink on the page (rather than only changing state).
bool marksThePage(const Command& command);

} // namespace metafile
