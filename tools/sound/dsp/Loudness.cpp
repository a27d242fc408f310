// K-weighting, gated blocks and the loudness range of EBU R128 / ITU-R BS.1770.
#include "dsp/Loudness.h"

#include <numeric>

namespace snd {

namespace {

struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0.0;
    double z2 = 0.0;
    double step(double x) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The two stages of BS.1770, derived for our sample rate from their analogue prototypes: a
// +4 dB shelf above 1.7 kHz (the head) and a high-pass at 38 Hz (the ear's low-end roll-off).
std::vector<double> kWeightedPower(const Stereo& s, std::size_t length) {
    double k = std::tan(kPi * 1681.974450955533 / kRate);
    const double q = 0.7071752369554196;
    const double vh = std::pow(10.0, 3.999843853973347 / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    double a0 = 1.0 + k / q + k * k;
    const Biquad shelf{(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0,
                       (vh - vb * k / q + k * k) / a0, 2.0 * (k * k - 1.0) / a0,
                       (1.0 - k / q + k * k) / a0};
    k = std::tan(kPi * 38.13547087602444 / kRate);
    const double q2 = 0.5003270373238773;
    a0 = 1.0 + k / q2 + k * k;
    const Biquad highPass{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q2 + k * k) / a0};
    std::vector<double> power(length, 0.0);
    for (const std::vector<float>* channel : {&s.l, &s.r}) {
        Biquad a = shelf;
        Biquad b = highPass;
        for (std::size_t i = 0; i < length; ++i) {
            const double y = b.step(a.step(i < channel->size() ? (*channel)[i] : 0.0));
            power[i] += y * y;
        }
    }
    return power;
}

double lufs(double meanPower) {
    return -0.691 + 10.0 * std::log10(std::max(meanPower, 1e-12));
}

// Mean power of every window of `seconds` ending on a 100 ms grid.
std::vector<double> blocks(const std::vector<double>& sum, double seconds) {
    const std::size_t w = frames(seconds);
    const std::size_t hop = frames(0.1);
    std::vector<double> out;
    for (std::size_t end = hop; end < sum.size(); end += hop) {
        const std::size_t start = end > w ? end - w : 0;
        out.push_back((sum[end] - sum[start]) / static_cast<double>(w));
    }
    return out;
}

// Mean power of the windows louder than `gate` LUFS; silence below -70 LUFS never counts.
double meanAbove(const std::vector<double>& powers, double gate) {
    double total = 0.0;
    int count = 0;
    for (double p : powers) {
        if (lufs(p) > std::max(gate, -70.0)) {
            total += p;
            ++count;
        }
    }
    return count > 0 ? total / count : 0.0;
}

} // namespace

Loudness measureLoudness(const Stereo& s) {
    const std::vector<double> power = kWeightedPower(s, s.size() + frames(3.0));
    std::vector<double> sum(power.size() + 1, 0.0);
    std::partial_sum(power.begin(), power.end(), sum.begin() + 1);
    const std::vector<double> momentary = blocks(sum, 0.4);
    const std::vector<double> shortTerm = blocks(sum, 3.0);
    Loudness out;
    out.integrated = lufs(meanAbove(momentary, lufs(meanAbove(momentary, -70.0)) - 10.0));
    out.momentaryMax = lufs(*std::max_element(momentary.begin(), momentary.end()));
    out.shortTermMax = lufs(*std::max_element(shortTerm.begin(), shortTerm.end()));
    // The range leaves out the quietest tenth and the loudest twentieth of the 3-s windows.
    const double gate = std::max(lufs(meanAbove(shortTerm, -70.0)) - 20.0, -70.0);
    std::vector<double> kept;
    for (double p : shortTerm) {
        if (lufs(p) > gate) {
            kept.push_back(lufs(p));
        }
    }
    if (kept.size() > 1) {
        std::sort(kept.begin(), kept.end());
        const auto at = [&kept](double f) {
            return kept[static_cast<std::size_t>(f * static_cast<double>(kept.size() - 1))];
        };
        out.range = at(0.95) - at(0.10);
    }
    return out;
}

} // namespace snd
