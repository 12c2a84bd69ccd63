#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

// Small building blocks for sound recipes. Everything is plain arithmetic on
// doubles, so a recipe produces the same samples on every build.
namespace material::synth {

using Samples = std::vector<double>;

// A fixed-seed generator (SplitMix64): noise must come out identical on
// every build, and the standard library's distributions differ from one
// library to the next, let alone anything seeded from the machine.
class Prng {
public:
    explicit Prng(std::uint64_t seed) : state(seed) {}
    std::uint64_t next();
    // Uniform in [-1, 1).
    double bipolar();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [low, high).
    double range(double low, double high) { return low + (high - low) * unit(); }

private:
    std::uint64_t state;
};

inline constexpr double kPi = 3.14159265358979323846;

int samplesFor(double seconds, int sampleRate);
Samples silence(double seconds, int sampleRate);

double dbToGain(double db);
double gainToDb(double gain);

// Equal-tempered pitch, A4 = MIDI 69 = 440 Hz.
double midiHz(double midiNote);

// A piecewise-linear line through (seconds, value) points, flat beyond both
// ends: amplitude envelopes, pitch glides, filter sweeps.
class Curve {
public:
    Curve(std::initializer_list<std::pair<double, double>> points);
    explicit Curve(std::vector<std::pair<double, double>> points);
    double at(double seconds) const;
    // The value at every sample time, `count` samples from time zero.
    Samples sampled(int sampleRate, std::size_t count) const;

private:
    std::vector<std::pair<double, double>> points;
};

// Adds `in` scaled by `gain` into `out` starting at sample `offset`,
// growing `out` if `in` runs past its end.
void mixInto(Samples& out, const Samples& in, double gain, std::size_t offset);

// A sine partial that dies away exponentially, added into `out`.
void addDecayingSine(Samples& out, int sampleRate, double hz, double amplitude, double decaySeconds,
                     double startSeconds = 0.0);

// Like addDecayingSine, but the partial blooms: it starts at (1 - bloom) of
// its level and grows towards full over `riseSeconds` while it decays, which
// is how a struck plate's upper modes build up after the hit.
struct Partial {
    double hz;
    double amplitude;
    double decaySeconds;
    double bloom = 0.0;
    double riseSeconds = 0.1;
    double startSeconds = 0.0;
    double phase = 0.0;
};
void addPartial(Samples& out, int sampleRate, const Partial& partial);

// A burst of white noise that dies away exponentially, added into `out`.
void addDecayingNoise(Samples& out, int sampleRate, Prng& prng, double amplitude,
                      double decaySeconds);

// One-pole filters: gentle enough not to ring, which suits short UI sounds.
void lowPass(Samples& samples, int sampleRate, double cutoffHz);
void highPass(Samples& samples, int sampleRate, double cutoffHz);

// Raised-cosine ramps at both ends so playback starts and stops without a pop.
void fadeEnds(Samples& samples, int sampleRate, double fadeInSeconds, double fadeOutSeconds);

double peakOf(const Samples& samples);

// How loud a sound is while it is sounding, in dB relative to full scale:
// the mean power of the short blocks that come within 20 dB of the loudest
// one, so a long quiet tail does not make a sound count as soft.
double loudnessDb(const Samples& samples, int sampleRate);

// Turns the gain down smoothly (2 ms look-ahead, slower release) wherever a
// sample would exceed `ceilingDbfs`, so loud transients are held under the
// ceiling without the crackle of clipping.
void limitPeaks(Samples& samples, int sampleRate, double ceilingDbfs);

// Brings the sound to `targetDb` loudness, limiting any peaks that would then
// pass `ceilingDbfs`.
void setLoudness(Samples& samples, int sampleRate, double targetDb, double ceilingDbfs);

} // namespace material::synth
