// The only place that talks to libsndfile.
#include "dsp/AudioFile.h"

#include "dsp/Dynamics.h"

#include <sndfile.h>
#include <stdexcept>

namespace snd {

namespace {

std::vector<float> interleave(const Stereo& s) {
    std::vector<float> out(s.size() * 2);
    for (std::size_t i = 0; i < s.size(); ++i) {
        out[2 * i] = s.l[i];
        out[2 * i + 1] = s.r[i];
    }
    return out;
}

// `quality` < 0 leaves the format's own settings.
void write(const std::string& path, const Stereo& s, int format, double quality) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(kRate);
    info.channels = 2;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
    }
    if (quality >= 0.0) {
        int mode = SF_BITRATE_MODE_VARIABLE;
        sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        // libsndfile hands the encoder ten times this as its VBR quality (0 best .. 10).
        sf_command(file, SFC_SET_COMPRESSION_LEVEL, &quality, sizeof quality);
    }
    const std::vector<float> data = interleave(s);
    const auto count = static_cast<sf_count_t>(s.size());
    if (sf_writef_float(file, data.data(), count) != count) {
        sf_close(file);
        throw std::runtime_error("short write to " + path);
    }
    sf_close(file);
}

} // namespace

void writeWav(const std::string& path, const Stereo& s) {
    write(path, s, SF_FORMAT_WAV | SF_FORMAT_PCM_16, -1.0);
}

Stereo readAudio(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        throw std::runtime_error("cannot read " + path + ": " + sf_strerror(nullptr));
    }
    const int channels = info.channels;
    std::vector<float> data(static_cast<std::size_t>(info.frames) * channels);
    const sf_count_t got = sf_readf_float(file, data.data(), info.frames);
    sf_close(file);
    Stereo out(static_cast<std::size_t>(got));
    for (std::size_t i = 0; i < out.size(); ++i) {
        out.l[i] = data[i * channels];
        out.r[i] = data[i * channels + (channels > 1 ? 1 : 0)];
    }
    return out;
}

double writeMp3(const std::string& path, Stereo s, double quality, const Mp3Peaks& peaks) {
    double decodedDb = 0.0;
    for (int attempt = 0; attempt < 6; ++attempt) {
        write(path, s, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, quality);
        decodedDb = gainToDb(peaks.measure(readAudio(path)));
        if (decodedDb <= peaks.ceilingDb) {
            return decodedDb;
        }
        peaks.lower(s, decodedDb - peaks.ceilingDb + 0.1);
    }
    throw std::runtime_error(path + " still peaks at " + std::to_string(decodedDb) + " dBFS");
}

} // namespace snd
