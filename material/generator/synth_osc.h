#pragma once
#include "synth.h"

// Oscillators whose pitch may change every sample: glides, vibrato, sirens.
namespace material::synth {

// Adds a harmonic tone into `out` from sample `offset` on. Harmonic k
// (counting the fundamental as 1) has the weight harmonics[k - 1]; the whole
// tone follows the pitch `hz` and the level `amp` sample by sample. When
// `cutoffHz` is given, harmonic k is also scaled by 1 / (1 + (k f / cutoff)^4):
// a soft low-pass that can open as the note swells, which is what makes brass
// brighten as it gets louder. Harmonics at or above 0.45 x the sample rate are
// left out so nothing folds back as aliasing.
void addHarmonicTone(Samples& out, std::size_t offset, int sampleRate, const Samples& hz,
                     const Samples& amp, const std::vector<double>& harmonics,
                     const Samples& cutoffHz = {});

// Sawtooth and pulse waves with their steps smoothed (polyBLEP), so a reedy,
// buzzy source can sweep in pitch without the whine of aliasing.
class BlepOscillator {
public:
    explicit BlepOscillator(double startPhase = 0.0) : phase(startPhase) {}
    double saw(double hz, int sampleRate);
    // `width` is the fraction of each cycle spent high.
    double pulse(double hz, double width, int sampleRate);

private:
    double advance(double hz, int sampleRate);
    double phase;
};

} // namespace material::synth
