#include "codepage1252.h"

#include <array>

namespace metafile::cp1252 {
namespace {
// 0x80 to 0x9F; the five bytes the code page leaves undefined (zero here)
// read as the C1 control of the same number, as Windows itself reads them.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t toUnicode(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0)
        return kHigh[b - 0x80];
    return b;
}

char fromUnicode(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u || (kHigh[i] == 0 && u == 0x80 + i))
            return static_cast<char>(0x80 + i);
    }
    return '?';
}
} // namespace

QString decode(QByteArrayView bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out.append(QChar(toUnicode(static_cast<unsigned char>(c))));
    return out;
}

QByteArray encode(QStringView text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character beyond the basic plane is one "?", not one per half.
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        out.append(fromUnicode(text[i].unicode()));
    }
    return out;
}
} // namespace metafile::cp1252
