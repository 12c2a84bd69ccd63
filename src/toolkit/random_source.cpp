#include "random_source.h"

#include <chrono>

void ClockSeededRandom::seedFromClock() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
                       std::chrono::system_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::mt19937::result_type>(ticks));
}

double ClockSeededRandom::next() {
    return std::generate_canonical<double, 32>(engine_);
}

int pick(RandomSource& random, int choices) {
    const int r = static_cast<int>(random.next() * choices);
    // generate_canonical can round up to 1.0 on some libraries.
    return r < choices ? r : choices - 1;
}
