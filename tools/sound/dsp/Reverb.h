// A room for the sounds to ring in, so synthetic tones do not sound dry and boxed.
#pragma once

#include "dsp/Signal.h"

namespace snd {

struct ReverbSettings {
    double roomSize = 0.8; // 0..1, longer tails when larger
    double damping = 0.4;  // 0..1, darker tails when larger
    double width = 1.0;    // 0 mono, 1 full stereo
};

// Schroeder-Moorer network (eight damped combs, four all-passes per side) with the right side
// slightly detuned for width. Returns only the wet signal.
Stereo reverb(const Stereo& in, const ReverbSettings& settings, double tailSeconds);

} // namespace snd
