#include "synth.h"

#include <algorithm>
#include <cmath>

namespace material::synth {

std::uint64_t Prng::next() {
    state += 0x9e3779b97f4a7c15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

double Prng::bipolar() {
    // The top 53 bits fill a double's mantissa exactly.
    const double unit = static_cast<double>(next() >> 11) * 0x1.0p-53;
    return unit * 2.0 - 1.0;
}

int samplesFor(double seconds, int sampleRate) {
    return static_cast<int>(std::lround(seconds * sampleRate));
}

void addDecayingSine(Samples& out, int sampleRate, double hz, double amplitude, double decaySeconds,
                     double startSeconds) {
    const auto start = static_cast<std::size_t>(samplesFor(startSeconds, sampleRate));
    for (std::size_t i = start; i < out.size(); ++i) {
        const double t = static_cast<double>(i - start) / sampleRate;
        out[i] += amplitude * std::exp(-t / decaySeconds) * std::sin(2.0 * kPi * hz * t);
    }
}

void addDecayingNoise(Samples& out, int sampleRate, Prng& prng, double amplitude,
                      double decaySeconds) {
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        out[i] += amplitude * std::exp(-t / decaySeconds) * prng.bipolar();
    }
}

void lowPass(Samples& samples, int sampleRate, double cutoffHz) {
    const double a = 1.0 - std::exp(-2.0 * kPi * cutoffHz / sampleRate);
    double y = 0.0;
    for (double& x : samples) {
        y += a * (x - y);
        x = y;
    }
}

void highPass(Samples& samples, int sampleRate, double cutoffHz) {
    const double rc = 1.0 / (2.0 * kPi * cutoffHz);
    const double a = rc / (rc + 1.0 / sampleRate);
    double previousIn = 0.0;
    double y = 0.0;
    for (double& x : samples) {
        y = a * (y + x - previousIn);
        previousIn = x;
        x = y;
    }
}

void fadeEnds(Samples& samples, int sampleRate, double fadeInSeconds, double fadeOutSeconds) {
    const auto ramp = [](int i, int length) {
        return 0.5 - 0.5 * std::cos(kPi * (i + 0.5) / length);
    };
    const int n = static_cast<int>(samples.size());
    const int in = std::min(samplesFor(fadeInSeconds, sampleRate), n);
    const int out = std::min(samplesFor(fadeOutSeconds, sampleRate), n);
    for (int i = 0; i < in; ++i)
        samples[i] *= ramp(i, in);
    for (int i = 0; i < out; ++i)
        samples[n - 1 - i] *= ramp(i, out);
}

double peakOf(const Samples& samples) {
    double peak = 0.0;
    for (double x : samples)
        peak = std::max(peak, std::abs(x));
    return peak;
}

void normalise(Samples& samples, double peakDbfs) {
    const double peak = peakOf(samples);
    if (peak == 0.0)
        return;
    const double gain = std::pow(10.0, peakDbfs / 20.0) / peak;
    for (double& x : samples)
        x *= gain;
}

} // namespace material::synth
