#include "record_reader.h"

#include "codepage1252.h"
#include "dib.h"
#include "gdi.h"
#include "metafile.h"

namespace metafile {
namespace {

namespace rec = gdi::record;

const QString CutShort = QStringLiteral("a record shorter than its contents");

// Records store their parameters last argument first: y before x, bottom
// before top.
QPoint yx(ByteReader& r) {
    const int y = r.i16();
    return {r.i16(), y};
}

QSize heightWidth(ByteReader& r) {
    const int h = r.i16();
    return {r.i16(), h};
}

Box bottomRightTopLeft(ByteReader& r) {
    Box b;
    b.bottom = r.i16();
    b.right = r.i16();
    b.top = r.i16();
    b.left = r.i16();
    return b;
}

QColor colourRef(ByteReader& r) {
    const int red = r.u8();
    const int green = r.u8();
    const int blue = r.u8();
    r.u8();
    return QColor(red, green, blue);
}

QPolygon points(ByteReader& r, int count) {
    QPolygon polygon(count);
    for (int i = 0; i < count; ++i) {
        const int x = r.i16();
        polygon[i] = QPoint(x, r.i16());
    }
    return polygon;
}

// The face name is at most 32 bytes and ends at its first zero; writers
// often cut the record short after it.
QString faceName(ByteReader& r) {
    const QByteArrayView name = r.rest().first(std::min<qint64>(r.remaining(), 32));
    const qsizetype end = name.indexOf('\0');
    return cp1252::decode(end < 0 ? name : name.first(end));
}

// An origin or extent as read, kept in `first` as well when it is the
// first the file sets (an extent only when it has no zero side).
QPoint firstOrigin(ByteReader& r, std::optional<QPoint>& first) {
    const QPoint at = yx(r);
    if (r.ok() && !first)
        first = at;
    return at;
}

QSize firstExtent(ByteReader& r, std::optional<QSize>& first) {
    const QSize size = heightWidth(r);
    if (r.ok() && !first && size.width() != 0 && size.height() != 0)
        first = size;
    return size;
}

} // namespace

RecordReader::RecordReader(std::vector<Command>& out)
    : out_(out), pixelBudget_(limits::PixelsPerFile) {}

template <typename T> QString RecordReader::add(T command, const ByteReader& r) {
    if (!r.ok())
        return CutShort;
    out_.emplace_back(std::move(command));
    return {};
}

std::optional<QRect> RecordReader::firstViewport() const {
    if (!viewportExt_ || !scaled_)
        return std::nullopt;
    return QRect(viewportOrg_.value_or(QPoint()), *viewportExt_);
}

std::optional<QRect> RecordReader::firstWindow() const {
    if (!windowExt_)
        return std::nullopt;
    return QRect(windowOrg_.value_or(QPoint()), *windowExt_);
}

QString RecordReader::read(quint16 function, quint32 sizeInWords, QByteArrayView params) {
    ByteReader r(params);
    bool known = true;
    QString why = readState(function, r, known);
    if (!known) {
        known = true;
        why = readObject(function, r, known);
    }
    if (!known) {
        known = true;
        why = readShape(function, r, known);
    }
    if (!known) {
        known = true;
        why = readBitmap(function, sizeInWords, r, known);
    }
    return why; // a record we do not know is skipped, as Windows skips it
}

QString RecordReader::readState(quint16 function, ByteReader& r, bool& known) {
    switch (function) {
    case rec::SetWindowOrg:
        return add(cmd::WindowOrg{firstOrigin(r, windowOrg_)}, r);
    case rec::SetWindowExt:
        return add(cmd::WindowExt{firstExtent(r, windowExt_)}, r);
    case rec::SetViewportOrg:
        return add(cmd::ViewportOrg{firstOrigin(r, viewportOrg_)}, r);
    case rec::SetViewportExt:
        return add(cmd::ViewportExt{firstExtent(r, viewportExt_)}, r);
    case rec::SetMapMode: {
        const int mode = r.u16();
        if (r.ok() && (mode == gdi::map::Isotropic || mode == gdi::map::Anisotropic))
            scaled_ = true;
        return add(cmd::MapMode{mode}, r);
    }
    case rec::SetTextColor:
        return add(cmd::TextColour{colourRef(r)}, r);
    case rec::SetBkColor:
        return add(cmd::BkColour{colourRef(r)}, r);
    case rec::SetBkMode:
        return add(cmd::BkMode{r.u16()}, r);
    case rec::SetTextAlign:
        return add(cmd::TextAlign{r.u16()}, r);
    case rec::SetPolyFillMode:
        return add(cmd::PolyFillMode{r.u16()}, r);
    case rec::SaveDC:
        return add(cmd::SaveDC{}, r);
    case rec::RestoreDC:
        return add(cmd::RestoreDC{r.i16()}, r);
    case rec::IntersectClipRect:
        return add(cmd::IntersectClip{bottomRightTopLeft(r)}, r);
    case rec::ExcludeClipRect:
        return add(cmd::ExcludeClip{bottomRightTopLeft(r)}, r);
    default:
        known = false;
        return {};
    }
}

QString RecordReader::create(GdiObject object) {
    // A full table refuses the object, as GDI does; the file reads on.
    objects_.create(std::move(object));
    return {};
}

QString RecordReader::readObject(quint16 function, ByteReader& r, bool& known) {
    switch (function) {
    case rec::CreatePenIndirect: {
        Pen pen;
        pen.style = r.u16();
        pen.width = r.i16();
        r.i16(); // the unused height of the width point
        pen.colour = colourRef(r);
        return r.ok() ? create(pen) : CutShort;
    }
    case rec::CreateBrushIndirect: {
        Brush brush;
        brush.style = r.u16();
        brush.colour = colourRef(r);
        brush.hatch = r.u16();
        return r.ok() ? create(brush) : CutShort;
    }
    case rec::CreateFontRecord:
        return readFont(r);
    case rec::DibCreatePatternBrush:
        return readPatternBrush(r);
    case rec::CreatePalette:
    case rec::CreatePatternBrush:
    case rec::CreateRegion:
        return create(std::monostate{});
    case rec::SelectObject:
        return readSelect(r);
    case rec::DeleteObject: {
        const int slot = r.u16();
        if (!r.ok())
            return CutShort;
        // The device context keeps its own copy of a selected object, so
        // deleting it here leaves what is being drawn with untouched.
        objects_.remove(slot);
        return {};
    }
    default:
        known = false;
        return {};
    }
}

QString RecordReader::readFont(ByteReader& r) {
    Font font;
    font.height = r.i16();
    font.width = r.i16();
    font.escapement = r.i16();
    r.i16(); // orientation, which GDI ties to the escapement anyway
    font.weight = r.i16();
    font.italic = r.u8() != 0;
    font.underline = r.u8() != 0;
    font.strikeOut = r.u8() != 0;
    font.charSet = r.u8();
    r.skip(4); // precision, quality, pitch and family
    if (!r.ok())
        return CutShort;
    font.face = faceName(r);
    return create(font);
}

QString RecordReader::readPatternBrush(ByteReader& r) {
    const int style = r.u16();
    const int usage = r.u16();
    if (!r.ok())
        return CutShort;
    const int colourUsage = style == gdi::brush::Pattern ? gdi::DibRgbColours : usage;
    const dib::Result picture = dib::decode(r.rest(), colourUsage, pixelBudget_);
    if (picture.outcome == dib::Outcome::Damaged)
        return picture.why;
    if (picture.outcome == dib::Outcome::Unsupported)
        return create(std::monostate{});
    Brush brush;
    brush.style = gdi::brush::DibPatternPt;
    brush.pattern = picture.image;
    return create(brush);
}

QString RecordReader::readSelect(ByteReader& r) {
    const int slot = r.u16();
    if (!r.ok())
        return CutShort;
    const GdiObject* object = objects_.at(slot);
    if (object == nullptr)
        return {}; // GDI ignores a select of nothing, and so do we
    if (const auto* pen = std::get_if<Pen>(object))
        out_.emplace_back(cmd::SelectPen{*pen});
    else if (const auto* brush = std::get_if<Brush>(object))
        out_.emplace_back(cmd::SelectBrush{*brush});
    else if (const auto* font = std::get_if<Font>(object))
        out_.emplace_back(cmd::SelectFont{*font});
    return {};
}

QString RecordReader::readShape(quint16 function, ByteReader& r, bool& known) {
    switch (function) {
    case rec::MoveTo:
        return add(cmd::MoveTo{yx(r)}, r);
    case rec::LineTo:
        return add(cmd::LineTo{yx(r)}, r);
    case rec::Rectangle:
        return add(cmd::Rectangle{bottomRightTopLeft(r)}, r);
    case rec::Ellipse:
        return add(cmd::Ellipse{bottomRightTopLeft(r)}, r);
    case rec::RoundRect: {
        const QSize corner = heightWidth(r);
        return add(cmd::RoundRect{bottomRightTopLeft(r), corner}, r);
    }
    case rec::Arc:
    case rec::Pie:
    case rec::Chord: {
        const auto kind = function == rec::Arc   ? cmd::ArcKind::Arc
                          : function == rec::Pie ? cmd::ArcKind::Pie
                                                 : cmd::ArcKind::Chord;
        const QPoint end = yx(r);
        const QPoint start = yx(r);
        return add(cmd::Arc{kind, bottomRightTopLeft(r), start, end}, r);
    }
    case rec::Polygon:
    case rec::Polyline:
        return readPoly(function, r);
    case rec::PolyPolygon:
        return readPolyPolygon(r);
    case rec::TextOutRecord:
        return readTextOut(r);
    case rec::ExtTextOutRecord:
        return readExtTextOut(r);
    default:
        known = false;
        return {};
    }
}

QString RecordReader::readPoly(quint16 function, ByteReader& r) {
    const int count = r.i16();
    if (!r.ok() || count < 0 || !r.has(qint64(count) * 4))
        return QStringLiteral("more points than the record holds");
    const QPolygon polygon = points(r, count);
    if (function == rec::Polygon)
        return add(cmd::Polygon{polygon}, r);
    return add(cmd::Polyline{polygon}, r);
}

QString RecordReader::readPolyPolygon(ByteReader& r) {
    const int polygons = r.u16();
    if (!r.ok() || !r.has(qint64(polygons) * 2))
        return QStringLiteral("more polygons than the record holds");
    std::vector<int> counts(polygons);
    qint64 total = 0;
    for (int& count : counts) {
        count = r.u16();
        total += count;
    }
    if (!r.has(total * 4))
        return QStringLiteral("more points than the record holds");
    cmd::PolyPolygon shape;
    shape.polygons.reserve(polygons);
    for (int count : counts)
        shape.polygons.append(points(r, count));
    return add(std::move(shape), r);
}

QString RecordReader::readTextOut(ByteReader& r) {
    const int length = r.u16();
    const QByteArrayView bytes = r.bytes(length);
    r.skip(length % 2);
    const QPoint at = yx(r);
    if (!r.ok())
        return QStringLiteral("a text longer than its record");
    return add(cmd::Text{at, cp1252::decode(bytes), 0, std::nullopt, {}}, r);
}

QString RecordReader::readExtTextOut(ByteReader& r) {
    cmd::Text text;
    text.at = yx(r);
    const int length = r.i16();
    text.options = r.u16();
    if (text.options & (gdi::eto::Opaque | gdi::eto::Clipped)) {
        Box box;
        box.left = r.i16();
        box.top = r.i16();
        box.right = r.i16();
        box.bottom = r.i16();
        text.box = box;
    }
    if (!r.ok() || length < 0 || !r.has(length))
        return QStringLiteral("a text longer than its record");
    text.text = cp1252::decode(r.bytes(length));
    r.skip(std::min<qint64>(length % 2, r.remaining()));
    // Writers that set ETO_PDY give every character a (dx, dy) pair; we
    // keep the dx. A short array is used as far as it goes.
    const bool pairs = (text.options & gdi::eto::Pdy) && r.has(qint64(length) * 4);
    const qint64 available = std::min<qint64>(r.remaining() / (pairs ? 4 : 2), length);
    text.dx.reserve(available);
    for (qint64 i = 0; i < available; ++i) {
        text.dx.append(r.i16());
        if (pairs)
            r.i16();
    }
    return add(std::move(text), r);
}

QString RecordReader::readBitmap(quint16 function, quint32 sizeInWords, ByteReader& r,
                                 bool& known) {
    if (function != rec::StretchDib && function != rec::DibStretchBlt &&
        function != rec::DibBitBlt) {
        known = false;
        return {};
    }
    // The blits have a second form without a bitmap, which only paints with
    // the brush and is told apart by its size; we leave it undrawn.
    if (function != rec::StretchDib && sizeInWords == quint32(function >> 8) + 3u)
        return {};
    r.u32(); // every raster operation is drawn as a copy
    cmd::Bitmap bitmap;
    int usage = gdi::DibRgbColours;
    if (function == rec::StretchDib)
        usage = r.u16();
    if (function == rec::DibBitBlt) {
        bitmap.sourceAt = yx(r);
        bitmap.destSize = heightWidth(r);
        bitmap.sourceSize = bitmap.destSize;
    } else {
        bitmap.sourceSize = heightWidth(r);
        bitmap.sourceAt = yx(r);
        bitmap.destSize = heightWidth(r);
    }
    bitmap.destAt = yx(r);
    if (!r.ok())
        return CutShort;
    // Only STRETCHDIB counts its source from the bitmap's own first row; the
    // blits count from the top of the picture as a device context holds it.
    return addBitmap(std::move(bitmap), r, usage, function == rec::StretchDib);
}

QString RecordReader::addBitmap(cmd::Bitmap bitmap, ByteReader& r, int colourUsage,
                                bool fromBottom) {
    const dib::Result picture = dib::decode(r.rest(), colourUsage, pixelBudget_);
    if (picture.outcome == dib::Outcome::Unsupported)
        return {};
    if (picture.outcome == dib::Outcome::Damaged)
        return picture.why;
    bitmap.image = picture.image;
    if (fromBottom && picture.bottomUp) {
        const int top = picture.image.height() - bitmap.sourceAt.y() - bitmap.sourceSize.height();
        bitmap.sourceAt.setY(top);
    }
    out_.emplace_back(std::move(bitmap));
    return {};
}

} // namespace metafile
