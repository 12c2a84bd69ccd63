// The short sounds under a pupil's hand: a typewriter key for picking a quiz
// answer and a soft knock for a card label dropping into place.
#include "sound_recipes.h"
#include "synth_filters.h"

#include <algorithm>
#include <cmath>

namespace material::recipes {

using namespace synth;

namespace {

// Noise shaped by a band-pass and a fast exponential decay, added at `at`.
void addNoiseHit(Samples& out, int rate, Prng& prng, double at, double level, double decay,
                 Biquad filter) {
    Samples hit = silence(decay * 6.0, rate);
    addDecayingNoise(hit, rate, prng, level, decay);
    fadeEnds(hit, rate, 0.0002, 0.0);
    filter.run(hit);
    mixInto(out, hit, 1.0, static_cast<std::size_t>(samplesFor(at, rate)));
}

} // namespace

Samples typeKey(int rate) {
    Samples out = silence(0.13, rate);
    Prng prng(0x7e9e);
    // The finger meets the key top: a faint tick.
    addNoiseHit(out, rate, prng, 0.0, 0.35, 0.0012, Biquad::highPass(rate, 2500, 0.7));
    // The type bar slams into the platen: the clack itself, then the ring of
    // the bar and the frame, whose partials do not line up as harmonics.
    const double strike = 0.011;
    addNoiseHit(out, rate, prng, strike, 1.2, 0.0028, Biquad::bandPass(rate, 3200, 0.7));
    addNoiseHit(out, rate, prng, strike, 0.5, 0.006, Biquad::lowPass(rate, 900, 0.8));
    addDecayingSine(out, rate, 430.0, 0.35, 0.012, strike);
    addDecayingSine(out, rate, 1180.0, 0.25, 0.008, strike);
    const double ring[][3] = {
        {2390, 0.11, 0.030}, {3710, 0.09, 0.024}, {5230, 0.07, 0.020}, {6980, 0.05, 0.014}};
    for (const auto& r : ring)
        addDecayingSine(out, rate, r[0], r[1], r[2], strike);
    // The key springs back against its stop.
    addNoiseHit(out, rate, prng, 0.068, 0.25, 0.0018, Biquad::bandPass(rate, 1500, 1.0));
    addDecayingSine(out, rate, 760.0, 0.08, 0.006, 0.068);
    fadeEnds(out, rate, 0.0, 0.02);
    return out;
}

Samples thud(int rate) {
    Samples out = silence(0.2, rate);
    const auto n = out.size();
    // The card's weight landing: a low thump whose pitch sags as it settles.
    // It gives the drop its weight on headphones and good speakers, but a
    // classroom laptop plays almost nothing below 200 Hz, so it cannot be
    // the whole sound.
    double phase = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double hz = 62.0 + 70.0 * std::exp(-t / 0.03);
        phase += 2.0 * kPi * hz / rate;
        const double attack = std::min(1.0, t / 0.003);
        out[i] += 0.3 * attack * std::exp(-t / 0.035) * std::sin(phase);
    }
    // What a small speaker does play is the knock of the board: a few modes
    // of a stiff cardboard panel, none a multiple of another so there is no
    // note, the higher ones dying first so the knock stays dull and short.
    const double body[][3] = {{265, 0.50, 0.026},
                              {410, 0.45, 0.020},
                              {630, 0.32, 0.014},
                              {960, 0.20, 0.010},
                              {1420, 0.10, 0.007}};
    for (const auto& mode : body)
        addDecayingSine(out, rate, mode[0], mode[1], mode[2]);
    // The moment of contact: a puff of noise around the panel's modes, with
    // nothing bright enough to tick.
    Prng prng(0x7400d);
    Samples puff = silence(0.04, rate);
    addDecayingNoise(puff, rate, prng, 0.8, 0.004);
    fadeEnds(puff, rate, 0.001, 0.0);
    Biquad::bandPass(rate, 700, 0.8).run(puff);
    Biquad::lowPass(rate, 1800, 0.7).run(puff);
    mixInto(out, puff, 1.0, 0);
    fadeEnds(out, rate, 0.0015, 0.04);
    return out;
}

} // namespace material::recipes
