#pragma once
// Random choices, such as the celebration sound. The program seeds from the
// clock; tests put a fixed sequence in its place.
#include <random>

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seedFromClock() = 0;
    // A uniform fraction in [0, 1).
    virtual double next() = 0;
};

class ClockSeededRandom final : public RandomSource {
public:
    void seedFromClock() override;
    double next() override;

private:
    std::mt19937 engine_;
};

// A whole number from 0 to choices - 1, every one equally likely.
int pick(RandomSource& random, int choices);
