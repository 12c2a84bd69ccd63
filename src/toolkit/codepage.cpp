#include "codepage.h"

#include <array>

namespace codepage {
namespace {
// 0x80 to 0x9F; 0 marks the five bytes that Windows-1252 leaves undefined,
// which we read as the C1 control of the same number.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t toUnicode(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0)
        return kHigh[b - 0x80];
    return b;
}
} // namespace

QString decode1252(QByteArrayView bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out.append(QChar(toUnicode(static_cast<unsigned char>(c))));
    return out;
}

QByteArray encode1252(QStringView text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        char b = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            b = static_cast<char>(u);
        } else {
            for (int i = 0; i < 32; ++i) {
                const bool undefinedByte = kHigh[i] == 0 && u == 0x80 + i;
                if (kHigh[i] == u || undefinedByte) {
                    b = static_cast<char>(0x80 + i);
                    break;
                }
            }
        }
        out.append(b);
    }
    return out;
}

} // namespace codepage
