// The wreck hitting the ground: a thud, a clanging hull, then debris bouncing and settling.
#include "dsp/Dynamics.h"
#include "dsp/Envelopes.h"
#include "dsp/Filters.h"
#include "dsp/Oscillators.h"
#include "dsp/Reverb.h"
#include "effects/Noise.h"
#include "effects/Sounds.h"

namespace snd {

namespace {

// A struck metal body rings at modes with no harmonic relation; each mode is a sine with its
// own decay, started by the same blow.
Mono metal(Rng& rng, double baseHz, int modes, double ring, double seconds) {
    Mono out(frames(seconds), 0.0f);
    for (int m = 0; m < modes; ++m) {
        const double ratio = 1.0 + m * 1.37 + rng.range(-0.2, 0.2) * m;
        const double freq = baseHz * ratio;
        const double decay = ring * rng.range(0.5, 1.0) / std::sqrt(1.0 + m * 0.5);
        const double amp = rng.range(0.5, 1.0) / (1.0 + 0.3 * m);
        Oscillator osc(rng.uniform());
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            out[i] += static_cast<float>(amp * osc.next(Wave::Sine, freq) * fadeIn(t, 0.001) *
                                         decayTo60(t, decay));
        }
    }
    return out;
}

void impact(Stereo& out, Rng& rng) {
    Mono hit(frames(0.7));
    Oscillator thud;
    Svf noiseTone;
    for (std::size_t i = 0; i < hit.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double pitch = 38.0 + 45.0 * std::exp(-t / 0.06);
        const double body = thud.next(Wave::Sine, pitch) * decayTo60(t, 0.55);
        const double burst = noiseTone.low(rng.noise(), 2500.0) * decayTo60(t, 0.18);
        hit[i] = static_cast<float>(std::tanh(1.5 * (body + 0.9 * burst)));
    }
    out.mixMono(hit, 0, 1.0f, 0.0f);
    out.mixMono(metal(rng, 190.0, 9, 1.6, 1.8), frames(0.004), 0.35f, -0.3f);
    out.mixMono(metal(rng, 263.0, 8, 1.2, 1.5), frames(0.011), 0.3f, 0.35f);
}

// Pieces bounce ever more quietly and more often as they come to rest.
void debris(Stereo& out, Rng& rng) {
    // Some pieces land late, having been thrown high: the clatter goes on after the impact.
    for (int piece = 0; piece < 11; ++piece) {
        double t = piece < 6 ? rng.range(0.08, 0.5) : rng.range(0.6, 1.4);
        double gap = rng.range(0.16, 0.36);
        double level = rng.range(0.3, 0.6) * (piece < 6 ? 1.0 : 0.7);
        const double base = rng.range(900.0, 3200.0);
        const auto pan = static_cast<float>(rng.range(-0.9, 0.9));
        while (t < 2.4 && level > 0.02) {
            out.mixMono(metal(rng, base * rng.range(0.97, 1.03), 3, 0.12, 0.15), frames(t),
                        static_cast<float>(level), pan);
            t += gap;
            gap *= rng.range(0.65, 0.85);
            level *= rng.range(0.65, 0.82);
        }
    }
}

void scrape(Stereo& out, Rng& rng) {
    Mono s(frames(1.4));
    Svf tone;
    OnePole rough;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double grit = 0.5 + std::abs(rough.low(rng.noise(), 25.0)) * 20.0;
        s[i] = static_cast<float>(tone.band(rng.noise(), 1600.0 - 500.0 * t, 3.0) * grit *
                                  fadeIn(t, 0.15) * decayTo60(t, 1.4));
    }
    out.mixMono(s, frames(0.15), 0.8f, 0.2f);
}

} // namespace

Stereo shipCrash() {
    const double length = 2.7;
    const std::size_t n = frames(length);
    Rng rng(0xC2A5);
    Stereo out(n);
    impact(out, rng);
    debris(out, rng);
    scrape(out, rng);
    out.resize(n);
    const Stereo room = reverb(out, {0.75, 0.4, 1.0}, 0.0);
    out.mix(room, 0, 0.3f);
    out.resize(n);
    fadeOut(out, 0.35);
    // It lands on the music as the blasts did, in the same headroom, and under them.
    master(out, -21.5, Measure::Momentary, -9.0);
    return out;
}

} // namespace snd
