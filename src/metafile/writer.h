#pragma once
// Builds a placeable Windows metafile in memory, for the program's own
// reading pages and for crafting test pictures. Text goes in as text records
// in Windows-1252 (never as outlines), so any metafile reader shows it as
// text. Coordinates are 16-bit in the file: values beyond are clamped.
//
//   MetafileWriter w;
//   w.begin(2880, 1440);            // two inches by one, in twips
//   const int pen = w.createPen({gdi::pen::Solid, 15, Qt::red});
//   w.selectObject(pen);
//   w.rectangle({100, 100, 2780, 1340});
//   QByteArray bytes = w.finish();
#include "commands.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <optional>
#include <set>

namespace metafile {

class MetafileWriter {
public:
    // Frames the picture as (0, 0, width, height) in its own units, and sets
    // the window to match, so readers without the placeable header agree.
    void begin(int width, int height, int unitsPerInch = 1440);

    void setWindowOrg(int x, int y);
    void setWindowExt(int width, int height);
    void setViewportOrg(int x, int y);
    void setViewportExt(int width, int height);
    void setMapMode(int mode);

    // Each returns the object table slot it took: the lowest free one.
    int createPen(const Pen& pen);
    int createBrush(const Brush& brush);
    int createFont(const Font& font);
    // A palette is never drawn, but takes a slot like any other object.
    int createPalette(const QList<QColor>& colours);
    void selectObject(int slot);
    void deleteObject(int slot);

    void setTextColor(const QColor& colour);
    void setBkColor(const QColor& colour);
    void setBkMode(int mode);
    void setTextAlign(int align);
    void setPolyFillMode(int mode);

    void textOut(int x, int y, const QString& text);
    // dx, when given, is the advance of each character in logical units.
    // The box is written only with ETO_OPAQUE or ETO_CLIPPED, the only
    // times a reader looks for one.
    void extTextOut(int x, int y, const QString& text, int options = 0,
                    const std::optional<Box>& box = std::nullopt, const QList<int>& dx = {});

    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void rectangle(const Box& box);
    void roundRect(const Box& box, int cornerWidth, int cornerHeight);
    void ellipse(const Box& box);
    void polygon(const QPolygon& points);
    void polyline(const QPolygon& points);

    // The picture scaled into dest (logical units), as 24-bit or 8-bit
    // (palette) BI_RGB rows; an 8-bit picture with more than 256 colours is
    // reduced to 256.
    void stretchDib(const QRect& dest, const QImage& image, int bitsPerPixel = 24);

    void saveDC();
    void restoreDC(int which = -1);
    void intersectClipRect(const Box& box);
    void excludeClipRect(const Box& box);

    // Any record as it is, for records this class has no call for (and for
    // tests that need a record no writer should produce). Slots taken by
    // objects written this way are the caller's business.
    void record(quint16 function, const QByteArray& params);

    // The whole file: headers with sizes, largest record, object count and
    // checksum filled in, then the records and the end record.
    QByteArray finish();

private:
    int takeSlot();

    QByteArray records_;
    QRect frame_;
    int unitsPerInch_ = 1440;
    quint32 largestRecord_ = 3;
    int slotsUsed_ = 0;
    std::set<int> freeSlots_;
};

// The bytes of a DIB (header, colour table, rows) for the given picture,
// bottom row first; the writer's bitmaps and the tests' share it.
QByteArray encodeDib(const QImage& image, int bitsPerPixel);

} // namespace metafile
