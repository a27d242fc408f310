// Filters that shape tone colour: a state-variable filter, one-pole smoothers and a biquad.
#pragma once

#include "dsp/Signal.h"

namespace snd {

// Zero-delay state-variable filter: stays stable while its cutoff sweeps every sample, which
// the filter envelopes of basses and the roaring jets rely on.
class Svf {
  public:
    struct Out {
        float low;
        float band;
        float high;
    };

    Out process(float x, double cutoff, double q) {
        cutoff = std::clamp(cutoff, 10.0, kRate * 0.45);
        const double g = std::tan(kPi * cutoff / kRate);
        const double k = 1.0 / std::max(q, 0.05);
        const double a1 = 1.0 / (1.0 + g * (g + k));
        const double a2 = g * a1;
        const double a3 = g * a2;
        const double v3 = x - ic2_;
        const double v1 = a1 * ic1_ + a2 * v3;
        const double v2 = ic2_ + a2 * ic1_ + a3 * v3;
        ic1_ = 2.0 * v1 - ic1_;
        ic2_ = 2.0 * v2 - ic2_;
        return {static_cast<float>(v2), static_cast<float>(v1),
                static_cast<float>(x - k * v1 - v2)};
    }

    float low(float x, double cutoff, double q = 0.707) { return process(x, cutoff, q).low; }
    float band(float x, double cutoff, double q = 0.707) { return process(x, cutoff, q).band; }
    float high(float x, double cutoff, double q = 0.707) { return process(x, cutoff, q).high; }

  private:
    double ic1_ = 0.0;
    double ic2_ = 0.0;
};

class OnePole {
  public:
    float low(float x, double cutoff) {
        const double a = 1.0 - std::exp(-kTwoPi * cutoff / kRate);
        z_ += a * (x - z_);
        return static_cast<float>(z_);
    }
    float high(float x, double cutoff) { return x - low(x, cutoff); }

  private:
    double z_ = 0.0;
};

// Runs a filter over a loop three times around and keeps the last lap, so the filter state at
// the end of the loop is exactly the state its start was computed from: the seam stays smooth.
template <typename Step> Mono filterCircular(const Mono& in, Step step) {
    Mono out(in.size());
    for (int lap = 0; lap < 3; ++lap) {
        for (std::size_t i = 0; i < in.size(); ++i) {
            out[i] = step(in[i]);
        }
    }
    return out;
}

} // namespace snd
