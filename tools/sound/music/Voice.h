// Renders one note of a synthesiser patch.
#pragma once

#include "dsp/Random.h"
#include "dsp/Signal.h"
#include "music/Song.h"

namespace snd {

struct NoteRequest {
    double midi = 60.0;
    double held = 0.5; // seconds the note is held before its release
    double velocity = 1.0;
    double brightness = 1.0; // scales the filter cutoff
    double from = -1.0;      // MIDI note to glide from, negative for none
};

Stereo renderNote(const Patch& patch, const NoteRequest& note, Rng& rng);

} // namespace snd
