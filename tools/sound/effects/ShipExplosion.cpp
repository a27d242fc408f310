// One heavy blast of the ship breaking apart: a crack, a deep boom, rolling fire and sparks.
#include "dsp/Dynamics.h"
#include "dsp/Effects.h"
#include "dsp/Envelopes.h"
#include "dsp/Filters.h"
#include "dsp/Oscillators.h"
#include "dsp/Reverb.h"
#include "effects/Noise.h"
#include "effects/Sounds.h"
#include "shared/GameFacts.h"

namespace snd {

namespace {

Mono blastChannel(std::size_t n, Rng& rng) {
    Mono out(n);
    Oscillator boom;
    Svf crackFilter;
    Svf bodyFilter;
    Svf rumbleFilter;
    Svf sparkFilter;
    Svf fireFilter;
    OnePole churn;
    const Mono sparks = crackle(n, rng, [](double t) { return 700.0 * std::exp(-t / 0.35); });
    double brown = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        // Heavy blasts are mostly low, steeply falling noise: integrate white into brown.
        brown = 0.996 * brown + 0.07 * rng.noise();
        const double crack =
            crackFilter.high(rng.noise(), 1500.0) * fadeIn(t, 0.0008) * decayTo60(t, 0.1);
        const double boomPitch = 44.0 + 60.0 * std::exp(-t / 0.1);
        const double low = boom.next(Wave::Sine, boomPitch) * fadeIn(t, 0.002) * decayTo60(t, 0.9);
        const double cutoff = 260.0 + 3200.0 * std::exp(-t / 0.45);
        const double debris = brown + 0.9 * rng.noise();
        // The blast itself falls away fast and leaves the rumble: the game sets the blast off
        // again within 0.12 s, and two blasts held at full strength would clip when they meet.
        const double body = bodyFilter.low(static_cast<float>(debris), cutoff, 0.9) *
                            fadeIn(t, 0.004) * decayTo60(t, 0.8);
        // The fireball rolls: its rumble swells and sags a few times a second.
        const double roll = 1.0 + 0.6 * std::clamp(churn.low(rng.noise(), 6.0) * 40.0, -1.0, 1.0);
        const double rumble = rumbleFilter.low(static_cast<float>(brown), 100.0, 1.0) * roll *
                              fadeIn(t, 0.02) * decayTo60(t, 2.1);
        const double spark = sparkFilter.band(sparks[i], 3000.0, 1.5);
        // The roar of the fireball itself, in the middle of the hearing range: the blast is the
        // loudest moment of a flight, and low rumble alone reads as distant.
        const double fire =
            fireFilter.band(rng.noise(), 1100.0 + 1500.0 * std::exp(-t / 0.5), 0.7) *
            (1.0 + 0.5 * roll) * fadeIn(t, 0.006) * decayTo60(t, 0.7);
        out[i] = static_cast<float>(0.2 * crack + 0.6 * low + 2.4 * body + 1.2 * rumble +
                                    0.6 * spark + 2.2 * fire);
    }
    saturate(out, 2.6);
    // Below 40 Hz nothing a player owns reproduces it; it would only eat headroom.
    Svf subsonic;
    for (float& x : out) {
        x = subsonic.high(x, 40.0, 0.7);
    }
    return out;
}

} // namespace

// The game sets the blast off on each of its crash calls, one call a frame of 20 ms (the game's
// FRAME_MS), so the copies overlap. The mixer, opened with buffers of 2048 frames, starts each
// at the first buffer after its frame: the gaps between them depend on where the frames fall
// against the buffers.
double explosionStackPeak(const Stereo& blast) {
    constexpr std::size_t kBuffer = 2048;
    double loudest = 0.0;
    for (std::size_t phase = 0; phase < kBuffer; phase += 32) {
        Stereo stack;
        std::size_t first = 0;
        for (int call : CRASH_EXPLOSION_CALLS) {
            const std::size_t start =
                (frames(call * FRAME_SECONDS) + phase + kBuffer - 1) / kBuffer;
            first = call == CRASH_EXPLOSION_CALLS[0] ? start : first;
            stack.mix(blast, (start - first) * kBuffer);
        }
        loudest = std::max(loudest, peak(stack));
    }
    return loudest;
}

Stereo shipExplosion() {
    const double length = 2.2;
    const std::size_t n = frames(length);
    Rng rng(0xB00);
    Stereo out(n);
    out.l = blastChannel(n, rng);
    out.r = blastChannel(n, rng);
    const Stereo room = reverb(out, {0.85, 0.6, 1.0}, 0.0);
    out.mix(room, 0, 0.3f);
    out.resize(n);
    fadeOut(out, 0.4);
    // Its four copies' sum must fit in the headroom the music leaves, so the blast packs its
    // loudness into as low a peak as it can: every sample is clipped, its noise made dense. A
    // limiter's smooth gain would only turn the noise down, peaks and all.
    out.scale(static_cast<float>(1.0 / peak(out)));
    saturate(out.l, 6.0);
    saturate(out.r, 6.0);
    master(out, -10.0, Measure::Momentary, -2.0);
    // The mixer limits nothing: the blasts' sum lands on top of the music. The encoder adds
    // about half a decibel; the file is written to hold the decoded sum under its ceiling.
    out.scale(static_cast<float>(dbToGain(kExplosionStackDb - 0.5) / explosionStackPeak(out)));
    return out;
}

} // namespace snd
