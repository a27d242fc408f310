#include "Verdict.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sndfile.h>
#include <vector>

namespace {

struct CPcm {
    int rate = 0;
    int channels = 0;
    long frames = 0;
    std::vector<float> samples; // interleaved, full scale at 1.0
};

bool readPcm(const std::filesystem::path& path, CPcm* pcm, std::string* error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        *error = sf_strerror(nullptr);
        return false;
    }
    pcm->rate = info.samplerate;
    pcm->channels = info.channels;
    pcm->samples.resize(static_cast<std::size_t>(info.frames) * info.channels);
    // A decoder may deliver fewer frames than the header promised; what it delivers is the sound.
    pcm->frames = static_cast<long>(sf_readf_float(file, pcm->samples.data(), info.frames));
    pcm->samples.resize(static_cast<std::size_t>(pcm->frames) * info.channels);
    sf_close(file);
    return true;
}

std::vector<float> mono(const CPcm& pcm) {
    std::vector<float> out(static_cast<std::size_t>(pcm.frames));
    for (long i = 0; i < pcm.frames; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < pcm.channels; ++c) {
            sum += pcm.samples[static_cast<std::size_t>(i) * pcm.channels + c];
        }
        out[static_cast<std::size_t>(i)] = sum;
    }
    return out;
}

// The shift of `b` against `a` (b[i + lag] heard as a[i]) that correlates best. Correlating whole
// tracks at every lag would take seconds each, so a few windows spread over the sound stand in
// for it: each is long enough that only the true shift lines all of them up. Ties keep lag 0.
long bestLag(const std::vector<float>& a, const std::vector<float>& b, long maxLag) {
    const long n = static_cast<long>(std::min(a.size(), b.size()));
    maxLag = std::min(maxLag, n / 4);
    const long span = n - 2 * maxLag;
    if (span <= 0) {
        return 0;
    }
    constexpr long kWindows = 16;
    constexpr long kWindow = 4096;
    std::vector<long> starts;
    if (span <= kWindows * kWindow) {
        starts.push_back(maxLag);
    } else {
        for (long k = 0; k < kWindows; ++k) {
            starts.push_back(maxLag + k * (span - kWindow) / (kWindows - 1));
        }
    }
    const long length = starts.size() == 1 ? span : kWindow;
    auto correlation = [&](long lag) {
        double sum = 0.0;
        for (long start : starts) {
            for (long i = start; i < start + length; ++i) {
                sum += static_cast<double>(a[static_cast<std::size_t>(i)]) *
                       b[static_cast<std::size_t>(i + lag)];
            }
        }
        return sum;
    };
    long best = 0;
    double bestSum = correlation(0);
    for (long lag = -maxLag; lag <= maxLag; ++lag) {
        const double sum = lag == 0 ? bestSum : correlation(lag);
        if (sum > bestSum) {
            bestSum = sum;
            best = lag;
        }
    }
    return best;
}

double toDb(double meanSquare) {
    return meanSquare > 0.0 ? 10.0 * std::log10(meanSquare) : -INFINITY;
}

} // namespace

CVerdict compareSounds(const std::filesystem::path& expected, const std::filesystem::path& actual,
                       double limitDb, int maxLag) {
    CPcm a;
    CPcm b;
    std::string error;
    if (!readPcm(expected, &a, &error)) {
        return {false, "cannot be decoded: " + error};
    }
    if (!readPcm(actual, &b, &error)) {
        return {false, "regenerated file cannot be decoded: " + error};
    }
    char text[200];
    if (a.rate != b.rate || a.channels != b.channels) {
        std::snprintf(text, sizeof text, "%d Hz x %d vs %d Hz x %d", a.rate, a.channels, b.rate,
                      b.channels);
        return {false, text};
    }
    if (std::labs(a.frames - b.frames) > maxLag) {
        std::snprintf(text, sizeof text, "%ld vs %ld frames, more apart than the %d-frame shift",
                      a.frames, b.frames, maxLag);
        return {false, text};
    }
    const long lag = bestLag(mono(a), mono(b), maxLag);

    // Over the frames both sides have at that shift; the loudest tenth of a second says where a
    // difference sits, which one figure for a two-minute track cannot.
    const long first = std::max(0L, -lag);
    const long last = std::min(a.frames, b.frames - lag);
    const long block = std::max(1, a.rate / 10);
    const int ch = a.channels;
    double total = 0.0;
    double blockSum = 0.0;
    double worstBlock = 0.0;
    long worstAt = first;
    for (long i = first; i < last; ++i) {
        double frame = 0.0;
        for (int c = 0; c < ch; ++c) {
            const double d = static_cast<double>(a.samples[static_cast<std::size_t>(i) * ch + c]) -
                             b.samples[static_cast<std::size_t>(i + lag) * ch + c];
            frame += d * d;
        }
        total += frame;
        blockSum += frame;
        if ((i - first + 1) % block == 0 || i + 1 == last) {
            const long blockFrames = (i - first) % block + 1;
            const double meanSquare = blockSum / (static_cast<double>(blockFrames) * ch);
            if (meanSquare > worstBlock) {
                worstBlock = meanSquare;
                worstAt = i + 1 - blockFrames;
            }
            blockSum = 0.0;
        }
    }
    const long compared = std::max(0L, last - first);
    const double rmsDb = compared > 0 ? toDb(total / (static_cast<double>(compared) * ch)) : 0.0;
    if (compared > 0 && total == 0.0) {
        std::snprintf(text, sizeof text, "decoded samples identical (limit %.0f dBFS), shift %ld",
                      limitDb, lag);
    } else {
        std::snprintf(text, sizeof text,
                      "RMS diff %.1f dBFS (limit %.0f), shift %ld; loudest 0.1 s %.1f dBFS at "
                      "%.2f s",
                      rmsDb, limitDb, lag, toDb(worstBlock), static_cast<double>(worstAt) / a.rate);
    }
    return {compared > 0 && rmsDb < limitDb, text};
}
