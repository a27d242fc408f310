// Echoes, saturation, ducking and stereo width applied to whole parts of a sound or a song.
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

// Lowers `signal` right after each of the `hits` (in frames) and lets it swell back, the pumping
// that makes a dance beat breathe.
void duck(Stereo& signal, const std::vector<std::size_t>& hits, double depth, double recovery);

// Scales the difference between the channels by `side`: above 1 the part spreads wider, while
// its mono sum stays exactly as it was.
void widen(Stereo& signal, double side);

// Steep (24 dB per octave) high-pass: removes what small speakers cannot play and what would
// only eat the headroom.
void lowCut(Stereo& signal, double hz);

// Lowers everything below `hz` by `db` (negative): the low end stays, it only stops dominating.
void lowShelf(Stereo& signal, double hz, double db);

} // namespace snd
