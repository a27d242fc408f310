// K-weighting and gating after BS.1770-4 and Tech 3342; band powers from FFTs.
#include "measure/Meter.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace meter {

namespace {

constexpr double kPi = 3.14159265358979323846;
// SDL_mixer mixes, and steps a fade, a buffer of this many frames at a time (the game's own
// Mix_OpenAudio size).
constexpr std::size_t kMixerBuffer = 2048;

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

// Bilinear-transformed second-order sections; a fourth-order Butterworth is two of them.
Biquad butterworth(double hz, double q, bool high) {
    const double w = 2.0 * kPi * hz / kRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    const double a0 = 1.0 + alpha;
    const double b1 = high ? -(1.0 + c) : 1.0 - c;
    const double b0 = std::abs(b1) / 2.0;
    return {b0 / a0, b1 / a0, b0 / a0, -2.0 * c / a0, (1.0 - alpha) / a0};
}

constexpr double kButterworthQ[2] = {0.54119610014619698, 1.3065629648763766};

void filterInPlace(std::vector<float>& channel, double hz, bool high) {
    for (double q : kButterworthQ) {
        Biquad f = butterworth(hz, q, high);
        for (float& x : channel) {
            x = static_cast<float>(f.step(x));
        }
    }
}

// The frames between two readings of a meter: every window it reads is a whole number of them.
constexpr std::size_t kHop = 4410;

// The two stages of K-weighting, derived for 44.1 kHz from their analogue prototypes: a
// +4 dB shelf above 1.7 kHz (the head) and a high-pass at 38 Hz. Returns the K-weighted power
// of both channels summed over each 100 ms.
std::vector<double> kWeightedHops(const Audio& a) {
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
    std::vector<double> hops(a.size() / kHop, 0.0);
    for (const std::vector<float>* channel : {&a.l, &a.r}) {
        Biquad s = shelf;
        Biquad h = highPass;
        for (std::size_t i = 0; i < hops.size() * kHop; ++i) {
            const double y = h.step(s.step((*channel)[i]));
            hops[i / kHop] += y * y;
        }
    }
    return hops;
}

double lufsOf(double power) {
    return -0.691 + 10.0 * std::log10(std::max(power, 1e-20));
}

// Mean K-weighted power of the window of `seconds` ending at every tenth of a second.
std::vector<double> windowPowers(const std::vector<double>& hops, double seconds) {
    const auto w = static_cast<std::size_t>(std::lround(seconds * kRate / kHop));
    std::vector<double> out(hops.size() + 1, 0.0);
    double sum = 0.0;
    for (std::size_t end = 1; end < out.size(); ++end) {
        sum += hops[end - 1] - (end > w ? hops[end - 1 - w] : 0.0);
        out[end] = std::max(sum, 0.0) / static_cast<double>(w * kHop);
    }
    return out;
}

double gatedMean(const std::vector<double>& powers, double gateLufs) {
    double total = 0.0;
    std::size_t count = 0;
    for (double p : powers) {
        if (lufsOf(p) > gateLufs) {
            total += p;
            ++count;
        }
    }
    return count > 0 ? total / static_cast<double>(count) : 0.0;
}

void fft(std::vector<std::complex<double>>& x) {
    const std::size_t n = x.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; (j & bit) != 0; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(x[i], x[j]);
        }
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> turn = std::polar(1.0, -2.0 * kPi / static_cast<double>(len));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1.0;
            for (std::size_t k = 0; k < len / 2; ++k) {
                const std::complex<double> u = x[i + k];
                const std::complex<double> v = x[i + k + len / 2] * w;
                x[i + k] = u + v;
                x[i + k + len / 2] = u - v;
                w *= turn;
            }
        }
    }
}

std::vector<double> hann(std::size_t n) {
    std::vector<double> w(n);
    for (std::size_t i = 0; i < n; ++i) {
        w[i] = 0.5 - 0.5 * std::cos(2.0 * kPi * (static_cast<double>(i) + 0.5) / n);
    }
    return w;
}

// Four-term Blackman-Harris: its leakage lies 92 dB down beyond four bins, so a strong tone just
// outside a band is not counted inside it.
std::vector<double> blackmanHarris(std::size_t n) {
    std::vector<double> w(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double x = 2.0 * kPi * (static_cast<double>(i) + 0.5) / n;
        w[i] = 0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2.0 * x) -
               0.01168 * std::cos(3.0 * x);
    }
    return w;
}

