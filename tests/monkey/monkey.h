#pragma once
// A seeded monkey: random clicks, drags, double-clicks and keys where a
// person could put them, on the screen in front, with the program's checks
// after every one. The same seed gives the same events and the same outcome,
// so a fault it finds is replayed by running the same seed that far again.
#include "program.h"

#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace monkey {

// The monkey's own choices and the program's random source both come from
// this, so nothing depends on the platform's distributions.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // 0 to n - 1; 0 when n < 1.
    int below(int n);
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t state_;
};

// How a round begins: a screen opened the way the program opens it.
struct Start {
    const char* name;
    std::function<void(Program&, Dice&)> open;
};
const std::vector<Start>& starts();

struct Outcome {
    bool ok = true;
    // Events sent; on a fault, the number of the event after which it showed.
    int events = 0;
    // The whole account of a fault: what, seed, event, how to replay it, and
    // the last events.
    QString report;
    // Every event as described, in order: two runs agree when these do.
    QStringList log;
    int restarts = 0;
    // How many events each screen received while it was in front.
    std::map<QString, int> fronts;
};

class Monkey {
public:
    // Works on a fresh copy of the worksheet folder of the material in
    // `home`, with two pages of teachers' worksheets in its catalogue; the
    // rest of the material is used where it lies.
    Monkey(const QString& home, std::uint64_t seed);
    ~Monkey();

    Outcome run(int events);

    // The checks after an event: empty when they all hold, else what failed.
    QString check() const;

    Program& program() { return *program_; }
    // Called after each event and before its checks; a test uses it to
    // break the program on purpose.
    std::function<void(Program&, int event)> afterEvent;

    // Events in one round before the next starts at the next screen.
    static constexpr int RoundLength = 60;

private:
    void startProgram();
    void beginRound(int round);
    void restartAfterEnd();
    // One random event; false when the program ended during it.
    void sendEvent();
    void settle();
    void note(const QString& text);
    QString faultReport(const QString& fault, const QString& where) const;

    QString home_;
    std::uint64_t seed_;
    Dice dice_;
    QTemporaryDir dir_;
    std::unique_ptr<Program> program_;
    bool ended_ = false;
    int event_ = 0;
    QStringList log_;
    QString roundStart_;
    int restarts_ = 0;
    std::map<QString, int> fronts_;
    // Timestamps of the pointer's events, so that only the monkey's own
    // double-clicks read as double-clicks.
    ulong clock_ = 1000;
};

} // namespace monkey
