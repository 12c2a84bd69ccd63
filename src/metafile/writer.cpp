#include "writer.h"

#include "codepage1252.h"
#include "gdi.h"

#include <QtEndian>
#include <algorithm>

namespace metafile {
namespace {

namespace rec = gdi::record;

constexpr int FaceNameBytes = 32;

// Parameters in the order the file stores them, little-endian.
class Params {
public:
    Params& u16(int v) {
        const quint16 le = qToLittleEndian(static_cast<quint16>(v));
        data.append(reinterpret_cast<const char*>(&le), 2);
        return *this;
    }
    Params& i16(int v) { return u16(std::clamp(v, -32768, 32767)); }
    Params& u32(quint32 v) {
        u16(int(v & 0xFFFF));
        return u16(int(v >> 16));
    }
    Params& colour(const QColor& c) {
        data.append(char(c.red())).append(char(c.green())).append(char(c.blue())).append('\0');
        return *this;
    }
    Params& bytes(const QByteArray& b) {
        data.append(b);
        if (b.size() % 2)
            data.append('\0');
        return *this;
    }
    Params& box(const Box& b) { return i16(b.bottom).i16(b.right).i16(b.top).i16(b.left); }
    Params& points(const QPolygon& p) {
        i16(int(p.size()));
        for (const QPoint& pt : p)
            i16(pt.x()).i16(pt.y());
        return *this;
    }
    QByteArray data;
};

void appendRow(QByteArray& out, const uchar* row, qsizetype bytes) {
    out.append(reinterpret_cast<const char*>(row), bytes);
    out.append(QByteArray((4 - bytes % 4) % 4, '\0'));
}

} // namespace

QByteArray encodeDib(const QImage& image, int bitsPerPixel) {
    const bool indexed = bitsPerPixel == 8;
    const QImage source = indexed ? image.convertToFormat(QImage::Format_Indexed8)
                                  : image.convertToFormat(QImage::Format_RGB888);
    const int width = source.width();
    const int height = source.height();
    const QList<QRgb> table = indexed ? source.colorTable() : QList<QRgb>();
    Params header;
    header.u32(40).u32(quint32(width)).u32(quint32(height)).u16(1).u16(indexed ? 8 : 24);
    header.u32(gdi::compression::Rgb).u32(0).u32(0).u32(0);
    header.u32(quint32(table.size())).u32(0);
    QByteArray out = header.data;
    for (QRgb c : table)
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    for (int y = height - 1; y >= 0; --y) {
        if (indexed) {
            appendRow(out, source.constScanLine(y), width);
            continue;
        }
        QByteArray bgr(qsizetype(width) * 3, '\0');
        const uchar* rgb = source.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            bgr[3 * x] = char(rgb[3 * x + 2]);
            bgr[3 * x + 1] = char(rgb[3 * x + 1]);
            bgr[3 * x + 2] = char(rgb[3 * x]);
        }
        appendRow(out, reinterpret_cast<const uchar*>(bgr.constData()), bgr.size());
    }
    return out;
}

void MetafileWriter::begin(int width, int height, int unitsPerInch) {
    *this = MetafileWriter();
    frame_ = QRect(0, 0, width, height);
    unitsPerInch_ = unitsPerInch;
    setWindowOrg(0, 0);
    setWindowExt(width, height);
}

void MetafileWriter::record(quint16 function, const QByteArray& params) {
    QByteArray padded = params;
    if (padded.size() % 2)
        padded.append('\0');
    const quint32 words = 3 + quint32(padded.size() / 2);
    largestRecord_ = std::max(largestRecord_, words);
    Params head;
    head.u32(words).u16(function);
    records_.append(head.data).append(padded);
}

void MetafileWriter::setWindowOrg(int x, int y) {
    record(rec::SetWindowOrg, Params().i16(y).i16(x).data);
}
void MetafileWriter::setWindowExt(int width, int height) {
    record(rec::SetWindowExt, Params().i16(height).i16(width).data);
}
void MetafileWriter::setViewportOrg(int x, int y) {
    record(rec::SetViewportOrg, Params().i16(y).i16(x).data);
}
void MetafileWriter::setViewportExt(int width, int height) {
    record(rec::SetViewportExt, Params().i16(height).i16(width).data);
}
void MetafileWriter::setMapMode(int mode) {
    record(rec::SetMapMode, Params().u16(mode).data);
}

int MetafileWriter::takeSlot() {
    if (freeSlots_.empty())
        return slotsUsed_++;
    const int slot = *freeSlots_.begin();
    freeSlots_.erase(freeSlots_.begin());
    return slot;
}

int MetafileWriter::createPen(const Pen& pen) {
    record(rec::CreatePenIndirect,
           Params().u16(pen.style).i16(pen.width).i16(0).colour(pen.colour).data);
    return takeSlot();
}

int MetafileWriter::createBrush(const Brush& brush) {
    record(rec::CreateBrushIndirect,
           Params().u16(brush.style).colour(brush.colour).u16(brush.hatch).data);
    return takeSlot();
}

