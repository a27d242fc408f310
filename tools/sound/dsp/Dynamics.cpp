// Measuring and taming levels, shared by the effects and the songs.
#include "dsp/Dynamics.h"

#include "dsp/Loudness.h"

#include <deque>

namespace snd {

double peak(const Stereo& s) {
    double p = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        p = std::max(
            {p, static_cast<double>(std::abs(s.l[i])), static_cast<double>(std::abs(s.r[i]))});
    }
    return p;
}

double rms(const Stereo& s) {
    if (s.size() == 0) {
        return 0.0;
    }
    double sum = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        sum += static_cast<double>(s.l[i]) * s.l[i] + static_cast<double>(s.r[i]) * s.r[i];
    }
    return std::sqrt(sum / (2.0 * static_cast<double>(s.size())));
}

void compress(Stereo& s, const CompressorSettings& c) {
    const double att = std::exp(-1.0 / (c.attack * kRate));
    const double rel = std::exp(-1.0 / (c.release * kRate));
    double env = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double x =
            0.5 * (static_cast<double>(s.l[i]) * s.l[i] + static_cast<double>(s.r[i]) * s.r[i]);
        const double coeff = x > env ? att : rel;
        env = coeff * env + (1.0 - coeff) * x;
        const double levelDb = 10.0 * std::log10(std::max(env, 1e-12));
        const double over = levelDb - c.thresholdDb;
        if (over > 0.0) {
            const auto g = static_cast<float>(dbToGain(-over * (1.0 - 1.0 / c.ratio)));
            s.l[i] *= g;
            s.r[i] *= g;
        }
    }
}

void limit(Stereo& s, double ceiling, double lookaheadSeconds, double release) {
    const std::size_t n = s.size();
    const std::size_t look = std::max<std::size_t>(1, frames(lookaheadSeconds));
    std::vector<double> need(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double p = std::max(std::abs(s.l[i]), std::abs(s.r[i]));
        need[i] = p > ceiling ? ceiling / p : 1.0;
    }
    // Minimum of the needed gain over the coming window, with a slow recovery afterwards.
    std::vector<double> held(n);
    std::deque<std::size_t> window;
    const double rel = std::exp(-1.0 / (release * kRate));
    double recovering = 1.0;
    for (std::size_t i = 0; i < n + look; ++i) {
        if (i < n) {
            while (!window.empty() && need[window.back()] >= need[i]) {
                window.pop_back();
            }
            window.push_back(i);
        }
        if (i < look) {
            continue;
        }
        const std::size_t at = i - look;
        while (!window.empty() && window.front() < at) {
            window.pop_front();
        }
        const double ahead = window.empty() ? 1.0 : need[window.front()];
        recovering = std::min(ahead, rel * recovering + (1.0 - rel) * 1.0);
        held[at] = recovering;
    }
    // Averaging over the look-ahead turns the steps into ramps without ever exceeding the
    // needed reduction at a peak, because every held value in the window is at most that.
    double sum = 0.0;
    std::vector<double> smooth(n);
    for (std::size_t i = 0; i < n; ++i) {
        sum += held[i];
        if (i >= look) {
            sum -= held[i - look];
        }
        const std::size_t count = std::min(i + 1, look);
        smooth[i] = sum / static_cast<double>(count);
    }
    for (std::size_t i = 0; i < n; ++i) {
        // The ramp reaches a peak's gain only when the window has fully covered it; the clamp
        // catches the first few samples of a buffer where that window is short.
        const double g = smooth[i];
        s.l[i] = static_cast<float>(std::clamp(s.l[i] * g, -ceiling, ceiling));
        s.r[i] = static_cast<float>(std::clamp(s.r[i] * g, -ceiling, ceiling));
    }
}

void fadeOut(Stereo& s, double seconds) {
    const std::size_t n = std::min(s.size(), frames(seconds));
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t at = s.size() - n + i;
        const double x = static_cast<double>(n - i) / n;
        const auto g = static_cast<float>(x * x);
        s.l[at] *= g;
        s.r[at] *= g;
    }
}

void fadeInStart(Stereo& s, double seconds) {
    const std::size_t n = std::min(s.size(), frames(seconds));
    for (std::size_t i = 0; i < n; ++i) {
        const auto g = static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / n));
        s.l[i] *= g;
        s.r[i] *= g;
    }
}

void master(Stereo& s, double targetLufs, Measure measure, double ceilingDb) {
    const double ceiling = dbToGain(ceilingDb);
    // Limiting lowers the loudness a little, so aim again a few times.
    for (int pass = 0; pass < 8; ++pass) {
        const Loudness heard = measureLoudness(s);
        const double now = measure == Measure::Integrated ? heard.integrated : heard.momentaryMax;
        const double gain = dbToGain(targetLufs - now);
        s.scale(static_cast<float>(gain));
        limit(s, ceiling, 0.003, 0.05);
    }
}

} // namespace snd
