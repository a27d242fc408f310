// Noise-based building blocks the effects share: crackles and seeded white noise.
#pragma once

#include "dsp/Random.h"
#include "dsp/Signal.h"

namespace snd {

inline Mono whiteNoise(std::size_t n, Rng& rng) {
    Mono out(n);
    for (float& x : out) {
        x = rng.noise();
    }
    return out;
}

// Sparse clicks of random strength; `density(t)` is the expected clicks per second at t.
template <typename Density> Mono crackle(std::size_t n, Rng& rng, Density density) {
    Mono out(n, 0.0f);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        if (rng.chance(density(t) / kRate)) {
            // Mostly small pops with an occasional loud one, as burning fuel or ice does.
            const double u = rng.uniform();
            out[i] = static_cast<float>((rng.chance(0.5) ? 1.0 : -1.0) * u * u * u);
        }
    }
    return out;
}

} // namespace snd