int MetafileWriter::createFont(const Font& font) {
    Params p;
    p.i16(font.height).i16(font.width).i16(font.escapement).i16(font.escapement);
    p.i16(font.weight);
    p.data.append(char(font.italic)).append(char(font.underline)).append(char(font.strikeOut));
    p.data.append(char(font.charSet)).append(QByteArray(4, '\0'));
    QByteArray face = cp1252::encode(font.face).left(FaceNameBytes - 1);
    face.append(QByteArray(FaceNameBytes - face.size(), '\0'));
    p.bytes(face);
    record(rec::CreateFontRecord, p.data);
    return takeSlot();
}

int MetafileWriter::createPalette(const QList<QColor>& colours) {
    Params p;
    p.u16(0x0300).u16(int(colours.size()));
    for (const QColor& c : colours)
        p.colour(c);
    record(rec::CreatePalette, p.data);
    return takeSlot();
}

void MetafileWriter::selectObject(int slot) {
    record(rec::SelectObject, Params().u16(slot).data);
}

void MetafileWriter::deleteObject(int slot) {
    record(rec::DeleteObject, Params().u16(slot).data);
    if (slot >= 0 && slot < slotsUsed_)
        freeSlots_.insert(slot);
}

void MetafileWriter::setTextColor(const QColor& colour) {
    record(rec::SetTextColor, Params().colour(colour).data);
}
void MetafileWriter::setBkColor(const QColor& colour) {
    record(rec::SetBkColor, Params().colour(colour).data);
}
void MetafileWriter::setBkMode(int mode) {
    record(rec::SetBkMode, Params().u16(mode).data);
}
void MetafileWriter::setTextAlign(int align) {
    record(rec::SetTextAlign, Params().u16(align).data);
}
void MetafileWriter::setPolyFillMode(int mode) {
    record(rec::SetPolyFillMode, Params().u16(mode).data);
}

void MetafileWriter::textOut(int x, int y, const QString& text) {
    const QByteArray bytes = cp1252::encode(text);
    record(rec::TextOutRecord, Params().u16(int(bytes.size())).bytes(bytes).i16(y).i16(x).data);
}

void MetafileWriter::extTextOut(int x, int y, const QString& text, int options,
                                const std::optional<Box>& box, const QList<int>& dx) {
    const QByteArray bytes = cp1252::encode(text);
    Params p;
    p.i16(y).i16(x).i16(int(bytes.size())).u16(options);
    if (box && (options & (gdi::eto::Opaque | gdi::eto::Clipped)))
        p.i16(box->left).i16(box->top).i16(box->right).i16(box->bottom);
    p.bytes(bytes);
    for (int advance : dx)
        p.i16(advance);
    record(rec::ExtTextOutRecord, p.data);
}

void MetafileWriter::moveTo(int x, int y) {
    record(rec::MoveTo, Params().i16(y).i16(x).data);
}
void MetafileWriter::lineTo(int x, int y) {
    record(rec::LineTo, Params().i16(y).i16(x).data);
}
void MetafileWriter::rectangle(const Box& box) {
    record(rec::Rectangle, Params().box(box).data);
}
void MetafileWriter::roundRect(const Box& box, int cornerWidth, int cornerHeight) {
    record(rec::RoundRect, Params().i16(cornerHeight).i16(cornerWidth).box(box).data);
}
void MetafileWriter::ellipse(const Box& box) {
    record(rec::Ellipse, Params().box(box).data);
}
void MetafileWriter::polygon(const QPolygon& points) {
    record(rec::Polygon, Params().points(points).data);
}
void MetafileWriter::polyline(const QPolygon& points) {
    record(rec::Polyline, Params().points(points).data);
}

void MetafileWriter::stretchDib(const QRect& dest, const QImage& image, int bitsPerPixel) {
    Params p;
    p.u32(gdi::SrcCopy).u16(gdi::DibRgbColours);
    p.i16(image.height()).i16(image.width()).i16(0).i16(0);
    p.i16(dest.height()).i16(dest.width()).i16(dest.y()).i16(dest.x());
    p.bytes(encodeDib(image, bitsPerPixel));
    record(rec::StretchDib, p.data);
}

void MetafileWriter::saveDC() {
    record(rec::SaveDC, {});
}
void MetafileWriter::restoreDC(int which) {
    record(rec::RestoreDC, Params().i16(which).data);
}
void MetafileWriter::intersectClipRect(const Box& box) {
    record(rec::IntersectClipRect, Params().box(box).data);
}
void MetafileWriter::excludeClipRect(const Box& box) {
    record(rec::ExcludeClipRect, Params().box(box).data);
}

QByteArray MetafileWriter::finish() {
    Params placeable;
    placeable.u32(gdi::PlaceableKey).u16(0);
    placeable.i16(frame_.left()).i16(frame_.top());
    placeable.i16(frame_.left() + frame_.width()).i16(frame_.top() + frame_.height());
    placeable.u16(unitsPerInch_).u32(0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(placeable.data.constData() + 2 * i);
    placeable.u16(checksum);

    constexpr quint32 EndRecordWords = 3;
    const quint32 fileWords = 9 + quint32(records_.size() / 2) + EndRecordWords;
    Params header;
    header.u16(1).u16(9).u16(0x0300).u32(fileWords).u16(slotsUsed_).u32(largestRecord_).u16(0);
    Params end;
    end.u32(EndRecordWords).u16(rec::Eof);
    return placeable.data + header.data + records_ + end.data;
}

} // namespace metafile
