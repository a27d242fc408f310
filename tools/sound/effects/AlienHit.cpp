// A fireball striking the ship and freezing a jet: a dull thump, a crack, then ringing ice.
#include "dsp/Dynamics.h"
#include "dsp/Envelopes.h"
#include "dsp/Filters.h"
#include "dsp/Oscillators.h"
#include "dsp/Reverb.h"
#include "effects/Noise.h"
#include "effects/Sounds.h"

namespace snd {

namespace {

// Glassy partials with no common fundamental: that is what makes ice sound brittle.
void iceShimmer(Stereo& out, Rng& rng) {
    const int partials = 11;
    for (int p = 0; p < partials; ++p) {
        const double freq = rng.range(1900.0, 6800.0);
        const double start = rng.range(0.0, 0.035);
        const double ring = rng.range(0.18, 0.55);
        const auto pan = static_cast<float>(rng.range(-0.7, 0.7));
        const std::size_t offset = frames(start);
        Mono voice(frames(ring));
        Oscillator osc(rng.uniform());
        for (std::size_t i = 0; i < voice.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            voice[i] = static_cast<float>(osc.next(Wave::Sine, freq) * fadeIn(t, 0.002) *
                                          decayTo60(t, ring));
        }
        out.mixMono(voice, offset, 0.22f, pan);
    }
}

// Frost crunching across the hull: tiny grains of bright noise, thinning out.
void frost(Stereo& out, Rng& rng) {
    for (int g = 0; g < 46; ++g) {
        const double u = rng.uniform();
        const double start = 0.01 + 0.38 * u * u;
        const std::size_t len = frames(rng.range(0.003, 0.009));
        Mono grain(len);
        Svf shape;
        const double centre = rng.range(2800.0, 7000.0);
        for (std::size_t i = 0; i < len; ++i) {
            const double w = std::sin(kPi * static_cast<double>(i) / len);
            grain[i] = static_cast<float>(shape.band(rng.noise(), centre, 2.0) * w);
        }
        const auto gain = static_cast<float>(0.3 * (1.0 - 0.9 * u));
        out.mixMono(grain, frames(start), gain, static_cast<float>(rng.range(-0.8, 0.8)));
    }
}

} // namespace

Stereo alienHit() {
    const double length = 0.7;
    const std::size_t n = frames(length);
    Rng rng(0x1CE);
    Stereo out(n);
    Oscillator thump;
    Oscillator chimeA;
    Oscillator chimeB;
    Svf crackFilter;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double thumpPitch = 55.0 + 95.0 * std::exp(-t / 0.03);
        const double low = 1.2 * thump.next(Wave::Sine, thumpPitch) * decayTo60(t, 0.3);
        const double crack =
            1.3 * crackFilter.high(rng.noise(), 2200.0) * fadeIn(t, 0.001) * decayTo60(t, 0.07);
        // Two close tones beat against each other: the shiver of the freeze.
        const double chime = 0.16 * fadeIn(t, 0.01) * decayTo60(t, 0.62) *
                             (chimeA.next(Wave::Sine, 2637.0) + chimeB.next(Wave::Sine, 2651.0));
        const double mono = low + crack;
        out.l[i] = static_cast<float>(mono + chime);
        out.r[i] = static_cast<float>(mono + chime * 0.8);
    }
    iceShimmer(out, rng);
    frost(out, rng);
    out.resize(n);
    const Stereo room = reverb(out, {0.5, 0.2, 1.0}, 0.0);
    out.mix(room, 0, 0.3f);
    fadeOut(out, 0.08);
    master(out, -17.5, Measure::Momentary, -7.0);
    return out;
}

} // namespace snd
