#pragma once
// Little-endian reading that can never step outside its bytes. A read past
// the end yields zero and marks the reader failed, so a decoder reads a whole
// record and asks once at the end whether it was all there.
#include <QByteArrayView>
#include <QtGlobal>

namespace metafile {

class ByteReader {
public:
    explicit ByteReader(QByteArrayView bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    qint64 position() const { return pos_; }
    qint64 remaining() const { return bytes_.size() - pos_; }
    // Whether n more bytes are there; n comes from the file, so it may be
    // anything, including negative.
    bool has(qint64 n) const { return n >= 0 && n <= remaining(); }

    quint8 u8() { return static_cast<quint8>(take(1) ? bytes_[pos_ - 1] : 0); }
    quint16 u16() {
        if (!take(2))
            return 0;
        return static_cast<quint16>(byteAt(pos_ - 2) | byteAt(pos_ - 1) << 8);
    }
    qint16 i16() { return static_cast<qint16>(u16()); }
    quint32 u32() {
        const quint32 low = u16();
        return low | quint32(u16()) << 16;
    }
    qint32 i32() { return static_cast<qint32>(u32()); }

    // The next n bytes, or an empty view (and failure) when they are not there.
    QByteArrayView bytes(qint64 n) {
        if (!take(n))
            return {};
        return bytes_.sliced(pos_ - n, n);
    }
    QByteArrayView rest() const { return bytes_.sliced(pos_); }
    void skip(qint64 n) { take(n); }

private:
    quint32 byteAt(qint64 i) const { return static_cast<quint8>(bytes_[i]); }
    bool take(qint64 n) {
        if (!ok_ || !has(n)) {
            ok_ = false;
            return false;
        }
        pos_ += n;
        return true;
    }

    QByteArrayView bytes_;
    qint64 pos_ = 0;
    bool ok_ = true;
};

} // namespace metafile
