// The fireball an alien throws: a short fiery whoosh that falls in pitch as it flies off.
#include "dsp/Dynamics.h"
#include "dsp/Envelopes.h"
#include "dsp/Filters.h"
#include "dsp/Oscillators.h"
#include "dsp/Reverb.h"
#include "effects/Noise.h"
#include "effects/Sounds.h"

namespace snd {

Stereo alienShot() {
    // It plays several times a second late in a flight, so it stays short, soft-edged and
    // free of harsh highs.
    const double length = 0.3;
    const std::size_t n = frames(length);
    Rng rng(0xA11E5);
    Stereo out(n);
    Oscillator tone;
    Oscillator sub;
    Svf whooshL;
    Svf whooshR;
    Svf crackleTone;
    Svf darkL;
    Svf darkR;
    const Mono pops = crackle(n, rng, [](double) { return 260.0; });
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        // A soft 12 ms swell instead of a click: heard many times a minute, it must not sting.
        const double env = fadeIn(t, 0.012) * decayTo60(t, length);
        const double pitch = 200.0 + 560.0 * std::exp(-t / 0.07);
        double body = 0.55 * tone.next(Wave::Triangle, pitch) + 0.35 * sub.next(Wave::Sine, pitch);
        body = std::tanh(2.2 * body);
        const double sweep = 600.0 + 2400.0 * std::exp(-t / 0.08);
        const double wl = whooshL.band(rng.noise(), sweep, 2.0);
        const double wr = whooshR.band(rng.noise(), sweep * 1.06, 2.0);
        const double pop = crackleTone.band(pops[i], 2600.0, 1.5) * 1.8;
        const double mid = 0.6 * body + pop;
        out.l[i] = darkL.low(static_cast<float>(env * (mid + 0.8 * wl)), 4200.0);
        out.r[i] = darkR.low(static_cast<float>(env * (mid + 0.8 * wr)), 4200.0);
    }
    const Stereo room = reverb(out, {0.35, 0.5, 0.8}, 0.05);
    out.mix(room, 0, 0.18f);
    fadeOut(out, 0.03);
    master(out, -18.0, Measure::Loudest200ms, -4.0);
    return out;
}

} // namespace snd
