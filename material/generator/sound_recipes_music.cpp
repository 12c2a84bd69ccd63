// Instruments: two trumpet fanfares, a flute phrase and a gong.
#include "sound_recipes.h"
#include "synth_filters.h"
#include "synth_osc.h"

#include <algorithm>
#include <cmath>

namespace material::recipes {

using namespace synth;

namespace {

struct Note {
    double start;  // seconds
    double length; // seconds held, before the release
    double midi;
    double level;
};

// A player is never exactly on the beat or in tune, and two players differ.
struct Player {
    double cents;
    double lateSeconds;
};

Samples vibratoPitch(int rate, std::size_t count, double hz, double scoopCents, double depthCents,
                     double length) {
    Samples out(count);
    // Vibrato creeps in only once a note is held, as a player's does.
    const Curve depth({{0.0, 0.0}, {0.25, 0.0}, {0.6, depthCents}});
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double scoop = scoopCents * std::exp(-t / 0.015);
        const double wobble = length > 0.35 ? depth.at(t) * std::sin(2.0 * kPi * 5.3 * t) : 0.0;
        out[i] = hz * std::exp2((wobble - scoop) / 1200.0);
    }
    return out;
}

void addBrassNote(Samples& out, int rate, const Note& note, const Player& player, Prng& prng) {
    static const std::vector<double> trumpet = {1.0,  0.85, 0.75,  0.6,   0.48, 0.38, 0.3,
                                                0.24, 0.19, 0.15,  0.12,  0.1,  0.08, 0.065,
                                                0.05, 0.04, 0.032, 0.026, 0.02, 0.016};
    const double release = 0.07;
    const double length = std::max(note.length, 0.06);
    const auto count = static_cast<std::size_t>(samplesFor(length + release, rate));
    // A quick attack that overshoots (the brassy "blat"), a swell on long
    // notes, then a short release.
    const double held = length > 0.35 ? 1.05 : 0.85;
    const Curve shape(
        {{0.0, 0.0}, {0.018, 1.1}, {0.055, 0.85}, {length, held}, {length + release, 0.0}});
    Samples amp = shape.sampled(rate, count);
    Samples cutoff(count);
    const double hz = midiHz(note.midi + player.cents / 100.0);
    for (std::size_t i = 0; i < count; ++i) {
        cutoff[i] = std::max(1.5 * hz, 500.0 + 4000.0 * amp[i] * amp[i]);
        amp[i] *= note.level * 0.3;
    }
    const Samples pitch = vibratoPitch(rate, count, hz, 35.0, 16.0, length);
    const auto offset = static_cast<std::size_t>(samplesFor(note.start + player.lateSeconds, rate));
    addHarmonicTone(out, offset, rate, pitch, amp, trumpet, cutoff);
    // Air through the lips at the start of each note.
    Samples breath = silence(0.06, rate);
    addDecayingNoise(breath, rate, prng, 0.06 * note.level, 0.012);
    fadeEnds(breath, rate, 0.003, 0.0);
    Biquad::bandPass(rate, 2600, 0.9).run(breath);
    mixInto(out, breath, 1.0, offset);
}

Samples finishBrass(Samples out, int rate, double seconds) {
    out.resize(static_cast<std::size_t>(samplesFor(seconds, rate)), 0.0);
    // The bell's resonance, and an echoing hall for ceremony.
    Biquad::peak(rate, 1300, 0.9, 3.0).run(out);
    addRoom(out, rate, 1.3, 0.3);
    fadeEnds(out, rate, 0.0, 0.12);
    return out;
}

} // namespace

Samples fanfareCall(int rate) {
    // One trumpet: a rising major arpeggio in triplets, a bounce, and a long
    // top note that swells with vibrato.
    const Note call[] = {{0.00, 0.09, 67, 0.8}, {0.12, 0.09, 72, 0.85}, {0.24, 0.09, 76, 0.9},
                         {0.36, 0.26, 79, 1.0}, {0.68, 0.09, 76, 0.85}, {0.80, 0.09, 79, 0.9},
                         {0.92, 1.05, 84, 1.0}};
    Samples out;
    Prng prng(0xfa2f);
    for (const Note& n : call)
        addBrassNote(out, rate, n, {4.0, 0.0}, prng);
    return finishBrass(std::move(out), rate, 2.4);
}

Samples fanfareTrio(int rate) {
    // Three trumpets in close harmony on a dotted "ta-ta TAA" rhythm that
    // climbs from the home chord through IV and V and back home.
    struct Chord {
        double start, length, top, middle, low;
    };
    const Chord chords[] = {{0.00, 0.13, 69, 66, 62}, {0.19, 0.07, 69, 66, 62},
                            {0.30, 0.32, 71, 67, 62}, {0.70, 0.13, 73, 69, 64},
                            {0.89, 0.07, 73, 69, 64}, {1.00, 0.32, 76, 73, 69},
                            {1.40, 1.00, 78, 74, 69}};
    const Player players[] = {{3.0, 0.0}, {-6.0, 0.009}, {8.0, 0.004}};
    const double levels[] = {1.0, 0.75, 0.7};
    Samples out;
    Prng prng(0xfa3f);
    for (const Chord& c : chords) {
        const double notes[] = {c.top, c.middle, c.low};
        for (int v = 0; v < 3; ++v)
            addBrassNote(out, rate, {c.start, c.length, notes[v], levels[v] * 0.8}, players[v],
                         prng);
    }
    return finishBrass(std::move(out), rate, 2.8);
}

