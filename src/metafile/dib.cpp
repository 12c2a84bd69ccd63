#include "dib.h"

#include "byte_reader.h"
#include "gdi.h"
#include "metafile.h"

#include <QList>
#include <algorithm>
#include <bit>
#include <cstring>

namespace metafile::dib {
namespace {

constexpr qint64 CoreHeaderSize = 12;
constexpr qint64 InfoHeaderSize = 40;
// From the V2 header on, the three bit-field masks live inside the header.
constexpr qint64 HeaderWithMasks = 52;
constexpr quint32 JpegCompression = 4;
constexpr quint32 PngCompression = 5;

struct Header {
    qint64 width = 0;
    qint64 height = 0; // always positive; bottomUp says which way the rows run
    bool bottomUp = true;
    int bitsPerPixel = 0;
    quint32 compression = gdi::compression::Rgb;
    qint64 coloursUsed = 0;
    bool core = false;
    quint32 masks[3] = {0, 0, 0};
};

Result failed(Outcome outcome, const QString& why) {
    return {outcome, {}, true, why};
}

bool readInfoHeader(ByteReader& r, qint64 size, Header& h) {
    const qint64 start = r.position() - 4;
    h.width = r.i32();
    const qint64 height = r.i32();
    h.bottomUp = height > 0;
    h.height = height < 0 ? -height : height;
    r.u16(); // planes
    h.bitsPerPixel = r.u16();
    h.compression = r.u32();
    r.skip(12); // image size and resolution, which we never need
    h.coloursUsed = r.u32();
    r.u32(); // colours important
    const bool bitFields = h.compression == gdi::compression::BitFields;
    if (bitFields && size >= HeaderWithMasks) {
        for (quint32& mask : h.masks)
            mask = r.u32();
    }
    r.skip(size - (r.position() - start));
    if (bitFields && size < HeaderWithMasks) {
        for (quint32& mask : h.masks)
            mask = r.u32();
    }
    return r.ok();
}

bool readHeader(ByteReader& r, Header& h) {
    const qint64 size = r.u32();
    if (size == CoreHeaderSize) {
        h.core = true;
        h.width = r.u16();
        h.height = r.u16();
        r.u16();
        h.bitsPerPixel = r.u16();
        return r.ok();
    }
    if (size < InfoHeaderSize || !r.has(size - 4))
        return false;
    return readInfoHeader(r, size, h);
}

QString checkShape(const Header& h) {
    using namespace gdi::compression;
    const int bpp = h.bitsPerPixel;
    const bool knownDepth = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    if (!knownDepth)
        return QStringLiteral("a bitmap of %1 bits a pixel").arg(bpp);
    if (h.width <= 0 || h.height <= 0)
        return QStringLiteral("a bitmap with no pixels");
    if (h.width * h.height > limits::PixelsPerBitmap)
        return QStringLiteral("a bitmap larger than %1 pixels").arg(limits::PixelsPerBitmap);
    const bool fits = h.compression == Rgb || (h.compression == Rle8 && bpp == 8) ||
                      (h.compression == Rle4 && bpp == 4) ||
                      (h.compression == BitFields && (bpp == 16 || bpp == 32));
    if (!fits)
        return QStringLiteral("a bitmap coded %1 at %2 bits a pixel").arg(h.compression).arg(bpp);
    if (!h.bottomUp && (h.compression == Rle8 || h.compression == Rle4))
        return QStringLiteral("a run-length bitmap stored top row first");
    return {};
}

// Always 256 entries, so no index in the pixels can reach past the table.
bool readColourTable(ByteReader& r, const Header& h, QList<QRgb>& table) {
    qint64 count = h.coloursUsed;
    if (h.core || (count == 0 && h.bitsPerPixel <= 8))
        count = h.bitsPerPixel <= 8 ? qint64(1) << h.bitsPerPixel : 0;
    const int entrySize = h.core ? 3 : 4;
    if (!r.has(count * entrySize))
        return false;
    table = QList<QRgb>(256, qRgb(0, 0, 0));
    for (qint64 i = 0; i < count; ++i) {
        const int b = r.u8();
        const int g = r.u8();
        const int red = r.u8();
        if (!h.core)
            r.u8();
        if (i < 256)
            table[i] = qRgb(red, g, b);
    }
    return r.ok();
}

struct Channel {
    quint32 mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(quint32 m)
        : mask(m), shift(m ? std::countr_zero(m) : 0), bits(std::popcount(m)) {}
    int operator()(quint32 v) const {
        if (bits == 0)
            return 0;
        const quint32 c = (v & mask) >> shift;
        if (bits >= 8)
            return static_cast<int>(std::min<quint32>(c >> (bits - 8), 255));
        return static_cast<int>(std::min<quint32>(c * 255 / ((1u << bits) - 1), 255));
    }
};

struct Masks {
    Channel r, g, b;
};

Masks masksFor(const Header& h) {
    if (h.compression == gdi::compression::BitFields)
        return {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2])};
    if (h.bitsPerPixel == 16)
        return {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    return {Channel(0xFF0000), Channel(0x00FF00), Channel(0x0000FF)};
}

void readIndexedRow(const uchar* src, int bpp, int width, uchar* dst) {
    const int perByte = 8 / bpp;
    const int mask = (1 << bpp) - 1;
    for (int x = 0; x < width; ++x) {
        const int shift = 8 - bpp * (x % perByte + 1);
        dst[x] = static_cast<uchar>(src[x / perByte] >> shift & mask);
    }
}

void readColourRow(const uchar* src, const Header& h, const Masks& m, int width, QRgb* dst) {
    for (int x = 0; x < width; ++x) {
        if (h.bitsPerPixel == 24) {
            const uchar* p = src + 3 * x;
            dst[x] = qRgb(p[2], p[1], p[0]);
            continue;
        }
        quint32 v = 0;
        const int bytes = h.bitsPerPixel / 8;
        for (int i = bytes - 1; i >= 0; --i)
            v = v << 8 | src[bytes * x + i];
        dst[x] = qRgb(m.r(v), m.g(v), m.b(v));
    }
}

QImage readPlainRows(ByteReader& r, const Header& h, const QList<QRgb>& table) {
    const qint64 stride = (h.width * h.bitsPerPixel + 31) / 32 * 4;
    const QByteArrayView rows = r.bytes(stride * h.height);
    if (!r.ok())
        return {};
    const bool indexed = h.bitsPerPixel <= 8;
    QImage image(int(h.width), int(h.height),
                 indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    if (indexed)
        image.setColorTable(table);
    const Masks masks = masksFor(h);
    const auto* data = reinterpret_cast<const uchar*>(rows.data());
    for (qint64 row = 0; row < h.height; ++row) {
        const int y = int(h.bottomUp ? h.height - 1 - row : row);
        const uchar* src = data + row * stride;
        if (indexed)
            readIndexedRow(src, h.bitsPerPixel, int(h.width), image.scanLine(y));
        else
            readColourRow(src, h, masks, int(h.width), reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    return image;
}

// Runs may point anywhere; only pixels inside the picture are kept, and every
// step eats at least two bytes, so the loop ends with the data.
void readRunLength(QByteArrayView data, bool fourBit, QImage& image) {
    const qint64 width = image.width();
    const qint64 height = image.height();
    qint64 x = 0;
    qint64 y = 0; // from the bottom row up
    auto put = [&](qint64 at, int index) {
        if (at < width && y < height)
            image.scanLine(int(height - 1 - y))[at] = static_cast<uchar>(index);
    };
    auto nibble = [](int byte, qint64 i) { return i % 2 == 0 ? byte >> 4 : byte & 0x0F; };
    ByteReader r(data);
    while (r.has(2) && y < height) {
        const int count = r.u8();
        const int value = r.u8();
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(x + i, fourBit ? nibble(value, i) : value);
            x += count;
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            x += r.u8();
            y += r.u8();
        } else {
            const qint64 bytes = fourBit ? (value + 1) / 2 : value;
            const QByteArrayView run = r.bytes(bytes);
            if (!r.ok())
                return;
            for (int i = 0; i < value; ++i) {
                const int byte = static_cast<quint8>(run[fourBit ? i / 2 : i]);
                put(x + i, fourBit ? nibble(byte, i) : byte);
            }
            x += value;
            r.skip(bytes % 2); // absolute runs keep to whole words
        }
    }
}

QImage readRunLengthRows(ByteReader& r, const Header& h, const QList<QRgb>& table) {
    QImage image(int(h.width), int(h.height), QImage::Format_Indexed8);
    if (image.isNull())
        return {};
    image.setColorTable(table);
    // Pixels no run reaches keep the first colour. QImage::fill goes row by
    // row, which for a picture a few pixels wide and millions high is slow.
    std::memset(image.bits(), 0, std::size_t(image.sizeInBytes()));
    readRunLength(r.rest(), h.compression == gdi::compression::Rle4, image);
    return image;
}

} // namespace

Result decode(QByteArrayView bytes, int colourUsage, qint64& pixelBudget) {
    ByteReader r(bytes);
    Header h;
    if (!readHeader(r, h))
        return failed(Outcome::Damaged, QStringLiteral("a bitmap header cut short"));
    if (h.compression == JpegCompression || h.compression == PngCompression)
        return failed(Outcome::Unsupported, QStringLiteral("a bitmap holding a JPEG or PNG"));
    if (const QString wrong = checkShape(h); !wrong.isEmpty())
        return failed(Outcome::Damaged, wrong);
    if (h.width * h.height > pixelBudget)
        return failed(Outcome::Damaged,
                      QStringLiteral("more bitmap pixels than one file may hold"));
    if (colourUsage == gdi::DibPalColours && h.bitsPerPixel <= 8)
        return failed(Outcome::Unsupported, QStringLiteral("a bitmap coloured from a palette"));
    QList<QRgb> table;
    if (!readColourTable(r, h, table))
        return failed(Outcome::Damaged, QStringLiteral("a bitmap colour table cut short"));
    const bool runLength =
        h.compression == gdi::compression::Rle8 || h.compression == gdi::compression::Rle4;
    QImage image = runLength ? readRunLengthRows(r, h, table) : readPlainRows(r, h, table);
    if (image.isNull())
        return failed(Outcome::Damaged, QStringLiteral("a bitmap with fewer bytes than pixels"));
    pixelBudget -= h.width * h.height;
    return {Outcome::Decoded, image, h.bottomUp, {}};
}

} // namespace metafile::dib
