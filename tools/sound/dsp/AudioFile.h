// Writing finished assets to disk through libsndfile, as WAV or MP3.
#pragma once

#include "dsp/Dynamics.h"
#include "dsp/Signal.h"

#include <functional>
#include <string>

namespace snd {

// 16-bit PCM RIFF/WAVE, no dither: the loops must repeat sample for sample.
void writeWav(const std::string& path, const Stereo& s);

// MPEG-1 Layer III at variable bit rate, `quality` from 0 (best) to 1 (smallest). Constant
// bit rates at our budget made the encoder cut everything above 15 kHz; the variable rate keeps
// the top end to about 16.8 kHz in the same size. Encoding can push peaks up a little, so the file
// is decoded again and encoded anew, its peaks lowered, until its decoded peak stays under the
// ceiling. Returns the decoded peak in dBFS.
struct Mp3Peaks {
    double ceilingDb = -1.2;
    // The peak as the game hears it (linear); by default the sound's own highest sample. A sound
    // the game plays over itself is judged by their sum.
    std::function<double(const Stereo&)> measure = peak;
    // Lowers the peaks by the decibels it is given; by default with plain gain.
    std::function<void(Stereo&, double)> lower = [](Stereo& s, double db) {
        s.scale(static_cast<float>(dbToGain(-db)));
    };
};
double writeMp3(const std::string& path, Stereo s, double quality, const Mp3Peaks& peaks);

// Decodes any file libsndfile reads; used to check what a player will actually hear.
Stereo readAudio(const std::string& path);

} // namespace snd