Samples flute(int rate) {
    // A cheerful climb in G major, tongued, ending on a held high D.
    const Note phrase[] = {{0.00, 0.13, 74, 0.8}, {0.18, 0.13, 79, 0.9},  {0.36, 0.13, 81, 0.9},
                           {0.54, 0.26, 83, 1.0}, {0.86, 0.11, 81, 0.85}, {1.02, 0.11, 83, 0.9},
                           {1.18, 0.75, 86, 1.0}};
    static const std::vector<double> tone = {1.0, 0.28, 0.12, 0.05, 0.025};
    Samples out;
    Prng prng(0xf1a7e);
    for (const Note& n : phrase) {
        const double release = 0.06;
        const auto count = static_cast<std::size_t>(samplesFor(n.length + release, rate));
        const double hz = midiHz(n.midi);
        const Curve shape({{0.0, 0.0}, {0.035, 1.0}, {n.length, 0.95}, {n.length + release, 0}});
        Samples amp = shape.sampled(rate, count);
        for (std::size_t i = 0; i < count; ++i) {
            // A flute's vibrato is as much in the breath as in the pitch.
            const double t = static_cast<double>(i) / rate;
            const double pulse = n.length > 0.35 ? 0.1 * std::min(1.0, t / 0.4) : 0.0;
            amp[i] *= n.level * 0.3 * (1.0 + pulse * std::sin(2.0 * kPi * 5.3 * t));
        }
        const auto offset = static_cast<std::size_t>(samplesFor(n.start, rate));
        addHarmonicTone(out, offset, rate, vibratoPitch(rate, count, hz, 10.0, 9.0, n.length), amp,
                        tone);
        // Breath: a noisy band round the note, plus the "chiff" of the tongue.
        Samples air(count);
        Svf band;
        for (std::size_t i = 0; i < count; ++i)
            air[i] = amp[i] * band.process(prng.bipolar(), rate, 2.0 * hz, 1.5).band;
        Samples chiff = silence(0.05, rate);
        addDecayingNoise(chiff, rate, prng, 0.05 * n.level, 0.008);
        fadeEnds(chiff, rate, 0.003, 0.0);
        Biquad::bandPass(rate, 3500, 1.2).run(chiff);
        Biquad::lowPass(rate, 5000, 0.7).run(air);
        mixInto(out, air, 0.35, offset);
        mixInto(out, chiff, 1.0, offset);
    }
    out.resize(static_cast<std::size_t>(samplesFor(2.2, rate)), 0.0);
    addRoom(out, rate, 0.9, 0.2);
    fadeEnds(out, rate, 0.0, 0.1);
    return out;
}

namespace {

// One mode of the gong and its twin a fraction of a hertz away: the plate is
// never quite round, so each mode is split in two and the pair beat slowly.
void addGongMode(Samples& out, int rate, Partial p, Prng& prng) {
    p.phase = prng.range(0.0, 2.0 * kPi);
    addPartial(out, rate, p);
    p.hz += prng.range(0.3, 2.5);
    p.amplitude *= prng.range(0.4, 0.8);
    p.phase = prng.range(0.0, 2.0 * kPi);
    addPartial(out, rate, p);
}

} // namespace

Samples gong(int rate) {
    const double seconds = 3.0;
    Samples out = silence(seconds, rate);
    Prng prng(0x6046);
    // Widely spaced modes make the boom; none is a whole multiple of
    // another, so there is no note to hum along to. The deepest give the
    // gong its size on good speakers, but a classroom laptop plays nothing
    // below about 200 Hz, so the weight of the boom sits in the modes just
    // above that: there it is heard on any speaker.
    struct Mode {
        double ratio, amplitude;
    };
    const Mode boom[] = {{1.0, 0.18},  {1.52, 0.16}, {2.16, 0.18}, {2.74, 0.24},
                         {3.31, 0.34}, {4.06, 0.45}, {4.8, 0.45},  {5.9, 0.42},
                         {6.9, 0.36},  {8.2, 0.3},   {9.5, 0.24}};
    for (const Mode& m : boom) {
        const double hz = 72.0 * m.ratio;
        addGongMode(out, rate, {hz, m.amplitude, 2.8 * std::pow(hz / 200.0, -0.2)}, prng);
    }
    // Above them the modes crowd closer and closer together: the shimmer.
    // They bloom after the strike, as the energy spreads up from the low
    // modes, and die away sooner the higher they are.
    const int shimmer = 90;
    for (int i = 0; i < shimmer; ++i) {
        const double hz = 400.0 + (i + 0.5 + 0.45 * prng.bipolar()) * (7000.0 - 400.0) / shimmer;
        Partial p{hz, 0.0, 2.4 * std::pow(hz / 400.0, -0.45)};
        p.amplitude = 0.32 / (1.0 + std::pow(hz / 1500.0, 1.5)) * prng.range(0.4, 1.0);
        p.bloom = std::clamp((hz - 500.0) / 2500.0, 0.0, 0.8);
        p.riseSeconds = prng.range(0.15, 0.5);
        addGongMode(out, rate, p, prng);
    }
    // The felt mallet's soft "bong", pitched where a small speaker still
    // plays it.
    Samples thump = silence(0.15, rate);
    addDecayingNoise(thump, rate, prng, 1.2, 0.02);
    fadeEnds(thump, rate, 0.002, 0.03);
    Biquad::bandPass(rate, 330, 0.8).run(thump);
    mixInto(out, thump, 1.0, 0);
    addRoom(out, rate, 2.0, 0.2);
    fadeEnds(out, rate, 0.004, 0.9);
    return out;
}

} // namespace material::recipes