// Left in the real part, right in the imaginary: one transform serves both channels, and
// |Z(k)|^2 + |Z(n-k)|^2 is twice their summed power at bin k.
std::vector<double> binPowers(const std::vector<float>& l, const std::vector<float>& r,
                              std::size_t start, const std::vector<double>& window, std::size_t n) {
    std::vector<std::complex<double>> z(n);
    for (std::size_t i = 0; i < window.size(); ++i) {
        const std::size_t k = (start + i) % l.size();
        z[i] = {l[k] * window[i], r[k] * window[i]};
    }
    fft(z);
    std::vector<double> out(n / 2 + 1);
    for (std::size_t k = 0; k <= n / 2; ++k) {
        out[k] = std::norm(z[k]) + std::norm(z[(n - k) % n]);
    }
    return out;
}

} // namespace

void Audio::mix(const Audio& other, std::size_t at, double gain) {
    if (at + other.size() > size()) {
        l.resize(at + other.size(), 0.0f);
        r.resize(at + other.size(), 0.0f);
    }
    const auto g = static_cast<float>(gain);
    for (std::size_t i = 0; i < other.size(); ++i) {
        l[at + i] += other.l[i] * g;
        r[at + i] += other.r[i] * g;
    }
}

Audio Audio::repeated(int times) const {
    Audio out;
    for (int k = 0; k < times; ++k) {
        out.mix(*this, static_cast<std::size_t>(k) * size());
    }
    return out;
}

Audio Audio::slice(std::size_t from, std::size_t to) const {
    Audio out;
    out.l.assign(to - from, 0.0f);
    out.r.assign(to - from, 0.0f);
    for (std::size_t i = from; i < std::min(to, size()); ++i) {
        out.l[i - from] = l[i];
        out.r[i - from] = r[i];
    }
    return out;
}

std::size_t frames(double seconds) {
    return static_cast<std::size_t>(std::lround(std::max(0.0, seconds) * kRate));
}

double powerDb(double power) {
    return 10.0 * std::log10(std::max(power, 1e-20));
}

void fadeIn(Audio& a, double seconds) {
    // As Mix_FadeInMusic counts it: whole milliseconds per buffer, and a whole-number volume.
    const auto msPerStep = static_cast<int>(kMixerBuffer * 1000.0 / kRate);
    const int steps = (static_cast<int>(std::lround(seconds * 1000.0)) + msPerStep - 1) / msPerStep;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto step = static_cast<int>(i / kMixerBuffer) + 1;
        if (step >= steps) {
            break;
        }
        const auto g = static_cast<float>((128 * step / steps) / 128.0);
        a.l[i] *= g;
        a.r[i] *= g;
    }
}

std::vector<double> loudnessSeries(const Audio& a, double seconds) {
    std::vector<double> out = windowPowers(kWeightedHops(a), seconds);
    for (double& p : out) {
        p = lufsOf(p);
    }
    return out;
}

Loudness loudness(const Audio& a) {
    const std::vector<double> hops = kWeightedHops(a);
    const std::vector<double> blocks = windowPowers(hops, 0.4);
    std::vector<double> windows = windowPowers(hops, 3.0);
    Loudness out;
    const double ungated = gatedMean(blocks, -70.0);
    out.integrated = lufsOf(gatedMean(blocks, std::max(lufsOf(ungated) - 10.0, -70.0)));
    for (double p : blocks) {
        out.momentary.push_back(lufsOf(p));
    }
    for (double p : windows) {
        out.shortTerm.push_back(lufsOf(p));
    }
    // The range reads only windows that have filled.
    windows.erase(windows.begin(), windows.begin() + std::min(windows.size(), std::size_t{30}));
    const double gate = std::max(lufsOf(gatedMean(windows, -70.0)) - 20.0, -70.0);
    std::vector<double> kept;
    for (double p : windows) {
        if (lufsOf(p) > gate) {
            kept.push_back(lufsOf(p));
        }
    }
    if (kept.size() > 1) {
        std::sort(kept.begin(), kept.end());
        const auto at = [&kept](double f) {
            const double rank = std::round(f * static_cast<double>(kept.size() - 1));
            return kept[static_cast<std::size_t>(rank)];
        };
        out.range = at(0.95) - at(0.10);
    }
    return out;
}

double samplePeakDb(const Audio& a) {
    float p = 0.0f;
    for (std::size_t i = 0; i < a.size(); ++i) {
        p = std::max({p, std::abs(a.l[i]), std::abs(a.r[i])});
    }
    return 20.0 * std::log10(std::max(static_cast<double>(p), 1e-10));
}

