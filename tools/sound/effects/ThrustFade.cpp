// Ice thawing off the jets: steam hissing in slow breaths, sizzles and a few melt drips. It can
// run for seconds on end, so it keeps out of 2-5 kHz, where the ear is keenest and a hiss wears
// soonest: a soft rush of steam below, the hiss itself and its sizzle in the air above.
#include "dsp/Envelopes.h"
#include "dsp/Filters.h"
#include "dsp/Oscillators.h"
#include "dsp/Random.h"
#include "effects/Loop.h"
#include "effects/Noise.h"
#include "effects/Sounds.h"

namespace snd {

namespace {

Mono drip(Rng& rng) {
    const std::size_t len = frames(0.09);
    Mono out(len);
    Oscillator osc;
    const double from = rng.range(500.0, 800.0);
    const double to = from * rng.range(1.8, 2.4);
    for (std::size_t i = 0; i < len; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double pitch = to - (to - from) * std::exp(-t / 0.012);
        out[i] =
            static_cast<float>(osc.next(Wave::Sine, pitch) * fadeIn(t, 0.002) * decayTo60(t, 0.08));
    }
    return out;
}

// White noise between `lo` and `hi`, two poles at each edge.
Mono band(std::size_t n, Rng& rng, double lo, double hi) {
    Svf high;
    Svf low;
    return filterCircular(whiteNoise(n, rng),
                          [&, lo, hi](float x) { return low.low(high.high(x, lo, 0.6), hi, 0.6); });
}

Mono sizzle(std::size_t n, Rng& rng) {
    Svf tone;
    return filterCircular(crackle(n, rng, [](double) { return 90.0; }),
                          [&](float x) { return tone.band(x, 7500.0, 1.5); });
}

} // namespace

Stereo thrustFade() {
    const double loop = 2.5;
    const std::size_t n = frames(loop);
    Rng rng(0x7A3);
    const Mono rushL = band(n, rng, 450.0, 1700.0);
    const Mono rushR = band(n, rng, 480.0, 1750.0);
    const Mono hissL = band(n, rng, 6500.0, 12000.0);
    const Mono hissR = band(n, rng, 6600.0, 12000.0);
    const Mono sizzleL = sizzle(n, rng);
    const Mono sizzleR = sizzle(n, rng);
    Mono drips(n, 0.0f);
    for (int d = 0; d < 4; ++d) {
        mixWrapped(drips, drip(rng), frames(loop * (d + rng.range(0.1, 0.9)) / 4.0), 0.35f);
    }

    // A faint flutter, not a swell: a slow breath once per loop made the 2.5-s repeat easy to
    // hear. Whole-cycle sines, so it joins at the loop point.
    const double mid = loopFrequency(1.2, loop);
    const double fast = loopFrequency(2.8, loop);
    Stereo out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double breath = 1.0 + 0.05 * std::sin(kTwoPi * mid * t + 1.0) +
                              0.04 * std::sin(kTwoPi * fast * t + 2.0);
        out.l[i] = static_cast<float>(breath * (1.8 * rushL[i] + 0.7 * hissL[i]) +
                                      2.0 * sizzleL[i] + drips[i]);
        out.r[i] = static_cast<float>(breath * (1.8 * rushR[i] + 0.7 * hissR[i]) +
                                      2.0 * sizzleR[i] + 0.8 * drips[i]);
    }
    // Steam is airy, but a flat top end would sound like radio static.
    Svf softL;
    Svf softR;
    out.l = filterCircular(out.l, [&](float x) { return softL.low(x, 11000.0, 0.6); });
    out.r = filterCircular(out.r, [&](float x) { return softR.low(x, 11000.0, 0.6); });
    // Under the music even at its full 64 of 128: a sound the player should notice, not one
    // to sit through.
    levelLoopLoudness(out, -17.5, -4.5);
    return out;
}

} // namespace snd
