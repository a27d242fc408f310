// Echoes, saturation and ducking applied to whole parts of a sound or a song.
#pragma once

#include "dsp/Signal.h"

namespace snd {

struct DelaySettings {
    double seconds = 0.3;
    double feedback = 0.35;
    double toneHz = 3500.0; // each repeat is darker than the last
    bool pingPong = true;
};

// Only the echoes: add the result to the dry signal at the level you want.
Stereo echo(const Stereo& in, const DelaySettings& settings, double tailSeconds);

// Gentle tanh saturation; `drive` of 1 is nearly clean, 4 is a growl.
void saturate(Mono& signal, double drive);
void saturate(Stereo& signal, double drive);

// Lowers `signal` right after each of the `hits` (in frames) and lets it swell back, the pumping
// that makes a dance beat breathe.
void duck(Stereo& signal, const std::vector<std::size_t>& hits, double depth, double recovery);

} // namespace snd
