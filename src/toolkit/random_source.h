#pragma once
// Random choices, such as the celebration sound. The program seeds from the
// clock; tests use a fixed sequence so that a choice can be asserted.
#include <deque>
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

class FixedRandom final : public RandomSource {
public:
    explicit FixedRandom(std::deque<double> values) : values_(std::move(values)) {}
    void seedFromClock() override { ++seeds; }
    // Repeats the last value once the sequence is used up.
    double next() override;

    int seeds = 0;

private:
    std::deque<double> values_;
};

// A whole number from 0 to choices - 1, every one equally likely.
int pick(RandomSource& random, int choices);
