// The reverberation network behind every tail in the game's sounds and music.
#include "dsp/Reverb.h"

#include <array>

namespace snd {

namespace {

class Comb {
  public:
    explicit Comb(std::size_t length) : buf_(length, 0.0f) {}
    float process(float x, float feedback, float damp) {
        const float out = buf_[pos_];
        store_ = out * (1.0f - damp) + store_ * damp;
        buf_[pos_] = x + store_ * feedback;
        pos_ = (pos_ + 1) % buf_.size();
        return out;
    }

  private:
    std::vector<float> buf_;
    std::size_t pos_ = 0;
    float store_ = 0.0f;
};

class AllPass {
  public:
    explicit AllPass(std::size_t length) : buf_(length, 0.0f) {}
    float process(float x) {
        const float held = buf_[pos_];
        const float out = held - x;
        buf_[pos_] = x + held * 0.5f;
        pos_ = (pos_ + 1) % buf_.size();
        return out;
    }

  private:
    std::vector<float> buf_;
    std::size_t pos_ = 0;
};

constexpr std::array<std::size_t, 8> kCombs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<std::size_t, 4> kAllPasses = {556, 441, 341, 225};
constexpr std::size_t kSpread = 23;

Mono channel(const Mono& input, std::size_t spread, const ReverbSettings& s) {
    std::vector<Comb> combs;
    for (std::size_t len : kCombs) {
        combs.emplace_back(len + spread);
    }
    std::vector<AllPass> passes;
    for (std::size_t len : kAllPasses) {
        passes.emplace_back(len + spread);
    }
    const auto feedback = static_cast<float>(0.7 + 0.28 * s.roomSize);
    const auto damp = static_cast<float>(0.4 * s.damping);
    Mono out(input.size());
    for (std::size_t i = 0; i < input.size(); ++i) {
        const float x = input[i] * 0.015f;
        float acc = 0.0f;
        for (auto& c : combs) {
            acc += c.process(x, feedback, damp);
        }
        for (auto& a : passes) {
            acc = a.process(acc);
        }
        out[i] = acc;
    }
    return out;
}

} // namespace

Stereo reverb(const Stereo& in, const ReverbSettings& settings, double tailSeconds) {
    const std::size_t n = in.size() + frames(tailSeconds);
    Mono mid(n, 0.0f);
    for (std::size_t i = 0; i < in.size(); ++i) {
        mid[i] = 0.5f * (in.l[i] + in.r[i]);
    }
    Mono left = in.l;
    Mono right = in.r;
    left.resize(n, 0.0f);
    right.resize(n, 0.0f);
    // Each side hears mostly itself and a little of the other, as in a real room.
    for (std::size_t i = 0; i < n; ++i) {
        const float l = left[i];
        left[i] = 0.7f * l + 0.3f * right[i];
        right[i] = 0.7f * right[i] + 0.3f * l;
    }
    const Mono wetL = channel(left, 0, settings);
    const Mono wetR = channel(right, kSpread, settings);
    Stereo out(n);
    const auto w = static_cast<float>(settings.width);
    for (std::size_t i = 0; i < n; ++i) {
        const float m = 0.5f * (wetL[i] + wetR[i]);
        out.l[i] = m + w * (wetL[i] - m);
        out.r[i] = m + w * (wetR[i] - m);
    }
    return out;
}

} // namespace snd
