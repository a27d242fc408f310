// The figures a listener's meter reads off a sound: loudness after ITU-R BS.1770 and EBU R128
// (momentary, short-term, integrated, loudness range), true peak, and the power in a band of
// frequencies. vorlusk-measure judges the finished files by them, and so do the asset tests.
// Plain C++ without libraries, so both can build it.
#pragma once

#include <cstddef>
#include <vector>

namespace meter {

constexpr double kRate = 44100.0;

struct Audio {
    std::vector<float> l;
    std::vector<float> r;

    std::size_t size() const { return l.size(); }
    // Adds `other` times `gain` from frame `at`, growing as needed.
    void mix(const Audio& other, std::size_t at, double gain = 1.0);
    // `times` copies end to start, as a loop is heard.
    Audio repeated(int times) const;
    // Frames [from, to), silence past the end.
    Audio slice(std::size_t from, std::size_t to) const;
};

std::size_t frames(double seconds);
double powerDb(double power);

// SDL_mixer's fade-in: the volume climbs in a straight line, a step every 2048 frames.
void fadeIn(Audio& a, double seconds);

// Loudness in LUFS of the window of `seconds` that ends at every tenth of a second: entry k
// ends k/10 s into the sound. Before a window has filled, its missing start counts as silence,
// as on a meter switched on with the sound.
std::vector<double> loudnessSeries(const Audio& a, double seconds);

struct Loudness {
    std::vector<double> momentary; // 400-ms windows, as loudnessSeries gives them
    std::vector<double> shortTerm; // 3-s windows
    // Gated over the 400-ms windows (absolute -70 LUFS, relative -10 LU).
    double integrated = -70.0;
    // EBU Tech 3342: the 10th to 95th percentile of the full 3-s windows above -70 LUFS and
    // within 20 LU of their mean.
    double range = 0.0;
};
Loudness loudness(const Audio& a);

double samplePeakDb(const Audio& a);
// The peak between the samples too, read off four times as many.
double truePeakDb(const Audio& a);
double rmsDb(const Audio& a);

// Fourth-order Butterworth high-pass (24 dB an octave): what a small speaker leaves of a sound.
Audio highPass(const Audio& a, double hz);

// Mean power of both channels between `lo` and `hi` Hz (at most 120 Hz) in every 400-ms
// moment starting at `from` and then every 100 ms, while the moment ends by `to` (seconds).
std::vector<double> lowBandPowers(const Audio& a, double lo, double hi, double from, double to);

// Power spectrum of the whole sound (Hann-windowed, half-overlapping 8192-frame blocks; a loop
// is read across its wrap). Entry k holds the power around k * kBinHz.
constexpr double kBinHz = kRate / 8192.0;
std::vector<double> spectrum(const Audio& a, bool loop);
double bandShare(const std::vector<double>& spectrum, double lo, double hi);
double centroidHz(const std::vector<double>& spectrum);

} // namespace meter
