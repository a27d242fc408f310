// The full roar of the jets when the ship arrives or launches: loud at once, then sustained.
#include "dsp/Dynamics.h"
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

// Exhaust noise falls off steeply with frequency (brown rather than white): that is what
// makes a roar sound heavy instead of hissing.
Mono roarChannel(std::size_t n, Rng& rng) {
    Mono out(n);
    Svf rumble;
    Svf body;
    Svf air;
    Svf popTone;
    Svf top;
    Svf subsonic;
    OnePole floor;
    Oscillator low;
    Wander flutter(rng, 24.0);
    Wander drift(rng, 1.5);
    const Mono pops = crackle(n, rng, [](double) { return 380.0; });
    double brown = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double d = drift.next();
        const double f = flutter.next();
        brown = 0.997 * brown + 0.06 * rng.noise();
        const double base = floor.high(static_cast<float>(brown), 30.0);
        const double deep = rumble.low(static_cast<float>(base), 160.0 + 50.0 * d, 1.1);
        const double roar =
            body.band(static_cast<float>(base), 480.0 + 150.0 * d, 0.5) * (1.0 + 0.5 * f) * 6.0;
        const double hiss = air.band(rng.noise(), 2000.0, 0.5) * 0.12;
        const double crack = popTone.band(pops[i], 1500.0, 0.8) * 2.5;
        const double tone = 0.12 * low.next(Wave::Saw, 41.0 + 2.0 * d);
        const double mixed = std::tanh(1.6 * (deep + roar + hiss + crack + tone));
        out[i] = subsonic.high(top.low(static_cast<float>(mixed), 4200.0, 0.6), 40.0, 0.7);
    }
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
    // Under the crash's blasts, the one sound of a flight that must stand above all others.
    master(out, -19.5, Measure::Momentary, -7.5);
    return out;
}

} // namespace snd
