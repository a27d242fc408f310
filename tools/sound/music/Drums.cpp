// Kick, snare, hats, toms and cymbals made from sines and filtered noise.
#include "music/Drums.h"

#include "dsp/Envelopes.h"
#include "dsp/Filters.h"
#include "dsp/Oscillators.h"

namespace snd {

namespace {

// Old sound chips held each noise value for a while; the steps give their hiss its grain.
class NoiseSource {
  public:
    NoiseSource(Rng& rng, bool chip, double rate) : rng_(rng), chip_(chip), step_(rate / kRate) {}
    float next() {
        if (!chip_) {
            return rng_.noise();
        }
        phase_ += step_;
        if (phase_ >= 1.0) {
            phase_ -= 1.0;
            held_ = rng_.chance(0.5) ? 1.0f : -1.0f;
        }
        return held_;
    }

  private:
    Rng& rng_;
    bool chip_;
    double step_;
    double phase_ = 1.0;
    float held_ = 0.0f;
};

} // namespace

Mono kick(const DrumKit& kit, Rng& rng) {
    const double length = kit.kickDecay * 1.2;
    Mono out(frames(length));
    Oscillator body;
    OnePole click;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double pitch = kit.kickHz + kit.kickPunch * std::exp(-t / 0.035);
        const Wave wave = kit.chip ? Wave::ChipTriangle : Wave::Sine;
        double v = body.next(wave, pitch) * decayTo60(t, kit.kickDecay);
        v += kit.kickClick * click.low(rng.noise(), 3000.0) * 4.0 * decayTo60(t, 0.012);
        out[i] = static_cast<float>(std::tanh(1.6 * v * fadeIn(t, 0.0008)));
    }
    return out;
}

Mono snare(const DrumKit& kit, Rng& rng) {
    const double length = kit.snareDecay * 1.4;
    Mono out(frames(length));
    Oscillator shell;
    Oscillator shell2;
    Svf rattle;
    NoiseSource noise(rng, kit.chip, 9000.0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double drop = 1.0 + 0.5 * std::exp(-t / 0.01);
        const double tone = (shell.next(Wave::Sine, kit.snareHz * drop) +
                             0.5 * shell2.next(Wave::Sine, kit.snareHz * 1.62 * drop)) *
                            decayTo60(t, kit.snareDecay * 0.5);
        const double wires =
            rattle.band(noise.next(), kit.snareTone, 0.6) * 2.2 * decayTo60(t, kit.snareDecay);
        out[i] = static_cast<float>((0.55 * tone + kit.snareNoise * wires) * fadeIn(t, 0.0005));
    }
    return out;
}

Mono hat(const DrumKit& kit, bool open, Rng& rng) {
    const double decay = open ? kit.openHatDecay : kit.hatDecay;
    Mono out(frames(decay * 1.2));
    Svf high;
    Svf shape;
    NoiseSource noise(rng, kit.chip, 22000.0);
    // Six detuned square waves ring metallically under the noise, as in analogue drum boxes.
    const double ratios[6] = {1.0, 1.3419, 1.2312, 1.6532, 1.9523, 2.1523};
    std::vector<Oscillator> metal(6);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double ring = 0.0;
        for (int k = 0; k < 6; ++k) {
            ring += metal[k].next(Wave::Square, 330.0 * ratios[k]);
        }
        const double raw = noise.next() + (kit.chip ? 0.0 : 0.15 * ring);
        const double v =
            shape.band(high.high(static_cast<float>(raw), kit.hatHz * 0.7), kit.hatHz * 1.3, 0.8);
        out[i] = static_cast<float>(1.6 * v * fadeIn(t, 0.0005) * decayTo60(t, decay));
    }
    return out;
}

Mono tom(const DrumKit& kit, double pitchRatio, Rng& rng) {
    Mono out(frames(0.5));
    Oscillator body;
    Svf skin;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double pitch = kit.tomHz * pitchRatio * (1.0 + 0.6 * std::exp(-t / 0.04));
        const double v = body.next(kit.chip ? Wave::ChipTriangle : Wave::Sine, pitch) +
                         0.3 * skin.band(rng.noise(), 1200.0, 0.8) * decayTo60(t, 0.05);
        out[i] = static_cast<float>(v * decayTo60(t, 0.42) * fadeIn(t, 0.001));
    }
    return out;
}

Stereo crash(const DrumKit& kit, Rng& rng) {
    const double length = 2.2;
    Stereo out(frames(length));
    Svf highL;
    Svf highR;
    NoiseSource noiseL(rng, kit.chip, 18000.0);
    NoiseSource noiseR(rng, kit.chip, 18000.0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env =
            fadeIn(t, 0.002) * (0.6 * decayTo60(t, length) + 0.4 * decayTo60(t, 0.25));
        out.l[i] = static_cast<float>(highL.high(noiseL.next(), 4500.0) * env);
        out.r[i] = static_cast<float>(highR.high(noiseR.next(), 4700.0) * env);
    }
    return out;
}

Stereo riser(double seconds, Rng& rng) {
    Stereo out(frames(seconds));
    Svf sweepL;
    Svf sweepR;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double x = static_cast<double>(i) / out.size();
        const double centre = 300.0 * std::pow(30.0, x);
        const double env = x * x;
        out.l[i] = static_cast<float>(sweepL.band(rng.noise(), centre, 2.5) * env);
        out.r[i] = static_cast<float>(sweepR.band(rng.noise(), centre * 1.05, 2.5) * env);
    }
    return out;
}

} // namespace snd
