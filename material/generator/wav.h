#pragma once
#include <QByteArray>
#include <vector>

namespace material {

// A canonical 44-byte-header RIFF/WAVE file, 16-bit PCM, one channel.
// Samples are in [-1, 1]; anything outside is clipped.
QByteArray encodeWav16Mono(const std::vector<double>& samples, int sampleRate);

} // namespace material
