// Plays a song description into separate parts, ready to be mixed.
#pragma once

#include "dsp/Signal.h"
#include "music/Song.h"

namespace snd {

struct Parts {
    Stereo drums;
    Stereo bass;
    Stereo pad;
    Stereo arp;
    Stereo lead;
    Stereo bells;
    Stereo risers;
    std::vector<std::size_t> kicks; // frames of every kick, for ducking
    std::vector<std::size_t> sectionStarts;
    std::vector<double> sectionLevels; // dB, one per section
    double seconds = 0.0;              // length including the final ring
    double beatSeconds = 0.5;
};

Parts perform(const Song& song);

// The highest sample a track may reach. The mixer adds the crash, the shots and the loops on top
// of the music at full volume and limits nothing, so the music leaves them the headroom.
constexpr double kTrackPeakDb = -11.0;

// Brings a finished mix to the tracks' loudness with its peaks under `ceilingDb`.
void masterTrack(Stereo& mix, double ceilingDb);

// The whole track, mixed and mastered for the game.
Stereo renderSong(const Song& song);

} // namespace snd
