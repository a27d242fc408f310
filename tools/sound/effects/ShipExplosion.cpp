// One heavy blast of the ship breaking apart: a crack, a deep boom, rolling fire and sparks.
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

Mono blastChannel(std::size_t n, Rng& rng) {
    Mono out(n);
    Oscillator boom;
    Svf crackFilter;
    Svf bodyFilter;
    Svf rumbleFilter;
    Svf sparkFilter;
    const Mono sparks = crackle(n, rng, [](double t) { return 300.0 * std::exp(-t / 0.5); });
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double crack =
            crackFilter.high(rng.noise(), 1200.0) * fadeIn(t, 0.0008) * decayTo60(t, 0.12);
        const double boomPitch = 30.0 + 60.0 * std::exp(-t / 0.12);
        const double low = boom.next(Wave::Sine, boomPitch) * fadeIn(t, 0.002) * decayTo60(t, 1.1);
        const double cutoff = 180.0 + 3200.0 * std::exp(-t / 0.25);
        const double body =
            bodyFilter.low(rng.noise(), cutoff, 0.8) * fadeIn(t, 0.003) * decayTo60(t, 1.7);
        const double rumble = rumbleFilter.low(rng.noise(), 110.0, 0.9) * decayTo60(t, 2.1);
        const double spark = sparkFilter.band(sparks[i], 3500.0, 1.0);
        out[i] =
            static_cast<float>(1.1 * crack + 1.6 * low + 1.3 * body + 4.0 * rumble + 1.6 * spark);
    }
    saturate(out, 2.0);
    return out;
}

} // namespace

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
    master(out, -12.0, Measure::Loudest200ms, -2.0);
    return out;
}

} // namespace snd
