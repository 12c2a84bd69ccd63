#include "metafile.h"

#include "byte_reader.h"
#include "gdi.h"
#include "outside_file.h"
#include "record_reader.h"

#include <algorithm>

namespace metafile {
namespace {

constexpr int StandardHeaderWords = 9;
constexpr quint32 RecordHeaderWords = 3;
// A viewport is counted in the pixels of the screen the file was made on.
constexpr int DevicePixelsPerInch = 96;

bool readPlaceableHeader(ByteReader& r, Metafile& out) {
    if (ByteReader(r.rest()).u32() != gdi::PlaceableKey || !r.has(22))
        return false;
    r.u32();
    r.u16(); // the handle, meaningless on disk
    const int left = r.i16();
    const int top = r.i16();
    const int right = r.i16();
    const int bottom = r.i16();
    const int inch = r.u16();
    r.u32(); // reserved
    r.u16(); // the checksum: files with a wrong one are common and harmless
    out.placeable = true;
    out.frame = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
    // A zero would divide by zero; a file that says nothing is taken to be
    // in twips, like our own.
    out.unitsPerInch = inch > 0 ? inch : TwipsPerInch;
    return true;
}

bool readStandardHeader(ByteReader& r) {
    const int type = r.u16();
    const int words = r.u16();
    // Version, size, object count and largest record follow. Each can lie
    // and none is needed: the records themselves are checked one by one
    // against the bytes really there.
    r.skip(2 * StandardHeaderWords - 4);
    return r.ok() && (type == 1 || type == 2) && words == StandardHeaderWords;
}

struct Stop {
    QString why;
    qint64 at = -1;
};

std::optional<Stop> readRecords(ByteReader& r, RecordReader& reader) {
    for (int count = 0;; ++count) {
        const qint64 at = r.position();
        if (r.remaining() == 0)
            return Stop{QStringLiteral("the file ends without its end record"), at};
        if (!r.has(2 * RecordHeaderWords))
            return Stop{QStringLiteral("the file ends inside a record"), at};
        const quint32 words = r.u32();
        const quint16 function = r.u16();
        if (function == gdi::record::Eof)
            return std::nullopt;
        if (words < RecordHeaderWords)
            return Stop{QStringLiteral("a record of %1 words").arg(words), at};
        if (!r.has(2 * qint64(words - RecordHeaderWords)))
            return Stop{QStringLiteral("a record running past the end of the file"), at};
        if (count >= limits::Records)
            return Stop{QStringLiteral("more than %1 records").arg(limits::Records), at};
        const QString why = reader.read(function, words, r.bytes(2 * qint64(words) - 6));
        if (!why.isEmpty())
            return Stop{why, at};
    }
}

// A file with no window of its own (MM_TEXT drawings) is framed by
// everything it draws.
struct Bounds {
    std::optional<QRectF> rect;
    void add(const QPointF& p) {
        if (!rect) {
            rect = QRectF(p, QSizeF(0, 0));
            return;
        }
        rect->setCoords(std::min(rect->left(), p.x()), std::min(rect->top(), p.y()),
                        std::max(rect->right(), p.x()), std::max(rect->bottom(), p.y()));
    }
    void add(const Box& b) {
        add(QPointF(b.left, b.top));
        add(QPointF(b.right, b.bottom));
    }
    void add(const QPolygon& points) {
        for (const QPoint& p : points)
            add(QPointF(p));
    }
    void operator()(const cmd::MoveTo& c) { add(QPointF(c.at)); }
    void operator()(const cmd::LineTo& c) { add(QPointF(c.at)); }
    void operator()(const cmd::Polyline& c) { add(c.points); }
    void operator()(const cmd::Polygon& c) { add(c.points); }
    void operator()(const cmd::PolyPolygon& c) {
        for (const QPolygon& p : c.polygons)
            add(p);
    }
    void operator()(const cmd::Rectangle& c) { add(c.box); }
    void operator()(const cmd::RoundRect& c) { add(c.box); }
    void operator()(const cmd::Ellipse& c) { add(c.box); }
    void operator()(const cmd::Arc& c) { add(c.box); }
    void operator()(const cmd::Text& c) { add(QPointF(c.at)); }
    void operator()(const cmd::Bitmap& c) {
        add(QPointF(c.destAt));
        add(QPointF(c.destAt + QPoint(c.destSize.width(), c.destSize.height())));
    }
    template <typename T> void operator()(const T&) {}
};

void frameFromRecords(Metafile& out, const RecordReader& reader) {
    // A file without a placeable header that sets a viewport was drawn for
    // a device of that many pixels: framed by its window it would fill only
    // the viewport's share of the frame, in the top-left corner.
    if (const std::optional<QRect> viewport = reader.firstViewport()) {
        const QRect& v = *viewport;
        out.frame = QRectF(QPointF(v.x(), v.y()), QSizeF(v.width(), v.height())).normalized();
        out.unitsPerInch = DevicePixelsPerInch;
        return;
    }
    if (const std::optional<QRect> window = reader.firstWindow()) {
        const QRect& w = *window;
        out.frame = QRectF(QPointF(w.x(), w.y()), QSizeF(w.width(), w.height())).normalized();
        return;
    }
    Bounds bounds;
    for (const Command& c : out.commands)
        std::visit(bounds, c);
    out.frame = bounds.rect.value_or(QRectF());
}

QString describe(const Stop& stop) {
    return QStringLiteral("damaged at byte %1: %2").arg(stop.at).arg(stop.why);
}

} // namespace

bool Metafile::marksThePage() const {
    return std::any_of(commands.begin(), commands.end(),
                       [](const Command& c) { return metafile::marksThePage(c); });
}

QSizeF Metafile::sizeInTwips() const {
    return frame.size() * (double(TwipsPerInch) / unitsPerInch);
}

std::optional<Metafile> parse(QByteArrayView bytes, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    ByteReader r(bytes);
    Metafile out;
    readPlaceableHeader(r, out);
    if (!readStandardHeader(r))
        return fail(QStringLiteral("not a Windows metafile"));
    RecordReader reader(out.commands);
    const std::optional<Stop> stop = readRecords(r, reader);
    if (out.frame.isEmpty())
        frameFromRecords(out, reader);
    if (stop) {
        out.stoppedBecause = stop->why;
        out.stoppedAt = stop->at;
        if (!out.marksThePage())
            return fail(describe(*stop));
        if (error)
            *error = describe(*stop);
    } else if (error) {
        error->clear();
    }
    return out;
}

bool load(const QString& path, Metafile& out, QString* error) {
    const std::optional<QByteArray> bytes = outside_file::read(path, outside_file::PageLimit);
    if (!bytes) {
        if (error)
            *error = QStringLiteral("missing, not a regular file, or larger than %1 MB")
                         .arg(outside_file::PageLimit >> 20);
        return false;
    }
    std::optional<Metafile> read = parse(*bytes, error);
    if (!read)
        return false;
    out = std::move(*read);
    return true;
}

} // namespace metafile
