#pragma once
// The recipes behind soundTable(), grouped by kind in the sound_recipes_*
// files. Each returns raw samples at any level; renderSound sets the level.
#include "synth.h"

namespace material::recipes {

using synth::Samples;

// Quiz and card sounds: short and dry.
Samples typeKey(int sampleRate);
Samples thud(int sampleRate);

// Instruments.
Samples fanfareCall(int sampleRate);
Samples fanfareTrio(int sampleRate);
Samples flute(int sampleRate);
Samples gong(int sampleRate);

// People.
Samples crowd(int sampleRate);
Samples smallCheer(int sampleRate);
Samples roomApplause(int sampleRate);
Samples fewClapping(int sampleRate);

// Noisemakers and effects.
Samples klaxon(int sampleRate);
Samples drumRoll(int sampleRate);
Samples laser(int sampleRate);
Samples whizz(int sampleRate);
Samples clownHorn(int sampleRate);

} // namespace material::recipes
