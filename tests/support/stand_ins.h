#pragma once
// Stand-ins for the program's side effects: a sound control that remembers
// what would have been heard, message boxes that note what they said and
// answer as told, and a random source that gives a fixed sequence.
#include "messages.h"
#include "random_source.h"
#include "sound.h"

#include <QStringList>
#include <deque>
#include <functional>

// The sounds the tests listen for, spelt out as the screens ask for them.
namespace heard {
inline const QString Click = QStringLiteral("wav\\click.wav");
inline const QString Thud = QStringLiteral("wav\\thud3.wav");
} // namespace heard

class RecordingSound final : public SoundDevice {
public:
    void play(const QString& materialPath) override;

    QStringList played;
    // Called at the moment a sound starts, so a test can look at the screens
    // as they are when the pupil hears it.
    std::function<void(const QString&)> onPlay;
};

class RecordingMessages final : public MessageBoxes {
public:
    void tell(const QString& text) override { shown.append(text); }
    bool confirm(const QString& text, const QString& caption) override;

    QStringList shown;
    // The title bar of each confirmation, in order.
    QStringList captions;
    // Answers for the next confirmations, in order; OK once they run out.
    std::deque<bool> answers;
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
