#pragma once
// Shared by the metafile tests: drawing a picture into a small image and
// looking at chosen pixels, and writing bytes by hand where a test needs a
// record or bitmap the writer would never produce.
#include "gdi.h"
#include "metafile.h"
#include "player.h"
#include "writer.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <QtEndian>

namespace picture_check {

using namespace metafile;

// The picture on white, its frame filling the image unless a target is given,
// drawn by a painter moved by the given shift.
inline QImage render(const Metafile& picture, QSize size = {100, 100}, QRectF target = {},
                     QPointF shift = {}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(shift);
    draw(picture, painter, target.isNull() ? QRectF(image.rect()) : target);
    return image;
}

// Antialiased edges and smooth scaling blur a little; the tests look at
// pixels well inside what they check, so a small tolerance is all it takes.
inline bool near(QRgb actual, const QColor& expected, int tolerance = 24) {
    return std::abs(qRed(actual) - expected.red()) <= tolerance &&
           std::abs(qGreen(actual) - expected.green()) <= tolerance &&
           std::abs(qBlue(actual) - expected.blue()) <= tolerance;
}

#define EXPECT_PIXEL(image, point, colour)                                                         \
    QVERIFY(picture_check::near((image).pixel(point), colour))

// A writer framed 1000 by 1000 units (100 by 100 pixels when rendered), with
// no outline (slot 0) and a solid brush of the given colour (slot 1) selected.
inline MetafileWriter framed(const QColor& fill = Qt::red, int unitsPerInch = 1440) {
    MetafileWriter w;
    w.begin(1000, 1000, unitsPerInch);
    w.selectObject(w.createPen({gdi::pen::Null, 0, Qt::black}));
    w.selectObject(w.createBrush({gdi::brush::Solid, fill, 0, {}}));
    return w;
}

// Little-endian bytes, for bitmaps and records written by hand.
class Bytes {
public:
    Bytes& u8(int v) {
        data.append(char(v));
        return *this;
    }
    Bytes& u16(int v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Bytes& u32(quint32 v) { return u16(int(v & 0xFFFF)).u16(int(v >> 16)); }
    Bytes& raw(const QByteArray& b) {
        data.append(b);
        return *this;
    }
    // A whole record: size in words, function, parameters (padded).
    static QByteArray record(quint16 function, QByteArray params) {
        if (params.size() % 2)
            params.append('\0');
        return Bytes().u32(quint32(3 + params.size() / 2)).u16(function).raw(params).data;
    }
    QByteArray data;
};

// A picture whose only content is records written by hand.
inline QByteArray withRecords(const QByteArray& records, int width = 1000, int height = 1000) {
    MetafileWriter w;
    w.begin(width, height);
    QByteArray bytes = w.finish();
    bytes.insert(bytes.size() - 6, records); // before the end record
    return bytes;
}

// A BITMAPINFOHEADER; the colour table and rows follow it.
inline Bytes infoHeader(int width, int height, int bitsPerPixel, quint32 compression = 0,
                        quint32 coloursUsed = 0) {
    Bytes b;
    b.u32(40).u32(quint32(width)).u32(quint32(height)).u16(1).u16(bitsPerPixel);
    b.u32(compression).u32(0).u32(0).u32(0).u32(coloursUsed).u32(0);
    return b;
}

// STRETCHDIB parameters placing the whole of a w x h bitmap at dest.
inline QByteArray stretchDibParams(const QRect& dest, QSize source, const QByteArray& dib) {
    Bytes p;
    p.u32(gdi::SrcCopy).u16(gdi::DibRgbColours);
    p.u16(source.height()).u16(source.width()).u16(0).u16(0);
    p.u16(dest.height()).u16(dest.width()).u16(dest.y()).u16(dest.x());
    return p.raw(dib).data;
}

} // namespace picture_check
