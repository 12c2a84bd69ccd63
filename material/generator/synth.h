#pragma once
#include <cstdint>
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

private:
    std::uint64_t state;
};

inline constexpr double kPi = 3.14159265358979323846;

int samplesFor(double seconds, int sampleRate);

// A sine partial that dies away exponentially, added into `out`.
void addDecayingSine(Samples& out, int sampleRate, double hz, double amplitude, double decaySeconds,
                     double startSeconds = 0.0);

// A burst of white noise that dies away exponentially, added into `out`.
void addDecayingNoise(Samples& out, int sampleRate, Prng& prng, double amplitude,
                      double decaySeconds);

// One-pole filters: gentle enough not to ring, which suits short UI sounds.
void lowPass(Samples& samples, int sampleRate, double cutoffHz);
void highPass(Samples& samples, int sampleRate, double cutoffHz);

// Raised-cosine ramps at both ends so playback starts and stops without a pop.
void fadeEnds(Samples& samples, int sampleRate, double fadeInSeconds, double fadeOutSeconds);

// Scales so the largest magnitude sits exactly at `peakDbfs` (which must be
// negative). Silence stays silence.
void normalise(Samples& samples, double peakDbfs);

double peakOf(const Samples& samples);

} // namespace material::synth
