#include "synth_filters.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace material::synth {

Biquad::Biquad(double nb0, double nb1, double nb2, double a0, double na1, double na2)
    : b0(nb0 / a0), b1(nb1 / a0), b2(nb2 / a0), a1(na1 / a0), a2(na2 / a0) {}

namespace {

struct Angles {
    double cosW, alpha;
};

Angles anglesFor(int sampleRate, double hz, double q) {
    const double w = 2.0 * kPi * std::min(hz, 0.49 * sampleRate) / sampleRate;
    return {std::cos(w), std::sin(w) / (2.0 * q)};
}

} // namespace

Biquad Biquad::lowPass(int sampleRate, double hz, double q) {
    const auto [c, alpha] = anglesFor(sampleRate, hz, q);
    return Biquad((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::highPass(int sampleRate, double hz, double q) {
    const auto [c, alpha] = anglesFor(sampleRate, hz, q);
    return Biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::bandPass(int sampleRate, double hz, double q) {
    const auto [c, alpha] = anglesFor(sampleRate, hz, q);
    return Biquad(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::peak(int sampleRate, double hz, double q, double gainDb) {
    const auto [c, alpha] = anglesFor(sampleRate, hz, q);
    const double a = std::pow(10.0, gainDb / 40.0);
    return Biquad(1 + alpha * a, -2 * c, 1 - alpha * a, 1 + alpha / a, -2 * c, 1 - alpha / a);
}

double Biquad::process(double x) {
    // Transposed direct form II: well behaved at low centre frequencies.
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
}

void Biquad::run(Samples& samples) {
    for (double& x : samples)
        x = process(x);
}

void Svf::tune(int sampleRate, double hz, double q) {
    // Topology-preserving form: stable for any centre below Nyquist.
    g = std::tan(kPi * std::min(hz, 0.45 * sampleRate) / sampleRate);
    k = 1.0 / q;
    a1 = 1.0 / (1.0 + g * (g + k));
}

Svf::Outputs Svf::process(double x) {
    const double v3 = x - s2;
    const double v1 = a1 * s1 + g * a1 * v3;
    const double v2 = s2 + g * v1;
    s1 = 2.0 * v1 - s1;
    s2 = 2.0 * v2 - s2;
    return {v2, v1, x - k * v1 - v2};
}

namespace {

class Comb {
public:
    Comb(std::size_t length, double feedback) : line(length, 0.0), feedback(feedback) {}
    double process(double x) {
        const double out = line[at];
        // A touch of damping in the loop: real rooms lose their highs first.
        damped = 0.7 * out + 0.3 * damped;
        line[at] = x + feedback * damped;
        at = (at + 1) % line.size();
        return out;
    }

private:
    Samples line;
    double feedback;
    double damped = 0.0;
    std::size_t at = 0;
};

class Allpass {
public:
    explicit Allpass(std::size_t length) : line(length, 0.0) {}
    double process(double x) {
        const double delayed = line[at];
        const double v = x + 0.6 * delayed;
        line[at] = v;
        at = (at + 1) % line.size();
        return delayed - 0.6 * v;
    }

private:
    Samples line;
    std::size_t at = 0;
};

} // namespace

void addRoom(Samples& samples, int sampleRate, double decaySeconds, double wet) {
    // Mutually prime-ish delays so the echoes do not line up into a buzz.
    constexpr std::array<double, 4> combMs{29.7, 37.1, 41.1, 43.7};
    std::vector<Comb> combs;
    for (double ms : combMs) {
        const auto length = static_cast<std::size_t>(samplesFor(ms / 1000.0, sampleRate));
        combs.emplace_back(length, std::pow(10.0, -3.0 * (ms / 1000.0) / decaySeconds));
    }
    Allpass first(static_cast<std::size_t>(samplesFor(0.005, sampleRate)));
    Allpass second(static_cast<std::size_t>(samplesFor(0.0017, sampleRate)));
    for (double& x : samples) {
        double sum = 0.0;
        for (Comb& comb : combs)
            sum += comb.process(x);
        x += wet * second.process(first.process(sum * 0.25));
    }
}

void addEcho(Samples& samples, int sampleRate, double delaySeconds, double feedback) {
    const auto delay = static_cast<std::size_t>(samplesFor(delaySeconds, sampleRate));
    for (std::size_t i = delay; i < samples.size(); ++i)
        samples[i] += feedback * samples[i - delay];
}

} // namespace material::synth
