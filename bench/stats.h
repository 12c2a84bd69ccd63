#pragma once
// The few statistics the benchmark table needs. Header-only, so the tests
// can check them without the runner.
#include <algorithm>
#include <optional>
#include <vector>

namespace bench {

struct Spread {
    double min = 0, median = 0, max = 0;
};

// Min, median and max of the samples; nothing for no samples. The median of
// an even count is the mean of the two middle samples.
inline std::optional<Spread> spread(std::vector<double> samples) {
    if (samples.empty())
        return std::nullopt;
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return Spread{samples.front(), median, samples.back()};
}

// Ratios of runs taken side by side: the program's i-th run over the floor's
// i-th run, which ran next to it. Pairs where the floor took no time are
// left out rather than dividing by zero.
inline std::vector<double> pairedRatios(const std::vector<double>& program,
                                        const std::vector<double>& floor) {
    std::vector<double> ratios;
    const std::size_t n = std::min(program.size(), floor.size());
    for (std::size_t i = 0; i < n; ++i)
        if (floor[i] > 0)
            ratios.push_back(program[i] / floor[i]);
    return ratios;
}

// The order runs take in one round: the program, the floor, the floor, the
// program, so that a machine slowing down or speeding up over the round
// weighs on both alike. true is the program.
inline std::vector<bool> interleaved(int rounds) {
    std::vector<bool> order;
    for (int r = 0; r < rounds; ++r)
        order.insert(order.end(), {true, false, false, true});
    return order;
}

} // namespace bench
