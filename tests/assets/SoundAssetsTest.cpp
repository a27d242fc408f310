// Checks the generated sounds and music the way the game meets them: decoded by SDL_mixer.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

enum class Kind { OneShot, Loop, Music };

struct Asset {
    const char* path;
    Kind kind;
    double minSeconds;
    double maxSeconds;
};

// The game's asset paths, and how long each may be for the way the game plays it.
const Asset kAssets[] = {
    {"Audio/Alien Shot.mp3", Kind::OneShot, 0.2, 0.4},
    {"Audio/Alien Hit.mp3", Kind::OneShot, 0.4, 0.8},
    {"Audio/Thrust Base.Wav", Kind::Loop, 1.0, 3.0},
    {"Audio/Thrust Fade.wav", Kind::Loop, 1.0, 3.0},
    {"Audio/Thrust Roar (Cropped).mp3", Kind::OneShot, 3.0, 4.0},
    {"Audio/Thrust Alarm.wav", Kind::OneShot, 0.2, 0.5},
    {"Audio/Ship Explosion.mp3", Kind::OneShot, 1.5, 2.5},
    {"Audio/Ship Crash.mp3", Kind::OneShot, 2.0, 3.0},
    {"Audio/FTL - Civil Battle.mp3", Kind::Music, 110.0, 130.0},
    {"Audio/FTL - Colonial Battle.mp3", Kind::Music, 110.0, 130.0},
    {"Audio/FTL - Rockman Battle.mp3", Kind::Music, 110.0, 130.0},
    {"Audio/FTL - Zoltan Battle.mp3", Kind::Music, 110.0, 130.0},
};

constexpr int kRate = 44100;

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Interleaved stereo samples as the mixer holds them after Mix_LoadWAV.
struct Decoded {
    std::vector<std::int16_t> samples;

    std::size_t frames() const { return samples.size() / 2; }
    double seconds() const { return static_cast<double>(frames()) / kRate; }
    double at(std::size_t frame, int channel) const {
        return samples[frame * 2 + static_cast<std::size_t>(channel)] / 32768.0;
    }
};

double toDb(double level) {
    return 20.0 * std::log10(std::max(level, 1e-9));
}

double peakDb(const Decoded& d) {
    int peak = 0;
    for (std::int16_t s : d.samples) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return toDb(peak / 32768.0);
}

// RMS of every window of `seconds`, one window starting every `hop` seconds.
std::vector<double> windowRmsDb(const Decoded& d, double seconds, double hop) {
    const auto w = static_cast<std::size_t>(seconds * kRate);
    const auto step = std::max<std::size_t>(1, static_cast<std::size_t>(hop * kRate));
    std::vector<double> energy(d.frames() + 1, 0.0);
    for (std::size_t i = 0; i < d.frames(); ++i) {
        energy[i + 1] = energy[i] + d.at(i, 0) * d.at(i, 0) + d.at(i, 1) * d.at(i, 1);
    }
    std::vector<double> out;
    for (std::size_t start = 0; start + w <= d.frames(); start += step) {
        out.push_back(toDb(std::sqrt((energy[start + w] - energy[start]) / (2.0 * w))));
    }
    return out;
}

double rmsDb(const Decoded& d) {
    double sum = 0.0;
    for (std::int16_t s : d.samples) {
        const double v = s / 32768.0;
        sum += v * v;
    }
    return toDb(std::sqrt(sum / std::max<std::size_t>(1, d.samples.size())));
}

// How loud a short effect is at its strongest moment.
double loudestDb(const Decoded& d) {
    const std::vector<double> windows = windowRmsDb(d, 0.2, 0.005);
    return windows.empty() ? rmsDb(d) : *std::max_element(windows.begin(), windows.end());
}

class SoundAssets : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048), 0) << Mix_GetError();
    }
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        SDL_Quit();
    }

    static Decoded decode(const char* path) {
        Decoded d;
        Mix_Chunk* chunk = Mix_LoadWAV(path);
        EXPECT_NE(chunk, nullptr) << path << ": " << Mix_GetError();
        if (chunk != nullptr) {
            const auto* begin = reinterpret_cast<const std::int16_t*>(chunk->abuf);
            d.samples.assign(begin, begin + chunk->alen / sizeof(std::int16_t));
            Mix_FreeChunk(chunk);
        }
        return d;
    }
};

TEST_F(SoundAssets, FilesAreRealWaveAndMpegAudioAt44100HzStereo) {
    for (const Asset& a : kAssets) {
        SCOPED_TRACE(a.path);
        const std::vector<unsigned char> b = readBytes(a.path);
        ASSERT_GT(b.size(), 64u);
        const std::string path = a.path;
        if (endsWith(path, ".wav") || endsWith(path, ".Wav")) {
            EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
            EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE");
            EXPECT_EQ(std::string(b.begin() + 12, b.begin() + 16), "fmt ");
            EXPECT_EQ(b[20] | (b[21] << 8), 1); // integer PCM
            EXPECT_EQ(b[22] | (b[23] << 8), 2); // stereo
            EXPECT_EQ(le32(b, 24), 44100u);
            EXPECT_EQ(b[34] | (b[35] << 8), 16); // bits per sample
        } else {
            ASSERT_TRUE(endsWith(path, ".mp3"));
            std::size_t at = 0;
            if (std::string(b.begin(), b.begin() + 3) == "ID3") {
                const std::size_t tagSize =
                    (b[6] & 0x7f) << 21 | (b[7] & 0x7f) << 14 | (b[8] & 0x7f) << 7 | (b[9] & 0x7f);
                at = 10 + tagSize;
            }
            ASSERT_LT(at + 4, b.size());
            EXPECT_EQ(b[at], 0xFF);
            EXPECT_EQ(b[at + 1] & 0xE0, 0xE0);      // frame sync
            EXPECT_EQ((b[at + 1] >> 3) & 0x3, 0x3); // MPEG-1
            EXPECT_EQ((b[at + 1] >> 1) & 0x3, 0x1); // Layer III
            EXPECT_EQ((b[at + 2] >> 2) & 0x3, 0x0); // 44100 Hz
            EXPECT_NE((b[at + 3] >> 6) & 0x3, 0x3); // not mono
        }
    }
}

