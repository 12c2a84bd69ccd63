#include "sounds.h"

#include "wav.h"

#include <algorithm>

namespace material {

namespace {

using synth::Samples;

// A dry "tick" like a small mechanical switch: a bright partial for the edge,
// a lower one for body, and a breath of noise for the first millisecond or two.
Samples click(int rate) {
    Samples out(static_cast<std::size_t>(synth::samplesFor(0.028, rate)), 0.0);
    synth::Prng prng(0x0c11c4);
    synth::addDecayingNoise(out, rate, prng, 0.6, 0.0009);
    synth::highPass(out, rate, 1800.0);
    synth::addDecayingSine(out, rate, 3150.0, 0.55, 0.0022);
    synth::addDecayingSine(out, rate, 1240.0, 0.35, 0.0045);
    synth::lowPass(out, rate, 9000.0);
    return out;
}

} // namespace

const std::vector<SoundRow>& soundTable() {
    static const std::vector<SoundRow> table = {
        {"wav/click.wav", 44100, -6.0, click},
    };
    return table;
}

QByteArray renderSound(const SoundRow& row) {
    Samples samples = row.recipe(row.sampleRate);
    // Fades are short enough to keep attacks crisp but long enough that no
    // sound starts or ends on a step.
    synth::fadeEnds(samples, row.sampleRate, 0.0006, 0.004);
    synth::normalise(samples, std::min(row.peakDbfs, -1.0));
    return encodeWav16Mono(samples, row.sampleRate);
}

} // namespace material
