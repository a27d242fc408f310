// Helpers for the sounds the game repeats end to start: nothing here may break the seam.
#pragma once

#include "dsp/Dynamics.h"
#include "dsp/Loudness.h"
#include "dsp/Signal.h"

namespace snd {

// A frequency that completes a whole number of cycles in `loopSeconds`, nearest to `hz`, so
// a tone at it joins up with itself at the loop point.
inline double loopFrequency(double hz, double loopSeconds) {
    return std::max(1.0, std::round(hz * loopSeconds)) / loopSeconds;
}

// Plain gain only: a limiter's moving gain would differ at the two ends and click.
inline void levelLoop(Stereo& s, double targetDb, double ceilingDb) {
    const double toTarget = dbToGain(targetDb) / std::max(rms(s), 1e-9);
    const double toCeiling = dbToGain(ceilingDb) / std::max(peak(s), 1e-9);
    s.scale(static_cast<float>(std::min(toTarget, toCeiling)));
}

// The same, aimed at a loudness: a hiss and a drone of one RMS are heard far apart. Measured
// over the loop heard four times round.
inline void levelLoopLoudness(Stereo& s, double targetLufs, double ceilingDb) {
    Stereo heard;
    for (int lap = 0; lap < 4; ++lap) {
        heard.mix(s, static_cast<std::size_t>(lap) * s.size());
    }
    const double toTarget = dbToGain(targetLufs - measureLoudness(heard).integrated);
    const double toCeiling = dbToGain(ceilingDb) / std::max(peak(s), 1e-9);
    s.scale(static_cast<float>(std::min(toTarget, toCeiling)));
}

// Adds `voice` at `offset`, wrapping whatever runs past the end back to the start.
inline void mixWrapped(Mono& loop, const Mono& voice, std::size_t offset, float gain) {
    for (std::size_t i = 0; i < voice.size(); ++i) {
        loop[(offset + i) % loop.size()] += voice[i] * gain;
    }
}

} // namespace snd