TEST_F(SoundAssets, EffectsLastAsLongAsTheGamePlaysThem) {
    for (const Asset& a : kAssets) {
        if (a.kind == Kind::Music) {
            continue;
        }
        SCOPED_TRACE(a.path);
        const Decoded d = decode(a.path);
        EXPECT_GE(d.seconds(), a.minSeconds);
        EXPECT_LE(d.seconds(), a.maxSeconds);
    }
}

// A flight lasts about 105 s and its track plays once, so it must outlast the flight and never
// drop out along the way.
TEST_F(SoundAssets, BattleTracksOutlastAFlightWithoutDropouts) {
    for (const Asset& a : kAssets) {
        if (a.kind != Kind::Music) {
            continue;
        }
        SCOPED_TRACE(a.path);
        Mix_Music* music = Mix_LoadMUS(a.path);
        ASSERT_NE(music, nullptr) << Mix_GetError();
#if SDL_MIXER_VERSION_ATLEAST(2, 6, 0)
        EXPECT_GE(Mix_MusicDuration(music), a.minSeconds);
#endif
        Mix_FreeMusic(music);
        const Decoded d = decode(a.path);
        EXPECT_GE(d.seconds(), a.minSeconds);
        EXPECT_LE(d.seconds(), a.maxSeconds);
        const std::vector<double> seconds = windowRmsDb(d, 1.0, 0.5);
        for (std::size_t i = 0; i < seconds.size() && i / 2.0 < 108.0; ++i) {
            EXPECT_GT(seconds[i], -40.0) << "near-silence at " << i / 2.0 << " s";
        }
    }
}

TEST_F(SoundAssets, NothingClipsAndLevelsMatchWithinEachKind) {
    std::vector<double> oneShots;
    std::vector<double> loops;
    std::vector<double> music;
    double loudestMusic = -100.0;
    std::string levels; // printed with any failure, to show where the balance went wrong
    for (const Asset& a : kAssets) {
        SCOPED_TRACE(a.path);
        const Decoded d = decode(a.path);
        ASSERT_GT(d.frames(), 0u);
        EXPECT_LE(peakDb(d), -1.0);
        double level = 0.0;
        switch (a.kind) {
        case Kind::OneShot:
            level = loudestDb(d);
            oneShots.push_back(level);
            break;
        case Kind::Loop:
            level = rmsDb(d);
            loops.push_back(level);
            EXPECT_GT(level, -18.0); // the game sets their volume, so they are full-level
            break;
        case Kind::Music:
            level = rmsDb(d);
            music.push_back(level);
            loudestMusic = std::max(loudestMusic, loudestDb(d));
            break;
        }
        levels += std::string("\n  ") + a.path + ": " + std::to_string(level) + " dB";
    }
    const auto spread = [](const std::vector<double>& v) {
        return *std::max_element(v.begin(), v.end()) - *std::min_element(v.begin(), v.end());
    };
    EXPECT_LE(spread(oneShots), 4.0) << levels;
    EXPECT_LE(spread(loops), 4.0) << levels;
    EXPECT_LE(spread(music), 1.0) << levels;
    // The effects must stay audible over the music: even its loudest moments sit below the
    // softest effect at its peak, and its overall level a few dB under that.
    const double softestEffect = *std::min_element(oneShots.begin(), oneShots.end());
    EXPECT_LT(loudestMusic, softestEffect) << levels;
    EXPECT_LE(*std::max_element(music.begin(), music.end()), softestEffect - 3.0) << levels;
}

// Both loops repeat for as long as the jets burn or thaw: the wrap from the last sample to the
// first must be no bigger a jump than the waveform makes anywhere else, and never go quiet.
TEST_F(SoundAssets, EngineLoopsJoinWithoutAClick) {
    for (const Asset& a : kAssets) {
        if (a.kind != Kind::Loop) {
            continue;
        }
        SCOPED_TRACE(a.path);
        const Decoded d = decode(a.path);
        ASSERT_GT(d.frames(), 1000u);
        for (int ch = 0; ch < 2; ++ch) {
            std::vector<double> steps;
            for (std::size_t i = 1; i < d.frames(); ++i) {
                steps.push_back(std::abs(d.at(i, ch) - d.at(i - 1, ch)));
            }
            std::sort(steps.begin(), steps.end());
            const double typical = steps[steps.size() * 99 / 100];
            const double seam = std::abs(d.at(0, ch) - d.at(d.frames() - 1, ch));
            EXPECT_LE(seam, typical) << "channel " << ch;
        }
        const std::vector<double> windows = windowRmsDb(d, 0.05, 0.025);
        EXPECT_GT(*std::min_element(windows.begin(), windows.end()), -30.0);
    }
}

} // namespace
