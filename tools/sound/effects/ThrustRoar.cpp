// The full roar of the jets when the ship arrives or launches: loud at once, then sustained.
#include "dsp/Dynamics.h"
#include "dsp/Effects.h"
#include "dsp/Envelopes.h"
#include "dsp/Filters.h"
#include "dsp/Oscillators.h"
#include "dsp/Reverb.h"
#include "effects/Noise.h"
#include "effects/Sounds.h"

namespace snd {

namespace {

// A value in [-1, 1] gliding between random targets `hz` times a second: turbulence.
class Wander {
  public:
    Wander(Rng& rng, double hz) : rng_(rng), step_(hz / kRate), to_(rng.noise()) {}
    double next() {
        phase_ += step_;
        if (phase_ >= 1.0) {
            phase_ -= 1.0;
            from_ = to_;
            to_ = rng_.noise();
        }
        const double blend = 0.5 - 0.5 * std::cos(kPi * phase_);
        return from_ + (to_ - from_) * blend;
    }

  private:
    Rng& rng_;
    double step_;
    double phase_ = 0.0;
    double from_ = 0.0;
    double to_;
};

Mono roarChannel(std::size_t n, Rng& rng) {
    Mono out(n);
    Svf rumble;
    Svf body;
    Svf air;
    Svf popTone;
    Oscillator low;
    Wander flutter(rng, 30.0);
    Wander drift(rng, 2.0);
    const Mono pops = crackle(n, rng, [](double) { return 420.0; });
    for (std::size_t i = 0; i < n; ++i) {
        const double d = drift.next();
        const double f = flutter.next();
        const double deep = rumble.low(rng.noise(), 180.0 + 60.0 * d, 0.9) * 3.2;
        const double roar = body.band(rng.noise(), 650.0 + 220.0 * d, 0.7) * (1.0 + 0.45 * f);
        const double hiss = air.high(rng.noise(), 3500.0) * 0.18;
        const double crack = popTone.low(pops[i], 6000.0) * 2.2;
        const double tone = 0.25 * low.next(Wave::Saw, 42.0 + 3.0 * d);
        out[i] = static_cast<float>(deep + roar + hiss + crack + tone);
    }
    saturate(out, 1.8);
    return out;
}

} // namespace

Stereo thrustRoar() {
    const double length = 3.6;
    const std::size_t n = frames(length);
    Rng rng(0x20A2);
    Stereo out(n);
    out.l = roarChannel(n, rng);
    out.r = roarChannel(n, rng);
    const Stereo room = reverb(out, {0.6, 0.5, 1.0}, 0.0);
    out.mix(room, 0, 0.2f);
    out.resize(n);
    // Full strength almost at once: the game itself fades it in when it wants a softer start.
    fadeInStart(out, 0.03);
    fadeOut(out, 0.9);
    master(out, -13.0, Measure::Loudest200ms, -2.0);
    return out;
}

} // namespace snd
