// Band-limited oscillators: the raw tones every instrument and effect is built from.
#pragma once

#include "dsp/Signal.h"

namespace snd {

// PolyBLEP smooths the jumps of saw and pulse waves so high notes do not alias into grit.
inline double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

enum class Wave { Sine, Saw, Square, Pulse25, Pulse12, Triangle, ChipTriangle };

class Oscillator {
  public:
    explicit Oscillator(double phase = 0.0) : phase_(phase) {}

    float next(Wave wave, double freq) {
        const double dt = std::min(freq / kRate, 0.5);
        const double t = phase_;
        double v = 0.0;
        switch (wave) {
        case Wave::Sine:
            v = std::sin(kTwoPi * t);
            break;
        case Wave::Saw:
            v = 2.0 * t - 1.0 - polyBlep(t, dt);
            break;
        case Wave::Square:
            v = pulse(t, dt, 0.5);
            break;
        case Wave::Pulse25:
            v = pulse(t, dt, 0.25);
            break;
        case Wave::Pulse12:
            v = pulse(t, dt, 0.125);
            break;
        case Wave::Triangle:
            v = 1.0 - 4.0 * std::abs(t - 0.5);
            break;
        case Wave::ChipTriangle:
            // Sixteen steps per ramp give the coarse, buzzing triangle of old sound chips.
            v = std::floor((1.0 - 4.0 * std::abs(t - 0.5)) * 8.0) / 8.0 + 1.0 / 16.0;
            break;
        }
        phase_ += dt;
        phase_ -= std::floor(phase_);
        return static_cast<float>(v);
    }

  private:
    static double pulse(double t, double dt, double width) {
        double v = t < width ? 1.0 : -1.0;
        v += polyBlep(t, dt);
        double t2 = t + 1.0 - width;
        t2 -= std::floor(t2);
        v -= polyBlep(t2, dt);
        return v - (2.0 * width - 1.0);
    }

    double phase_ = 0.0;
};

} // namespace snd
