// Stereo sample buffers and the unit conversions every sound in the generator shares.
#pragma once

#include "shared/GameFacts.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace snd {

// Every sound is made at the rate the game's mixer plays at.
constexpr double kRate = AUDIO_FREQUENCY;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

inline std::size_t frames(double seconds) {
    return static_cast<std::size_t>(std::lround(std::max(0.0, seconds) * kRate));
}

inline double dbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}
inline double gainToDb(double gain) {
    return 20.0 * std::log10(std::max(gain, 1e-12));
}
inline double midiToHz(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

using Mono = std::vector<float>;

struct Stereo {
    std::vector<float> l;
    std::vector<float> r;

    Stereo() = default;
    explicit Stereo(std::size_t n) : l(n, 0.0f), r(n, 0.0f) {}

    std::size_t size() const { return l.size(); }
    void resize(std::size_t n) {
        l.resize(n, 0.0f);
        r.resize(n, 0.0f);
    }

    // Grows the buffer when a late note rings past the end, so tails are never cut.
    void mix(const Stereo& other, std::size_t offset, float gain = 1.0f) {
        if (offset + other.size() > size()) {
            resize(offset + other.size());
        }
        for (std::size_t i = 0; i < other.size(); ++i) {
            l[offset + i] += other.l[i] * gain;
            r[offset + i] += other.r[i] * gain;
        }
    }

    // Equal-power pan keeps a voice equally loud wherever it sits in the stereo field.
    void mixMono(const Mono& voice, std::size_t offset, float gain, float pan) {
        if (offset + voice.size() > size()) {
            resize(offset + voice.size());
        }
        const double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * kPi / 4.0;
        const float gl = gain * static_cast<float>(std::cos(angle) * std::sqrt(2.0));
        const float gr = gain * static_cast<float>(std::sin(angle) * std::sqrt(2.0));
        for (std::size_t i = 0; i < voice.size(); ++i) {
            l[offset + i] += voice[i] * gl;
            r[offset + i] += voice[i] * gr;
        }
    }

    void scale(float gain) {
        for (std::size_t i = 0; i < size(); ++i) {
            l[i] *= gain;
            r[i] *= gain;
        }
    }
};

} // namespace snd
