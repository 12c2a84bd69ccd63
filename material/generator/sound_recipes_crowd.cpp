// People: a cheering crowd, a class cheering, and two sizes of
// applause. Voices are a buzzing source shaped by three moving formants.
#include "sound_recipes.h"
#include "synth_filters.h"
#include "synth_osc.h"

#include <algorithm>
#include <cmath>

namespace material::recipes {

using namespace synth;

namespace {

struct Vowel {
    double f1, f2, f3;
};
constexpr Vowel kOo{320, 870, 2250};
constexpr Vowel kAy{560, 1850, 2600};
constexpr Vowel kEe{300, 2250, 2950};
constexpr Vowel kAh{750, 1200, 2500};

// Smaller throats (children's) put every formant higher.
Vowel scaled(Vowel v, double by) {
    return {v.f1 * by, v.f2 * by, v.f3 * by};
}

double throatFor(double pitch, Prng& prng) {
    return pitch > 190 ? prng.range(1.1, 1.3) : prng.range(0.9, 1.05);
}

// One voice shouting: `pitch` is in the shout's own time; the vowel glides
// from `from` to `to` between the two morph times.
struct Shout {
    double start, length, level, breath;
    Curve pitch;
    Vowel from, to;
    double morphFrom, morphTo;
};

void addShout(Samples& out, int rate, const Shout& s, Prng& prng) {
    const auto count = static_cast<std::size_t>(samplesFor(s.length, rate));
    const Curve shape({{0.0, 0.0}, {0.07, 1.0}, {s.length * 0.6, 0.9}, {s.length, 0.0}});
    BlepOscillator source(prng.unit());
    Svf formants[3];
    const double gains[3] = {1.0, 0.6, 0.3};
    // No one holds a shouted note steady: a slow wander and a faster shake.
    const double wanderHz = prng.range(2.0, 4.0);
    const double shakeHz = prng.range(6.0, 9.0);
    const double wanderPhase = prng.range(0.0, 2.0 * kPi);
    double tone = 0.0;
    double hz = 0.0;
    Samples voice(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        // Pitch and vowel move slowly: recomputing them every 16 samples is
        // inaudible and keeps forty voices quick to make.
        if (i % 16 == 0) {
            const double m = std::clamp((t - s.morphFrom) / (s.morphTo - s.morphFrom), 0.0, 1.0);
            const double centres[3] = {s.from.f1 + m * (s.to.f1 - s.from.f1),
                                       s.from.f2 + m * (s.to.f2 - s.from.f2),
                                       s.from.f3 + m * (s.to.f3 - s.from.f3)};
            for (int f = 0; f < 3; ++f)
                formants[f].tune(rate, centres[f], centres[f] / 90.0);
            const double drift = 0.025 * std::sin(2.0 * kPi * wanderHz * t + wanderPhase) +
                                 0.008 * std::sin(2.0 * kPi * shakeHz * t);
            hz = s.pitch.at(t) * (1.0 + drift);
        }
        // The throat's buzz falls off with pitch; a one-pole smooths the saw.
        tone += 0.35 * (source.saw(hz, rate) - tone);
        const double excite = (1.0 - s.breath) * tone + s.breath * prng.bipolar();
        double sum = 0.0;
        for (int f = 0; f < 3; ++f)
            sum += gains[f] * formants[f].process(excite).band / 3.0;
        voice[i] = s.level * shape.at(t) * sum;
    }
    mixInto(out, voice, 1.0, static_cast<std::size_t>(samplesFor(s.start, rate)));
}

// "Hoo-RAY": a low start, a leap up on the second syllable, then a fall.
// Some in the crowd shout "yeah!" or "woo!" over the same tune instead.
Shout hooray(Prng& prng, double start, double length, double base, double level) {
    const double throat = throatFor(base, prng);
    const double pick = prng.unit();
    Vowel from = kOo, to = kAy;
    if (pick > 0.8)
        to = kOo;
    else if (pick > 0.55)
        from = kEe, to = kAh;
    return {start,
            length,
            level,
            prng.range(0.3, 0.55),
            Curve({{0.0, base * 0.85},
                   {length * 0.25, base},
                   {length * 0.4, base * 1.35},
                   {length, base * 0.95}}),
            scaled(from, throat),
            scaled(to, throat),
            length * 0.28,
            length * 0.42};
}

double voicePitch(Prng& prng) {
    // Grown-ups and a good many children.
    return prng.unit() < 0.4 ? prng.range(105, 165) : prng.range(200, 330);
}

} // namespace

Samples crowd(int rate) {
    const double seconds = 2.8;
    Samples out = silence(seconds, rate);
    Prng prng(0xc40d);
    for (int v = 0; v < 40; ++v) {
        // More and more people join in: the cheer swells.
        const double start = 0.7 * std::sqrt(prng.unit());
        const double length = prng.range(1.1, 1.9);
        addShout(out, rate, hooray(prng, start, length, voicePitch(prng), prng.range(0.3, 1.0)),
                 prng);
    }
    // Under the voices, the roar that a crowd's breath and echoes make.
    const Curve swell({{0.0, 0.0}, {0.5, 0.6}, {1.0, 1.0}, {1.8, 0.8}, {2.6, 0.0}});
    Samples roar(out.size());
    for (std::size_t i = 0; i < roar.size(); ++i)
        roar[i] = swell.at(static_cast<double>(i) / rate) * prng.bipolar();
    Biquad::lowPass(rate, 2400, 0.7).run(roar);
    Biquad::highPass(rate, 250, 0.7).run(roar);
    mixInto(out, roar, 0.12, 0);
    addRoom(out, rate, 1.0, 0.25);
    fadeEnds(out, rate, 0.05, 0.3);
    return out;
}

namespace {

// Someone clapping: a steady but human beat, each clap a burst of noise
// coloured by the cup of that person's hands.
struct Clapper {
    double beatsPerSecond, firstAt, lastAt, level, centreHz, q, decaySeconds;
};

void addClapping(Samples& out, int rate, const Clapper& c, Prng& prng) {
    const double period = 1.0 / c.beatsPerSecond;
    for (double t = c.firstAt; t < c.lastAt; t += period * (1.0 + 0.07 * prng.bipolar())) {
        Samples hit = silence(c.decaySeconds * 7.0, rate);
        addDecayingNoise(hit, rate, prng, 1.0, c.decaySeconds);
        fadeEnds(hit, rate, 0.0004, 0.0);
        Samples crack = hit;
        Biquad::bandPass(rate, c.centreHz, c.q).run(hit);
        Biquad::bandPass(rate, 4000, 0.8).run(crack);
        mixInto(hit, crack, 0.25, 0);
        const double at = std::max(0.0, t + 0.006 * prng.bipolar());
        mixInto(out, hit, c.level * prng.range(0.75, 1.0),
                static_cast<std::size_t>(samplesFor(at, rate)));
    }
}

Clapper randomClapper(Prng& prng, double firstAt, double lastAt, double beats, double level) {
    return {beats,
            firstAt,
            lastAt,
            level,
            prng.range(800, 2200),
            prng.range(1.0, 2.5),
            prng.range(0.006, 0.011)};
}

Samples applause(int rate, std::uint64_t seed, int people, double seconds, double spread,
                 double roomWet) {
    Samples out = silence(seconds, rate);
    Prng prng(seed);
    for (int p = 0; p < people; ++p) {
        const double first = prng.range(0.0, spread);
        const double last = seconds - 0.35 - prng.range(0.0, 2.0 * spread);
        const double beats = people > 8 ? prng.range(3.2, 5.5) : prng.range(2.6, 3.6);
        const double level = people > 8 ? prng.range(0.25, 1.0) : prng.range(0.7, 1.0);
        addClapping(out, rate, randomClapper(prng, first, last, beats, level), prng);
    }
    out.resize(static_cast<std::size_t>(samplesFor(seconds, rate)));
    // Hands in a room: little above 9 kHz reaches the listener.
    Biquad::lowPass(rate, 9000, 0.7).run(out);
    addRoom(out, rate, 0.8, roomWet);
    fadeEnds(out, rate, 0.0, 0.25);
    return out;
}

} // namespace

Samples roomApplause(int rate) {
    return applause(rate, 0xc1a2, 30, 2.6, 0.35, 0.3);
}

Samples fewClapping(int rate) {
    return applause(rate, 0xc1a3, 4, 1.9, 0.12, 0.12);
}

namespace {

// A short falsetto "woo!": nearly a pure tone, so additive rather than
// formants. It leaps and falls back within half a second; held any longer,
// a leap like that stops being a person and becomes a siren.
void addWhoop(Samples& out, int rate, double start, double base, double level, Prng& prng) {
    const double length = prng.range(0.3, 0.45);
    const double leap = prng.range(1.35, 1.6);
    const auto count = static_cast<std::size_t>(samplesFor(length, rate));
    const Curve pitch(
        {{0.0, base}, {length * 0.3, base * leap}, {length, base * leap * prng.range(0.8, 0.9)}});
    const Curve shape({{0.0, 0.0}, {0.04, 0.7}, {length * 0.35, 1.0}, {length, 0.0}});
    Samples hz = pitch.sampled(rate, count);
    Samples amp = shape.sampled(rate, count);
    for (std::size_t i = 0; i < count; ++i)
        amp[i] *= level;
    const auto offset = static_cast<std::size_t>(samplesFor(start, rate));
    addHarmonicTone(out, offset, rate, hz, amp, {0.5, 0.2, 0.1, 0.05});
    Samples air(count);
    Svf band;
    for (std::size_t i = 0; i < count; ++i)
        air[i] = amp[i] * band.process(prng.bipolar(), rate, 2.0 * hz[i], 2.0).band;
    mixInto(out, air, 0.12, offset);
}

// One "yay!", "hey!", "yeah!" or "woah!": the voice jumps up a little on
// the word and falls away after it. Shouting lifts everyone's pitch.
Shout cheerShout(Prng& prng, double start) {
    static constexpr Vowel kWords[][2] = {{kAy, kEe}, {kEe, kAh}, {kAh, kEe}, {kOo, kAh}};
    const double length = prng.range(0.22, 0.55);
    const double base = voicePitch(prng) * prng.range(1.05, 1.3);
    const double throat = throatFor(base, prng);
    const auto& word = kWords[static_cast<std::size_t>(prng.unit() * std::size(kWords))];
    const double lift = prng.range(1.04, 1.15);
    const double fall = prng.range(0.78, 0.92);
    return {start,
            length,
            prng.range(0.3, 1.0),
            prng.range(0.3, 0.6),
            Curve({{0.0, base * 0.92},
                   {0.05, base * lift},
                   {length * 0.55, base},
                   {length, base * fall}}),
            scaled(word[0], throat),
            scaled(word[1], throat),
            length * 0.25,
            length * 0.7};
}

} // namespace

Samples smallCheer(int rate) {
    const double seconds = 2.2;
    Samples out = silence(seconds, rate);
    Prng prng(0xc4ee2);
    // A class cheering a right answer: thirty short shouts go up almost
    // together, and half the pupils shout again (a few a third time), so no
    // single voice stands out long enough to be followed and the cheer
    // thins out rather than stopping.
    const int people = 30;
    for (int p = 0; p < people; ++p) {
        double start = 0.5 * std::pow(prng.unit(), 1.3);
        const double keen = prng.unit();
        const int shouts = 1 + (keen < 0.5) + (keen < 0.15);
        for (int s = 0; s < shouts; ++s) {
            const Shout shout = cheerShout(prng, start);
            addShout(out, rate, shout, prng);
            start += shout.length + prng.range(0.08, 0.35);
        }
    }
    for (int w = 0; w < 4; ++w)
        addWhoop(out, rate, prng.range(0.05, 0.8), prng.range(330, 500), prng.range(0.25, 0.45),
                 prng);
    for (int c = 0; c < 5; ++c)
        addClapping(out, rate,
                    randomClapper(prng, prng.range(0.1, 0.35), prng.range(1.3, 1.8),
                                  prng.range(3.5, 5.0), prng.range(0.6, 1.2)),
                    prng);
    // Under it all, the breath and chatter of everyone else.
    const Curve swell({{0.0, 0.0}, {0.1, 1.0}, {0.9, 0.7}, {1.9, 0.0}});
    Samples murmur(out.size());
    for (std::size_t i = 0; i < murmur.size(); ++i)
        murmur[i] = swell.at(static_cast<double>(i) / rate) * prng.bipolar();
    Biquad::highPass(rate, 300, 0.7).run(murmur);
    Biquad::lowPass(rate, 2500, 0.7).run(murmur);
    mixInto(out, murmur, 0.4, 0);
    out.resize(static_cast<std::size_t>(samplesFor(seconds, rate)));
    addRoom(out, rate, 0.6, 0.15);
    fadeEnds(out, rate, 0.01, 0.25);
    return out;
}

} // namespace material::recipes
