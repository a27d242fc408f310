// Loudness as a listener hears it (EBU R128, K-weighted), used to master and report every asset.
#pragma once

#include "dsp/Signal.h"

namespace snd {

struct Loudness {
    double integrated = -70.0;   // LUFS, gated over the whole sound
    double shortTermMax = -70.0; // LUFS, loudest 3 s
    double momentaryMax = -70.0; // LUFS, loudest 400 ms: what a short effect is heard at
    double range = 0.0;          // LU, the spread of the 3-s loudness (LRA)
};

// Windows run past the end into silence, so a sound shorter than a window is still measured.
Loudness measureLoudness(const Stereo& s);

} // namespace snd
