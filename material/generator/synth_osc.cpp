#include "synth_osc.h"

#include <algorithm>
#include <cmath>

namespace material::synth {

void addHarmonicTone(Samples& out, std::size_t offset, int sampleRate, const Samples& hz,
                     const Samples& amp, const std::vector<double>& harmonics,
                     const Samples& cutoffHz) {
    const std::size_t count = std::min(hz.size(), amp.size());
    if (out.size() < offset + count)
        out.resize(offset + count, 0.0);
    const double nyquistGuard = 0.45 * sampleRate;
    const int available = static_cast<int>(harmonics.size());
    double phase = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double f = hz[i];
        phase += 2.0 * kPi * f / sampleRate;
        if (phase > 2.0 * kPi)
            phase -= 2.0 * kPi;
        if (amp[i] == 0.0)
            continue;
        // sin(k x) by the Chebyshev recurrence: one sine and one cosine per
        // sample whatever the number of harmonics.
        const double twoCos = 2.0 * std::cos(phase);
        double previous = 0.0;
        double current = std::sin(phase);
        double sum = 0.0;
        const double inverseCutoff = cutoffHz.empty() ? 0.0 : 1.0 / cutoffHz[i];
        for (int k = 1; k <= available && k * f < nyquistGuard; ++k) {
            double weight = harmonics[static_cast<std::size_t>(k - 1)];
            if (inverseCutoff > 0.0) {
                const double x = k * f * inverseCutoff;
                weight /= 1.0 + (x * x) * (x * x);
            }
            sum += weight * current;
            const double next = twoCos * current - previous;
            previous = current;
            current = next;
        }
        out[offset + i] += amp[i] * sum;
    }
}

namespace {

// The residual of a unit step at phase 0, spread over one sample each side.
double blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

} // namespace

double BlepOscillator::advance(double hz, int sampleRate) {
    const double dt = hz / sampleRate;
    phase += dt;
    phase -= std::floor(phase);
    return dt;
}

double BlepOscillator::saw(double hz, int sampleRate) {
    const double dt = hz / sampleRate;
    const double value = 2.0 * phase - 1.0 - blep(phase, dt);
    advance(hz, sampleRate);
    return value;
}

double BlepOscillator::pulse(double hz, double width, int sampleRate) {
    const double dt = hz / sampleRate;
    double shifted = phase + 1.0 - width;
    shifted -= std::floor(shifted);
    const double value = (phase < width ? 1.0 : -1.0) + blep(phase, dt) - blep(shifted, dt);
    advance(hz, sampleRate);
    return value;
}

} // namespace material::synth
