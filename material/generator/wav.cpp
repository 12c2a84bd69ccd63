#include "wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace material {

namespace {

// WAV is little-endian whatever the host is.
void putU32(QByteArray& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((v >> shift) & 0xff));
}

void putU16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xff));
    out.append(static_cast<char>(v >> 8));
}

std::int16_t toPcm16(double x) {
    const double clipped = std::clamp(x, -1.0, 1.0);
    return static_cast<std::int16_t>(std::lround(clipped * 32767.0));
}

} // namespace

QByteArray encodeWav16Mono(const std::vector<double>& samples, int sampleRate) {
    constexpr std::uint16_t channels = 1;
    constexpr std::uint16_t bytesPerSample = 2;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * bytesPerSample);
    QByteArray out;
    out.reserve(static_cast<qsizetype>(44 + dataBytes));
    out.append("RIFF");
    putU32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    putU32(out, 16);
    putU16(out, 1); // PCM
    putU16(out, channels);
    putU32(out, static_cast<std::uint32_t>(sampleRate));
    putU32(out, static_cast<std::uint32_t>(sampleRate) * channels * bytesPerSample);
    putU16(out, channels * bytesPerSample);
    putU16(out, 16);
    out.append("data");
    putU32(out, dataBytes);
    for (double x : samples)
        putU16(out, static_cast<std::uint16_t>(toPcm16(x)));
    return out;
}

} // namespace material
