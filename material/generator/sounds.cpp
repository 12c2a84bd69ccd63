#include "sounds.h"

#include "sound_recipes.h"
#include "synth_filters.h"
#include "wav.h"

namespace material {

namespace {

using synth::Samples;

// A dry "tick" like a small mechanical switch: a bright partial for the edge,
// a lower one for body, and a breath of noise for the first millisecond or two.
Samples click(int rate) {
    Samples out = synth::silence(0.028, rate);
    synth::Prng prng(0x0c11c4);
    synth::addDecayingNoise(out, rate, prng, 0.6, 0.0009);
    synth::highPass(out, rate, 1800.0);
    synth::addDecayingSine(out, rate, 3150.0, 0.55, 0.0022);
    synth::addDecayingSine(out, rate, 1240.0, 0.35, 0.0045);
    synth::lowPass(out, rate, 9000.0);
    return out;
}

// Every sound sits at the same loudness, so a pupil never reaches for the
// volume between a click and a fanfare. The short UI sounds sit a little
// lower: they come often, right under the pupil's hand.
constexpr double kCelebration = -17.0;
constexpr double kInterface = -19.0;

constexpr double kDcBlockHz = 20.0;

} // namespace

const std::vector<SoundRow>& soundTable() {
    static const std::vector<SoundRow> table = {
        {"wav/click.wav", 44100, kInterface, click},
        {"wav/typekey.wav", 44100, kInterface - 2.0, recipes::typeKey},
        {"wav/thud3.wav", 44100, kInterface, recipes::thud},
        {"wav/fanf2.wav", 44100, kCelebration, recipes::fanfareCall},
        {"wav/fanf3.wav", 44100, kCelebration, recipes::fanfareTrio},
        {"wav/crowd.wav", 44100, kCelebration, recipes::crowd},
        {"wav/cheer2.wav", 44100, kCelebration, recipes::smallCheer},
        {"wav/klaxon.wav", 44100, kCelebration, recipes::klaxon},
        {"wav/flute.wav", 44100, kCelebration, recipes::flute},
        {"wav/gong.wav", 44100, kCelebration, recipes::gong},
        {"wav/clap2.wav", 44100, kCelebration, recipes::roomApplause},
        {"wav/drumroll.wav", 44100, kCelebration, recipes::drumRoll},
        {"wav/laser2.wav", 44100, kCelebration, recipes::laser},
        {"wav/whizz.wav", 44100, kCelebration, recipes::whizz},
        {"wav/clap3.wav", 44100, kCelebration, recipes::fewClapping},
        {"wav/clown.wav", 44100, kCelebration, recipes::clownHorn},
    };
    return table;
}

QByteArray renderSound(const SoundRow& row) {
    Samples samples = row.recipe(row.sampleRate);
    // Fades are short enough to keep attacks crisp but long enough that no
    // sound starts or ends on a step; recipes with long tails shape their
    // own endings first.
    const auto fade = [&] { synth::fadeEnds(samples, row.sampleRate, 0.0006, 0.004); };
    fade();
    // A steady offset is inaudible but pushes a small speaker's cone off
    // centre, which thumps as the sound starts and stops. Nothing below
    // 20 Hz is worth keeping, so every sound loses it here. The blocker runs
    // after the fades, or a fade-in cutting into a loud first sample would
    // leave a new offset behind, and the fades go over the ends again to
    // catch the blocker's own settling.
    synth::highPass(samples, row.sampleRate, kDcBlockHz);
    fade();
    synth::setLoudness(samples, row.sampleRate, row.loudnessDb, kPeakCeilingDbfs);
    return encodeWav16Mono(samples, row.sampleRate);
}

} // namespace material
