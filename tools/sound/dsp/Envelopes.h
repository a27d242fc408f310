// Envelopes that give each note and noise burst its attack, body and decay.
#pragma once

#include "dsp/Signal.h"

namespace snd {

struct Adsr {
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.7;
    double release = 0.1;

    // t is time since note-on, held is how long the key was held.
    double at(double t, double held) const {
        if (t < 0.0) {
            return 0.0;
        }
        const double level = t < held ? gated(t) : gated(held);
        if (t < held) {
            return level;
        }
        const double r = std::max(release, 1e-4);
        return level * std::exp(-5.0 * (t - held) / r);
    }

    // Long enough for the release to fall below -43 dB.
    double length(double held) const { return held + release; }

  private:
    double gated(double t) const {
        if (t < attack) {
            return t / std::max(attack, 1e-5);
        }
        const double d = std::max(decay, 1e-4);
        return sustain + (1.0 - sustain) * std::exp(-5.0 * (t - attack) / d);
    }
};

// Exponential fall reaching -60 dB after `seconds`.
inline double decayTo60(double t, double seconds) {
    return t < 0.0 ? 0.0 : std::exp(-6.9078 * t / seconds);
}

// Smooth rise for the first `seconds`, avoiding a click on onsets.
inline double fadeIn(double t, double seconds) {
    if (t >= seconds) {
        return 1.0;
    }
    if (t <= 0.0) {
        return 0.0;
    }
    return 0.5 - 0.5 * std::cos(kPi * t / seconds);
}

} // namespace snd
