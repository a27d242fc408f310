// Level control: measuring, compressing and limiting so every asset lands at its loudness.
#pragma once

#include "dsp/Signal.h"

namespace snd {

double peak(const Stereo& s);
// RMS over both channels of the whole buffer.
double rms(const Stereo& s);

struct CompressorSettings {
    double thresholdDb = -18.0;
    double ratio = 3.0;
    double attack = 0.01;
    double release = 0.15;
};

// Stereo-linked feed-forward compressor: holds a busy mix together.
void compress(Stereo& s, const CompressorSettings& settings);

// Look-ahead limiter: no sample ends up above `ceiling` (linear), and the gain moves smoothly.
void limit(Stereo& s, double ceiling, double lookaheadSeconds = 0.003, double release = 0.08);

// Fades the last `seconds` to silence with a smooth curve.
void fadeOut(Stereo& s, double seconds);
void fadeInStart(Stereo& s, double seconds);

// A track is judged by its loudness over its whole length, an effect by its loudest moment.
enum class Measure { Integrated, Momentary };

// Brings the asset to `targetLufs` (by `measure`) while keeping its peak under `ceilingDb`.
void master(Stereo& s, double targetLufs, Measure measure, double ceilingDb);

} // namespace snd
