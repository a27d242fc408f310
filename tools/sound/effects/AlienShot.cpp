// The fireball an alien throws: a short, soft whoosh that falls in pitch as it flies off.
#include "dsp/Dynamics.h"
#include "dsp/Envelopes.h"
#include "dsp/Filters.h"
#include "dsp/Oscillators.h"
#include "dsp/Random.h"
#include "effects/Sounds.h"

namespace snd {

Stereo alienShot() {
    // Heard about 200 times a flight, up to three times a second: it is kept short and quiet,
    // with a rounded onset and nothing in the 2-5 kHz band where the ear tires first. Crackle
    // and a sharp attack made the old one sting on every repeat.
    const double length = 0.18;
    const std::size_t n = frames(length);
    Rng rng(0xA11E5);
    Stereo out(n);
    Oscillator tone;
    Svf whooshL;
    Svf whooshR;
    Svf darkL;
    Svf darkR;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = fadeIn(t, 0.008) * decayTo60(t, length);
        const double pitch = 170.0 + 330.0 * std::exp(-t / 0.05);
        const double body = std::tanh(1.5 * tone.next(Wave::Triangle, pitch));
        const double sweep = 500.0 + 1300.0 * std::exp(-t / 0.06);
        const double wl = whooshL.band(rng.noise(), sweep, 1.2);
        const double wr = whooshR.band(rng.noise(), sweep * 1.08, 1.2);
        out.l[i] = darkL.low(static_cast<float>(env * (0.5 * body + 0.9 * wl)), 2200.0);
        out.r[i] = darkR.low(static_cast<float>(env * (0.5 * body + 0.9 * wr)), 2200.0);
    }
    fadeOut(out, 0.03);
    master(out, -24.0, Measure::Momentary, -6.0);
    return out;
}

} // namespace snd
