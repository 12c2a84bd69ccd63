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

double Prng::unit() {
    // The top 53 bits fill a double's mantissa exactly.
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double Prng::bipolar() {
    return unit() * 2.0 - 1.0;
}

int samplesFor(double seconds, int sampleRate) {
    return static_cast<int>(std::lround(seconds * sampleRate));
}

Samples silence(double seconds, int sampleRate) {
    return Samples(static_cast<std::size_t>(samplesFor(seconds, sampleRate)), 0.0);
}

double dbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}

double gainToDb(double gain) {
    return 20.0 * std::log10(gain);
}

double midiHz(double midiNote) {
    return 440.0 * std::exp2((midiNote - 69.0) / 12.0);
}

Curve::Curve(std::initializer_list<std::pair<double, double>> list) : points(list) {}

Curve::Curve(std::vector<std::pair<double, double>> list) : points(std::move(list)) {}

double Curve::at(double seconds) const {
    if (points.empty())
        return 0.0;
    if (seconds <= points.front().first)
        return points.front().second;
    if (seconds >= points.back().first)
        return points.back().second;
    const auto after = std::upper_bound(points.begin(), points.end(), seconds,
                                        [](double t, const auto& p) { return t < p.first; });
    const auto before = after - 1;
    const double span = after->first - before->first;
    if (span <= 0.0)
        return after->second;
    const double f = (seconds - before->first) / span;
    return before->second + f * (after->second - before->second);
}

Samples Curve::sampled(int sampleRate, std::size_t count) const {
    Samples out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = at(static_cast<double>(i) / sampleRate);
    return out;
}

void mixInto(Samples& out, const Samples& in, double gain, std::size_t offset) {
    if (out.size() < offset + in.size())
        out.resize(offset + in.size(), 0.0);
    for (std::size_t i = 0; i < in.size(); ++i)
        out[offset + i] += gain * in[i];
}

void addPartial(Samples& out, int sampleRate, const Partial& p) {
    // A rotating, shrinking phasor: one complex multiply per sample instead
    // of a sine and an exponential, which matters for a gong's many partials.
    const auto start = static_cast<std::size_t>(samplesFor(p.startSeconds, sampleRate));
    const double w = 2.0 * kPi * p.hz / sampleRate;
    const double shrink = std::exp(-1.0 / (p.decaySeconds * sampleRate));
    const double stepRe = shrink * std::cos(w);
    const double stepIm = shrink * std::sin(w);
    const double riseStep = std::exp(-1.0 / (std::max(p.riseSeconds, 1e-4) * sampleRate));
    double re = std::cos(p.phase);
    double im = std::sin(p.phase);
    double rising = p.bloom;
    for (std::size_t i = start; i < out.size(); ++i) {
        out[i] += p.amplitude * (1.0 - rising) * im;
        const double nextRe = re * stepRe - im * stepIm;
        im = re * stepIm + im * stepRe;
        re = nextRe;
        rising *= riseStep;
    }
}

void addDecayingSine(Samples& out, int sampleRate, double hz, double amplitude, double decaySeconds,
                     double startSeconds) {
    Partial p{hz, amplitude, decaySeconds};
    p.startSeconds = startSeconds;
    addPartial(out, sampleRate, p);
}

void addDecayingNoise(Samples& out, int sampleRate, Prng& prng, double amplitude,
                      double decaySeconds) {
    const double shrink = std::exp(-1.0 / (decaySeconds * sampleRate));
    double level = amplitude;
    for (double& x : out) {
        x += level * prng.bipolar();
        level *= shrink;
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

} // namespace material::synth
