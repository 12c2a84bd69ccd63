#pragma once
#include "synth.h"

// Filters and rooms for sound recipes.
namespace material::synth {

// A second-order section with the usual audio-cookbook designs. Fixed
// settings; for a sweeping filter use Svf.
class Biquad {
public:
    static Biquad lowPass(int sampleRate, double hz, double q);
    static Biquad highPass(int sampleRate, double hz, double q);
    // Unity gain at the centre, falling away either side.
    static Biquad bandPass(int sampleRate, double hz, double q);
    static Biquad peak(int sampleRate, double hz, double q, double gainDb);

    double process(double x);
    void run(Samples& samples);

private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0, b1, b2, a1, a2;
    double z1 = 0.0, z2 = 0.0;
};

// A state-variable filter whose centre can move every sample without
// clicks: formants that glide, whistles that follow a pitch.
class Svf {
public:
    struct Outputs {
        double low, band, high;
    };
    // Sets the centre; cheap to call only every few samples when the centre
    // moves slowly.
    void tune(int sampleRate, double hz, double q);
    Outputs process(double x);
    Outputs process(double x, int sampleRate, double hz, double q) {
        tune(sampleRate, hz, q);
        return process(x);
    }

private:
    double g = 0.0, k = 1.0, a1 = 1.0;
    double s1 = 0.0, s2 = 0.0;
};

// A small Schroeder room (parallel combs into allpasses) mixed in at `wet`.
// `decaySeconds` is the time the tail takes to fall by 60 dB; the sound is
// not lengthened, so a recipe leaves room for the tail itself.
void addRoom(Samples& samples, int sampleRate, double decaySeconds, double wet);

// Repeats of the sound after `delaySeconds`, each `feedback` times the last.
void addEcho(Samples& samples, int sampleRate, double delaySeconds, double feedback);

} // namespace material::synth
