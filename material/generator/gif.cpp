#include "gif.h"

#include <algorithm>
#include <array>

namespace material {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kCodeLimit = 1 << kMaxCodeBits;
constexpr int kMaxBlock = 255;

// Codes go out least significant bit first, packed across byte boundaries.
class BitWriter {
public:
    void put(int code, int bits) {
        buffer |= quint32(code) << used;
        used += bits;
        while (used >= 8) {
            bytes.append(char(buffer & 0xffu));
            buffer >>= 8;
            used -= 8;
        }
    }
    QByteArray finish() {
        if (used > 0)
            bytes.append(char(buffer & 0xffu));
        buffer = 0;
        used = 0;
        return bytes;
    }

private:
    QByteArray bytes;
    quint32 buffer = 0;
    int used = 0;
};

// The strings met so far, as (code of the string, next index) -> code.
// Open addressing in a fixed array keeps the frequent resets cheap: a noisy
// picture fills all 4096 codes every few thousand pixels.
class StringTable {
public:
    StringTable() { clear(); }
    void clear() { keys.fill(-1); }
    int find(int prefix, int index) const {
        const int key = (prefix << 8) | index;
        for (int slot = hash(key);; slot = (slot + 1) & (kSlots - 1)) {
            if (keys[slot] == key)
                return codes[slot];
            if (keys[slot] < 0)
                return -1;
        }
    }
    void insert(int prefix, int index, int code) {
        const int key = (prefix << 8) | index;
        int slot = hash(key);
        while (keys[slot] >= 0)
            slot = (slot + 1) & (kSlots - 1);
        keys[slot] = key;
        codes[slot] = qint16(code);
    }

private:
    static constexpr int kSlots = 2 * kCodeLimit; // never more than half full
    static int hash(int key) { return int((quint32(key) * 2654435761u) >> 19) & (kSlots - 1); }
    std::array<int, kSlots> keys{};
    std::array<qint16, kSlots> codes{};
};

void appendWord(QByteArray& bytes, int value) {
    bytes.append(char(value & 0xff));
    bytes.append(char((value >> 8) & 0xff));
}

int bitsForColours(qsizetype colours) {
    int bits = 1;
    while ((qsizetype(1) << bits) < colours)
        ++bits;
    return bits;
}

} // namespace

QByteArray lzwCompress(const QByteArray& indices, int minCodeSize) {
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    BitWriter out;
    StringTable table;
    int codeBits = minCodeSize + 1;
    int nextCode = endCode + 1;
    out.put(clearCode, codeBits);
    if (indices.isEmpty()) {
        out.put(endCode, codeBits);
        return out.finish();
    }
    int prefix = quint8(indices[0]);
    for (qsizetype i = 1; i < indices.size(); ++i) {
        const int index = quint8(indices[i]);
        const int code = table.find(prefix, index);
        if (code >= 0) {
            prefix = code;
            continue;
        }
        out.put(prefix, codeBits);
        if (nextCode == kCodeLimit) {
            out.put(clearCode, codeBits);
            table.clear();
            codeBits = minCodeSize + 1;
            nextCode = endCode + 1;
        } else {
            table.insert(prefix, index, nextCode++);
            // The reader learns each string one code later than the writer,
            // so it widens when this code count is one past the limit.
            if (nextCode > (1 << codeBits) && codeBits < kMaxCodeBits)
                ++codeBits;
        }
        prefix = index;
    }
    out.put(prefix, codeBits);
    // Reading that last code adds one more string on the reader's side, which
    // may widen the end code by a bit.
    if (nextCode == (1 << codeBits) && codeBits < kMaxCodeBits)
        ++codeBits;
    out.put(endCode, codeBits);
    return out.finish();
}

QByteArray encodeGif(const IndexedImage& image) {
    const int tableBits = bitsForColours(image.palette.size());
    const int minCodeSize = std::max(2, tableBits);
    QByteArray gif("GIF89a");
    appendWord(gif, image.width);
    appendWord(gif, image.height);
    // Global table present, 8 bits per primary, unsorted, 2^tableBits entries.
    gif.append(char(0x80 | 0x70 | (tableBits - 1)));
    gif.append('\0'); // background colour index
    gif.append('\0'); // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb colour = i < image.palette.size() ? image.palette[i] : 0;
        gif.append(char(qRed(colour)));
        gif.append(char(qGreen(colour)));
        gif.append(char(qBlue(colour)));
    }
    gif.append(',');
    appendWord(gif, 0);
    appendWord(gif, 0);
    appendWord(gif, image.width);
    appendWord(gif, image.height);
    gif.append('\0'); // no local table, not interlaced
    gif.append(char(minCodeSize));
    const QByteArray codes = lzwCompress(image.indices, minCodeSize);
    for (qsizetype at = 0; at < codes.size(); at += kMaxBlock) {
        const qsizetype length = std::min<qsizetype>(kMaxBlock, codes.size() - at);
        gif.append(char(length));
        gif.append(codes.constData() + at, length);
    }
    gif.append('\0'); // end of the image data
    gif.append(';');  // end of the file
    return gif;
}

QByteArray encodeGif(const QImage& image) {
    return encodeGif(reduceColours(image));
}

} // namespace material
