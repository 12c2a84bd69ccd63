#pragma once
#include "synth.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace material {

// A sound is a recipe that returns raw samples; the table adds the common
// finishing (fades, level) so every sound meets the same limits.
struct SoundRow {
    const char* output; // relative to the output folder, e.g. "wav/click.wav"
    int sampleRate;
    double loudnessDb; // as synth::loudnessDb measures it
    synth::Samples (*recipe)(int sampleRate);
};

// No sound's peak may pass this; a little under -1 dBFS so that rounding to
// 16 bits cannot push a sample over.
inline constexpr double kPeakCeilingDbfs = -1.2;

const std::vector<SoundRow>& soundTable();

// Runs the recipe, fades both ends, sets the level and encodes the WAV.
QByteArray renderSound(const SoundRow& row);

} // namespace material
