// Noisemakers and effects: klaxon, drum roll, laser, whizz and clown horn.
#include "sound_recipes.h"
#include "synth_filters.h"
#include "synth_osc.h"

#include <algorithm>
#include <cmath>

namespace material::recipes {

using namespace synth;

namespace {

std::size_t at(double seconds, int rate) {
    return static_cast<std::size_t>(samplesFor(seconds, rate));
}

// "A-oo-GA!", but glad rather than urgent: the motor spins the diaphragm up
// and the pitch climbs the whole way, opening from a round "oo" to a bright
// "ga", and the button is let go at the top, so the pitch never sags as an
// alarm's does.
Samples klaxonToot(int rate) {
    const double length = 0.62;
    const Curve pitch({{0.0, 240}, {0.05, 300}, {0.25, 380}, {0.5, 560}, {length, 600}});
    const Curve vowel({{0.0, 1100}, {0.08, 1000}, {0.2, 600}, {0.42, 1700}, {length, 1900}});
    const Curve shape(
        {{0.0, 0.0}, {0.02, 0.8}, {0.2, 0.75}, {0.45, 1.0}, {length - 0.05, 1.0}, {length, 0.0}});
    Samples toot(at(length, rate));
    BlepOscillator buzz, second(0.3);
    Svf wah;
    for (std::size_t i = 0; i < toot.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double hz = pitch.at(t);
        // A second buzz only just out of tune gives the horn its body; a
        // wider gap beats fast enough to rasp, which is what makes an alarm.
        const double raw = buzz.pulse(hz, 0.3, rate) + 0.3 * second.saw(hz * 1.003, rate);
        const double mouth = wah.process(raw, rate, std::max(vowel.at(t), 1.5 * hz), 2.5).band;
        toot[i] = shape.at(t) * (0.65 * mouth + 0.35 * raw);
    }
    return toot;
}

void addSnare(Samples& out, int rate, double start, double level, double ring, Prng& prng) {
    Samples hit = silence(0.3, rate);
    addDecayingSine(hit, rate, 185.0, 0.5, 0.05 * ring);
    addDecayingSine(hit, rate, 330.0, 0.3, 0.03 * ring);
    Samples wires = silence(0.3, rate);
    addDecayingNoise(wires, rate, prng, 1.0, 0.045 * ring);
    fadeEnds(wires, rate, 0.0003, 0.0);
    Biquad::highPass(rate, 1800, 0.7).run(wires);
    Biquad::peak(rate, 5000, 1.0, 4.0).run(wires);
    mixInto(hit, wires, 0.8, 0);
    fadeEnds(hit, rate, 0.0, 0.1);
    mixInto(out, hit, level, at(start, rate));
}

// A crash cymbal: a cluster of square waves at unrelated pitches, with only
// their metallic upper reaches kept, plus a wash of hiss.
Samples crashCymbal(int rate, double seconds, Prng& prng) {
    const double pitches[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    Samples metal = silence(seconds, rate);
    for (double hz : pitches) {
        BlepOscillator square(prng.unit());
        for (double& x : metal)
            x += square.pulse(hz * 1.7, 0.5, rate) / 6.0;
    }
    for (std::size_t i = 0; i < metal.size(); ++i)
        metal[i] += 0.6 * prng.bipolar();
    Biquad::highPass(rate, 3500, 0.7).run(metal);
    Biquad::highPass(rate, 3500, 0.7).run(metal);
    for (std::size_t i = 0; i < metal.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        metal[i] *= std::exp(-t / 0.7) + 0.6 * std::exp(-t / 0.03);
    }
    fadeEnds(metal, rate, 0.0005, 0.0);
    return metal;
}

} // namespace

Samples klaxon(int rate) {
    // Room after the toot for the horn's ring in the street.
    Samples out = klaxonToot(rate);
    out.resize(at(1.1, rate), 0.0);
    // The horn's flared throat.
    Biquad::peak(rate, 1500, 1.0, 4.0).run(out);
    Biquad::highPass(rate, 180, 0.7).run(out);
    Biquad::lowPass(rate, 7000, 0.7).run(out);
    addRoom(out, rate, 0.5, 0.1);
    fadeEnds(out, rate, 0.0, 0.03);
    return out;
}

Samples drumRoll(int rate) {
    const double seconds = 2.9;
    const double rollEnd = 1.72;
    Samples out = silence(seconds, rate);
    Prng prng(0xd4a11);
    // Double strokes, each hand bouncing twice, getting faster and louder, but
    // leaving headroom for the final hit to stand out.
    int stroke = 0;
    for (double t = 0.0; t < rollEnd; ++stroke) {
        const double progress = t / rollEnd;
        const double level = (0.08 + 0.5 * std::pow(progress, 1.6)) * prng.range(0.9, 1.05);
        addSnare(out, rate, t, stroke % 2 == 0 ? level : 0.85 * level, 0.7, prng);
        const double gap = 1.0 / (18.0 + 10.0 * progress);
        t += gap * (stroke % 2 == 0 ? 0.92 : 1.08) + 0.002 * prng.bipolar();
    }
    // The final hit: snare, bass drum and crash together.
    const double hit = rollEnd + 0.05;
    addSnare(out, rate, hit, 1.0, 1.5, prng);
    Samples kick = silence(0.6, rate);
    double phase = 0.0;
    for (std::size_t i = 0; i < kick.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        phase += 2.0 * kPi * (55.0 + 65.0 * std::exp(-t / 0.04)) / rate;
        kick[i] = std::exp(-t / 0.18) * std::sin(phase);
    }
    fadeEnds(kick, rate, 0.0, 0.1);
    // Kept under the snare and crash: a laptop cannot play the bass drum, and
    // the loudness it took would leave the hit sounding thin there.
    mixInto(out, kick, 0.45, at(hit, rate));
    mixInto(out, crashCymbal(rate, seconds - hit, prng), 0.9, at(hit, rate));
    out.resize(at(seconds, rate));
    addRoom(out, rate, 0.7, 0.15);
    fadeEnds(out, rate, 0.0, 0.5);
    return out;
}

Samples laser(int rate) {
    Samples out = silence(1.3, rate);
    struct Zap {
        double start, length, fromHz, toHz;
    };
    const Zap zaps[] = {{0.0, 0.25, 3000, 150}, {0.33, 0.25, 2800, 140}, {0.66, 0.4, 3300, 110}};
    for (const Zap& z : zaps) {
        Samples zap(at(z.length, rate));
        BlepOscillator edge;
        double phase = 0.0;
        for (std::size_t i = 0; i < zap.size(); ++i) {
            const double t = static_cast<double>(i) / rate;
            const double f = t / z.length;
            // Falls fastest at first: the "pew" is mostly in its opening.
            const double hz = z.fromHz * std::pow(z.toHz / z.fromHz, std::pow(f, 0.6)) *
                              (1.0 + 0.05 * std::sin(2.0 * kPi * 45.0 * t));
            phase += 2.0 * kPi * hz / rate;
            const double level = std::min(1.0, t / 0.003) * (1.0 - f) * std::exp(-2.0 * f);
            zap[i] = level * (0.6 * std::sin(phase) + 0.4 * edge.pulse(hz, 0.5, rate));
        }
        mixInto(out, zap, 1.0, at(z.start, rate));
    }
    Biquad::lowPass(rate, 7000, 0.7).run(out);
    addEcho(out, rate, 0.11, 0.3);
    fadeEnds(out, rate, 0.0, 0.05);
    return out;
}

Samples whizz(int rate) {
    const double seconds = 1.45;
    const double burst = 0.9;
    const auto count = at(seconds, rate);
    // A firework going up, never a bomb coming down: the whistle only ever
    // climbs, fast at first and easing towards the top, and stops there.
    // Glides are even in musical steps, so the line is drawn in octaves.
    const Curve octaves({{0.0, std::log2(480.0)},
                         {0.3, std::log2(1050.0)},
                         {0.6, std::log2(2000.0)},
                         {burst, std::log2(2900.0)}});
    const Curve shape({{0.0, 0.0}, {0.06, 0.7}, {0.7, 1.0}, {burst - 0.04, 1.0}, {burst, 0.0}});
    Samples hz(count), amp(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        hz[i] = std::exp2(octaves.at(t));
        // The rocket spins as it climbs, so the whistle flutters in level;
        // a flutter in pitch would dip, and the climb must never dip.
        amp[i] = shape.at(t) * (1.0 - 0.15 * (0.5 + 0.5 * std::sin(2.0 * kPi * 22.0 * t)));
    }
    Samples out(count, 0.0);
    addHarmonicTone(out, 0, rate, hz, amp, {1.0, 0.12, 0.04});
    // The rush of air round the whistle, following its pitch.
    Prng prng(0x3122);
    Svf band;
    Samples hiss(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double noise = prng.bipolar();
        hiss[i] = amp[i] * (0.5 * band.process(noise, rate, hz[i], 6.0).band + 0.05 * noise);
    }
    Biquad::highPass(rate, 300, 0.7).run(hiss);
    mixInto(out, hiss, 1.0, 0);
    // At the top a soft pop, kept out of the bass so that it is a puff and
    // not a bang, and then a shower of sparks: tiny bright pings, thinning
    // out, at no pitch in particular.
    Samples pop = silence(0.08, rate);
    addDecayingNoise(pop, rate, prng, 1.0, 0.008);
    fadeEnds(pop, rate, 0.001, 0.02);
    Biquad::bandPass(rate, 1800, 0.7).run(pop);
    mixInto(out, pop, 2.0, at(burst, rate));
    const int sparks = 45;
    for (int i = 0; i < sparks; ++i) {
        const double when = burst + 0.01 + 0.45 * std::pow(prng.unit(), 1.4);
        const double fade = 1.0 - (when - burst) / 0.5;
        addDecayingSine(out, rate, prng.range(3200.0, 7500.0), 0.35 * fade * prng.range(0.5, 1.0),
                        prng.range(0.01, 0.03), when);
    }
    addRoom(out, rate, 0.6, 0.12);
    fadeEnds(out, rate, 0.0, 0.05);
    return out;
}

Samples clownHorn(int rate) {
    Samples out = silence(1.1, rate);
    Prng prng(0xc10);
    // Each squeeze of the rubber bulb: the reed catches a little flat, comes
    // up to pitch, and sags as the bulb empties.
    struct Squeeze {
        double start, length, hz;
    };
    const Squeeze squeezes[] = {{0.0, 0.35, 415}, {0.5, 0.5, 405}};
    for (const Squeeze& s : squeezes) {
        const Curve pitch(
            {{0.0, 0.82 * s.hz}, {0.035, s.hz}, {s.length - 0.06, s.hz}, {s.length, 0.9 * s.hz}});
        const Curve shape({{0.0, 0.0}, {0.02, 1.0}, {s.length - 0.05, 0.85}, {s.length, 0.0}});
        Samples honk(at(s.length, rate));
        BlepOscillator reed;
        // The reed is open for a fifth of each cycle, so the raw pulse sits
        // mostly below zero. A bell cannot blow a steady draught at the
        // listener, and a speaker asked to would thump at every squeeze, so
        // the pulse is centred on zero.
        const double width = 0.22;
        const double offset = 2.0 * width - 1.0;
        for (std::size_t i = 0; i < honk.size(); ++i) {
            const double t = static_cast<double>(i) / rate;
            const double hz = pitch.at(t) * (1.0 + 0.004 * prng.bipolar());
            honk[i] = shape.at(t) * (reed.pulse(hz, width, rate) - offset);
        }
        Biquad::lowPass(rate, 5000, 0.7).run(honk);
        // The nasal quack comes from the horn's narrow bell.
        Samples nasal = honk, bright = honk;
        Biquad::bandPass(rate, 1300, 3.0).run(nasal);
        Biquad::bandPass(rate, 2900, 4.0).run(bright);
        mixInto(nasal, bright, 0.6, 0);
        mixInto(nasal, honk, 0.2, 0);
        Samples air = silence(0.1, rate);
        addDecayingNoise(air, rate, prng, 0.15, 0.025);
        fadeEnds(air, rate, 0.002, 0.03);
        Biquad::highPass(rate, 2000, 0.7).run(air);
        mixInto(nasal, air, 1.0, 0);
        mixInto(out, nasal, 1.0, at(s.start, rate));
    }
    addRoom(out, rate, 0.4, 0.1);
    fadeEnds(out, rate, 0.0, 0.05);
    return out;
}

} // namespace material::recipes
