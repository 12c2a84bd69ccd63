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
    double peakDbfs; // at most -1
    synth::Samples (*recipe)(int sampleRate);
};

const std::vector<SoundRow>& soundTable();

// Runs the recipe, fades both ends, sets the level and encodes the WAV.
QByteArray renderSound(const SoundRow& row);

} // namespace material
