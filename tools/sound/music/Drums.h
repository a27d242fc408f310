// The drum machine: each hit is synthesised fresh, so no two hats sound quite alike.
#pragma once

#include "dsp/Random.h"
#include "dsp/Signal.h"
#include "music/Song.h"

namespace snd {

Mono kick(const DrumKit& kit, Rng& rng);
Mono snare(const DrumKit& kit, Rng& rng);
Mono hat(const DrumKit& kit, bool open, Rng& rng);
Mono tom(const DrumKit& kit, double pitchRatio, Rng& rng);
Stereo crash(const DrumKit& kit, Rng& rng);
// Rising noise sweep announcing the next section.
Stereo riser(double seconds, Rng& rng);

} // namespace snd
