// Level handling for finished sounds: a loudness measure and a peak limiter,
// so a set of very different sounds can be played at one volume setting.
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace material::synth {

namespace {

// Minimum of `values` over [i - reach, i + reach] for every i.
std::vector<double> slidingMinimum(const std::vector<double>& values, std::size_t reach) {
    const std::size_t n = values.size();
    std::vector<double> out(n);
    std::deque<std::size_t> window; // indices whose values increase front to back
    std::size_t added = 0;
    for (std::size_t i = 0; i < n; ++i) {
        for (; added < n && added <= i + reach; ++added) {
            while (!window.empty() && values[window.back()] >= values[added])
                window.pop_back();
            window.push_back(added);
        }
        while (window.front() + reach < i)
            window.pop_front();
        out[i] = values[window.front()];
    }
    return out;
}

} // namespace

double loudnessDb(const Samples& samples, int sampleRate) {
    if (samples.empty())
        return -200.0;
    const std::size_t block =
        std::min(samples.size(), static_cast<std::size_t>(samplesFor(0.05, sampleRate)));
    const std::size_t hop = std::max<std::size_t>(1, block / 4);
    std::vector<double> powers;
    for (std::size_t at = 0; at + block <= samples.size(); at += hop) {
        double sum = 0.0;
        for (std::size_t i = at; i < at + block; ++i)
            sum += samples[i] * samples[i];
        powers.push_back(sum / static_cast<double>(block));
    }
    const double loudest = *std::max_element(powers.begin(), powers.end());
    if (loudest <= 0.0)
        return -200.0;
    const double gate = loudest * 0.01; // 20 dB down
    double sum = 0.0;
    int counted = 0;
    for (double p : powers)
        if (p >= gate) {
            sum += p;
            ++counted;
        }
    return 10.0 * std::log10(sum / counted);
}

void limitPeaks(Samples& samples, int sampleRate, double ceilingDbfs) {
    const double ceiling = dbToGain(ceilingDbfs);
    std::vector<double> needed(samples.size());
    bool over = false;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double magnitude = std::abs(samples[i]);
        needed[i] = magnitude > ceiling ? ceiling / magnitude : 1.0;
        over = over || magnitude > ceiling;
    }
    if (!over)
        return;
    // Holding the minimum over the look-ahead reach and then averaging over
    // the same reach gives a smooth gain that is still never above what any
    // sample needs, since every value averaged for sample i is at most
    // needed[i].
    const std::size_t reach = std::max(1, samplesFor(0.002, sampleRate));
    const std::vector<double> held = slidingMinimum(needed, reach);
    std::vector<double> prefix(held.size() + 1, 0.0);
    for (std::size_t i = 0; i < held.size(); ++i)
        prefix[i + 1] = prefix[i] + held[i];
    const double release = 1.0 - std::exp(-1.0 / (0.06 * sampleRate));
    double gain = 1.0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const std::size_t from = i >= reach ? i - reach : 0;
        const std::size_t to = std::min(held.size(), i + reach + 1);
        const double smooth = (prefix[to] - prefix[from]) / static_cast<double>(to - from);
        gain = std::min(smooth, gain + (1.0 - gain) * release);
        samples[i] = std::clamp(samples[i] * gain, -ceiling, ceiling);
    }
}

void setLoudness(Samples& samples, int sampleRate, double targetDb, double ceilingDbfs) {
    // Limiting lowers the loudness, so further passes make up the
    // difference; sounds made of dense hard hits may need a few.
    for (int pass = 0; pass < 6; ++pass) {
        const double now = loudnessDb(samples, sampleRate);
        if (now <= -200.0 || std::abs(targetDb - now) < 0.1)
            return;
        const double gain = dbToGain(targetDb - now);
        for (double& x : samples)
            x *= gain;
        limitPeaks(samples, sampleRate, ceilingDbfs);
    }
}

} // namespace material::synth
