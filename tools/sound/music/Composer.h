// Writes the lead melodies: short motifs, repeated and answered over the chords.
#pragma once

#include "music/Song.h"

#include <cstdint>
#include <vector>

namespace snd {

struct MelodyNote {
    int start = 0;  // steps from the start of the section
    int length = 1; // steps
    int degree = 0; // scale degree around the lead's tonic
    double velocity = 1.0;
};

// A melody for a section whose bars carry `chords`; the same seed and chords always give the
// same tune, which is how a theme comes back later in a song.
std::vector<MelodyNote> composeMelody(const MelodyStyle& style, const std::vector<int>& chords,
                                      bool sevenths, const std::vector<int>& scale,
                                      int stepsPerBeat, std::uint64_t seed);

} // namespace snd
