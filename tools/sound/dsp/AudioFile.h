// Writing finished assets to disk through libsndfile, as WAV or MP3.
#pragma once

#include "dsp/Signal.h"

#include <functional>
#include <string>

namespace snd {

// 16-bit PCM RIFF/WAVE, no dither: the loops must repeat sample for sample.
void writeWav(const std::string& path, const Stereo& s);

// MPEG-1 Layer III at variable bit rate, `quality` from 0 (best) to 1 (smallest). Constant
// bit rates at our budget made the encoder cut everything above 15 kHz; the variable rate keeps
// the top end to about 16.8 kHz in the same size. Encoding can push peaks up a little, so the file
// is decoded again and encoded anew, its peaks lowered by `lower` (by the dB it is given; plain
// gain unless said otherwise), until its decoded peak stays under `ceilingDb`. Returns the
// decoded peak in dBFS.
using LowerPeaks = std::function<void(Stereo&, double)>;
double writeMp3(const std::string& path, Stereo s, double quality, double ceilingDb,
                const LowerPeaks& lower = nullptr);

// Decodes any file libsndfile reads; used to check what a player will actually hear.
Stereo readAudio(const std::string& path);

} // namespace snd
