// Deterministic randomness, so that every run of the generator draws exactly the same pictures.
#pragma once

#include <cmath>
#include <cstdint>

namespace art {

// xorshift64*: tiny, fast and the same on every machine.
class Random {
  public:
    explicit Random(std::uint64_t seed)
        : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {
        if (state_ == 0) {
            state_ = 1;
        }
    }
    std::uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    // Exponential with the given mean: the gaps between things placed at random at a steady
    // rate. Added to a least gap, it spaces a row with no period at all, not even a blurred one.
    double exponential(double mean) { return -mean * std::log(1.0 - unit()); }

  private:
    std::uint64_t state_;
};

// A repeatable value in [0, 1) for a lattice point: the carpet's knots and wear use it so that
// a spot always gets the same colour whichever order it is visited in.
inline double latticeHash(std::uint32_t x, std::uint32_t y, std::uint32_t salt) {
    std::uint64_t h = (static_cast<std::uint64_t>(x) * 0x8DA6B343u) ^
                      (static_cast<std::uint64_t>(y) * 0xD8163841u) ^
                      (static_cast<std::uint64_t>(salt) * 0xCB1AB31Fu);
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0);
}

} // namespace art