double truePeakDb(const Audio& a) {
    // Windowed-sinc interpolation at a quarter, a half and three quarters of a sample.
    constexpr int kHalf = 16;
    std::vector<double> taps[3];
    for (int p = 1; p <= 3; ++p) {
        for (int k = -kHalf + 1; k <= kHalf; ++k) {
            const double t = k - p / 4.0;
            const double sinc = std::sin(kPi * t) / (kPi * t);
            const double x = t / kHalf;
            const double window = 0.42 + 0.5 * std::cos(kPi * x) + 0.08 * std::cos(2.0 * kPi * x);
            taps[p - 1].push_back(sinc * window);
        }
    }
    double peak = std::pow(10.0, samplePeakDb(a) / 20.0);
    for (const std::vector<float>* channel : {&a.l, &a.r}) {
        const std::vector<float>& x = *channel;
        for (std::size_t i = kHalf; i + kHalf < x.size(); ++i) {
            for (const std::vector<double>& h : taps) {
                double y = 0.0;
                for (int k = -kHalf + 1; k <= kHalf; ++k) {
                    y += x[i + static_cast<std::size_t>(k + kHalf) - kHalf] *
                         h[static_cast<std::size_t>(k + kHalf - 1)];
                }
                peak = std::max(peak, std::abs(y));
            }
        }
    }
    return 20.0 * std::log10(std::max(peak, 1e-10));
}

double rmsDb(const Audio& a) {
    double sum = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum += static_cast<double>(a.l[i]) * a.l[i] + static_cast<double>(a.r[i]) * a.r[i];
    }
    return powerDb(sum / (2.0 * static_cast<double>(std::max<std::size_t>(a.size(), 1))));
}

Audio highPass(const Audio& a, double hz) {
    Audio out = a;
    filterInPlace(out.l, hz, true);
    filterInPlace(out.r, hz, true);
    return out;
}

std::vector<double> lowBandPowers(const Audio& a, double lo, double hi, double from, double to) {
    // A 32nd of the frames once nothing above 250 Hz is left: what could fold back into the
    // band (above 1.2 kHz) lies 55 dB down.
    constexpr std::size_t kDecimate = 32;
    constexpr std::size_t kSize = 1024;
    const double rate = kRate / kDecimate;
    std::vector<float> l;
    std::vector<float> r;
    for (const auto& [in, out] : {std::pair{&a.l, &l}, std::pair{&a.r, &r}}) {
        Biquad first = butterworth(250.0, kButterworthQ[0], false);
        Biquad second = butterworth(250.0, kButterworthQ[1], false);
        for (std::size_t i = 0; i < in->size(); ++i) {
            const double y = second.step(first.step((*in)[i]));
            if (i % kDecimate == 0) {
                out->push_back(static_cast<float>(y));
            }
        }
    }
    const auto length = static_cast<std::size_t>(std::lround(0.4 * rate));
    const std::vector<double> window = blackmanHarris(length);
    double norm = 0.0;
    for (double w : window) {
        norm += w * w;
    }
    norm *= 4.0 * kSize;
    const auto first = static_cast<std::size_t>(std::ceil(lo * kSize / rate));
    const auto last = static_cast<std::size_t>(std::floor(hi * kSize / rate));
    std::vector<double> out;
    for (double t = from; t + 0.4 <= to + 1e-9; t += 0.1) {
        const auto start = static_cast<std::size_t>(std::lround(t * rate));
        if (start + length > l.size()) {
            out.push_back(0.0);
            continue;
        }
        const std::vector<double> bins = binPowers(l, r, start, window, kSize);
        double sum = 0.0;
        for (std::size_t k = first; k <= last; ++k) {
            sum += bins[k];
        }
        out.push_back(2.0 * sum / norm);
    }
    return out;
}

std::vector<double> spectrum(const Audio& a, bool loop) {
    constexpr std::size_t kSize = 8192;
    const std::vector<double> window = hann(kSize);
    std::vector<double> out(kSize / 2 + 1, 0.0);
    const std::size_t end = loop ? a.size() : (a.size() >= kSize ? a.size() - kSize + 1 : 0);
    for (std::size_t start = 0; start < end; start += kSize / 2) {
        const std::vector<double> bins = binPowers(a.l, a.r, start, window, kSize);
        for (std::size_t k = 0; k < out.size(); ++k) {
            out[k] += bins[k];
        }
    }
    return out;
}

double bandShare(const std::vector<double>& spectrum, double lo, double hi) {
    double band = 0.0;
    double total = 0.0;
    for (std::size_t k = 0; k < spectrum.size(); ++k) {
        const double hz = static_cast<double>(k) * kBinHz;
        total += spectrum[k];
        band += hz >= lo && hz <= hi ? spectrum[k] : 0.0;
    }
    return total > 0.0 ? band / total : 0.0;
}

double centroidHz(const std::vector<double>& spectrum) {
    double moment = 0.0;
    double total = 0.0;
    for (std::size_t k = 0; k < spectrum.size(); ++k) {
        moment += static_cast<double>(k) * kBinHz * spectrum[k];
        total += spectrum[k];
    }
    return total > 0.0 ? moment / total : 0.0;
}

} // namespace meter
