// The engine hum heard while jets burn: a low, throbbing drone that loops without a seam. Its
// 55 Hz is heard, not played: the harmonics from the second up carry the pitch (the ear fills in
// the missing fundamental), so small speakers keep the hum and it leaves the bass to the music.
#include "dsp/Filters.h"
#include "dsp/Random.h"
#include "effects/Loop.h"
#include "effects/Noise.h"
#include "effects/Sounds.h"

namespace snd {

Stereo thrustBase() {
    const double loop = 2.0;
    const std::size_t n = frames(loop);
    Rng rng(0xBA5E);
    // Every tone and every modulation completes whole cycles within the loop.
    const double f0 = loopFrequency(55.0, loop);
    const double f1 = loopFrequency(55.5, loop); // a slow beat against the first
    const double throb = loopFrequency(7.5, loop);
    const double sway = loopFrequency(1.5, loop);
    std::vector<double> phases(24);
    for (double& p : phases) {
        p = rng.uniform();
    }

    // The noise itself is one loop long and filtered around the circle.
    Svf lowL;
    Svf lowR;
    Svf airL;
    Svf airR;
    Svf floorL;
    Svf floorR;
    const Mono rumbleL = filterCircular(whiteNoise(n, rng), [&](float x) {
        return lowL.low(floorL.high(x, 140.0, 0.7), 320.0, 0.8);
    });
    const Mono rumbleR = filterCircular(whiteNoise(n, rng), [&](float x) {
        return lowR.low(floorR.high(x, 140.0, 0.7), 320.0, 0.8);
    });
    const Mono hissL =
        filterCircular(whiteNoise(n, rng), [&](float x) { return airL.band(x, 1800.0, 0.7); });
    const Mono hissR =
        filterCircular(whiteNoise(n, rng), [&](float x) { return airR.band(x, 1800.0, 0.7); });

    Stereo out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double hum = 0.0;
        for (std::size_t k = 2; k <= phases.size(); ++k) {
            // Falling harmonics give a buzzing, saw-like engine without harsh top end; the
            // lowest two are held back, or a small speaker's loss of them would still be heard.
            const double amp = (k < 4 ? 0.5 : 1.0) / std::pow(static_cast<double>(k), 0.7);
            const double f = (k % 2 == 0 ? f1 : f0) * static_cast<double>(k);
            hum += amp * std::sin(kTwoPi * (f * t + phases[k - 1]));
        }
        const double pulse =
            1.0 + 0.22 * std::sin(kTwoPi * throb * t) + 0.08 * std::sin(kTwoPi * sway * t);
        const double core = std::tanh(0.6 * hum) * pulse;
        const double l = core + 1.6 * rumbleL[i] * pulse + 0.2 * hissL[i];
        const double r = core + 1.6 * rumbleR[i] * pulse + 0.2 * hissR[i];
        out.l[i] = static_cast<float>(l);
        out.r[i] = static_cast<float>(r);
    }
    // It drones on for most of a flight: keep the top end soft so it never wears. The
    // saturation folds the partials down into their 55 Hz spacing; that is cut again, steeply,
    // so nothing under 100 Hz stands in the way of the kick and the bass.
    for (Mono* channel : {&out.l, &out.r}) {
        Svf dark;
        Svf floor1;
        Svf floor2;
        *channel = filterCircular(*channel, [&](float x) {
            return floor2.high(floor1.high(dark.low(x, 2400.0, 0.6), 100.0, 0.54), 100.0, 1.31);
        });
    }
    // All of it lies below 1.5 kHz, where the music lives too: at the game's full hum volume
    // (four jets, 64 of 128) it sits a few dB under the tracks in that band, not over them.
    levelLoop(out, -22.0, -1.5);
    return out;
}

} // namespace snd
