// Level control: measuring, compressing and limiting so every asset lands at its loudness.
#pragma once

#include "dsp/Signal.h"

namespace snd {

double peak(const Stereo& s);
// RMS over both channels of the whole buffer.
double rms(const Stereo& s);
// RMS of the loudest window: how loud a short effect feels at its strongest.
double loudestWindowRms(const Stereo& s, double windowSeconds);

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

enum class Measure { Whole, Loudest200ms };

// Brings the asset to `targetDb` RMS (by `measure`) while keeping its peak under `ceilingDb`.
void master(Stereo& s, double targetDb, Measure measure, double ceilingDb);

double measureDb(const Stereo& s, Measure measure);

} // namespace snd
