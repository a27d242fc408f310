// A small seeded generator so every render of the assets comes out bit-for-bit the same.
#pragma once

#include <cstdint>

namespace snd {

// PCG32 (O'Neill): tiny, fast, and identical on every compiler, unlike std::rand or the
// distributions of <random>.
class Rng {
  public:
    explicit Rng(std::uint64_t seed, std::uint64_t stream = 54) {
        inc_ = (stream << 1u) | 1u;
        next();
        state_ += seed;
        next();
    }

    std::uint32_t next() {
        const std::uint64_t old = state_;
        state_ = old * 6364136223846793005ULL + inc_;
        const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
        const auto rot = static_cast<std::uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
    }

    // Uniform in [0, 1).
    double uniform() { return next() * (1.0 / 4294967296.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // White noise in [-1, 1).
    float noise() { return static_cast<float>(uniform() * 2.0 - 1.0); }
    int below(int n) { return static_cast<int>(uniform() * n); }
    bool chance(double p) { return uniform() < p; }

  private:
    std::uint64_t state_ = 0;
    std::uint64_t inc_ = 0;
};

} // namespace snd
