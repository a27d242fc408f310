// Checks the generated sounds and music as the game meets them: decoded by SDL_mixer and heard
// at the volumes and times the game plays them.
#include "shared/AssetNames.h"
#include "shared/GameFacts.h"
#include "shell/Game.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numeric>
#include <utility>
#include <vector>

namespace {

constexpr double kRate = AUDIO_FREQUENCY;

struct Asset {
    const char* path;
    double minSeconds, maxSeconds;
};

// The game's asset paths and lengths, the two loops first. The shot is heard 200 times a
// flight: a longer one wears.
const Asset kAssets[] = {
    {THRUST_BASE_SOUND, 1.0, 3.0},        {THRUST_FADE_SOUND, 1.0, 3.0},
    {ALIEN_SHOT_SOUND, 0.1, 0.25},        {ALIEN_HIT_SOUND, 0.4, 0.8},
    {THRUST_ROAR_SOUND, 3.0, 4.0},        {THRUST_ALARM_SOUND, 0.2, 0.5},
    {SHIP_EXPLOSION_SOUND, 1.5, 2.5},     {SHIP_CRASH_SOUND, 2.0, 3.0},
    {CIVIL_BATTLE_TRACK, 110.0, 130.0},   {COLONIAL_BATTLE_TRACK, 110.0, 130.0},
    {ROCKMAN_BATTLE_TRACK, 110.0, 130.0}, {ZOLTAN_BATTLE_TRACK, 110.0, 130.0},
};
enum { kHum, kThaw, kShot, kHit, kRoar, kAlarm, kExplosion, kCrash, kFirstTrack, kCount = 12 };

// Both channels as the mixer holds them.
struct Sound {
    std::vector<double> l, r;
    double peak = 0.0;
    std::size_t size() const { return l.size(); }
    void add(double left, double right, std::size_t at) {
        l.resize(std::max(l.size(), at + 1)), r.resize(std::max(r.size(), at + 1));
        l[at] += left, r[at] += right;
        peak = std::max({peak, std::abs(l[at]), std::abs(r[at])});
    }
};

double db(double power) {
    return 10.0 * std::log10(std::max(power, 1e-12));
}

// Mean power of `n` frames from `from` (all of it by default), wrapping round as a loop does.
double power(const Sound& s, std::size_t from = 0, std::size_t n = 0) {
    n = n == 0 ? s.size() : n;
    double sum = 0.0;
    for (std::size_t i = from; i < from + n; ++i) {
        const std::size_t k = i % s.size();
        sum += s.l[k] * s.l[k] + s.r[k] * s.r[k];
    }
    return sum / (2.0 * static_cast<double>(n));
}

// The quietest and loudest 400-ms window (the loudness meter's moment), one every 50 ms.
std::pair<double, double> momentsDb(const Sound& s, bool loop = false) {
    const auto w = static_cast<std::size_t>(0.4 * kRate);
    std::pair<double, double> out{0.0, -200.0};
    for (std::size_t at = 0; at == 0 || at + (loop ? 0 : w) < s.size(); at += 2205) {
        const double m = db(power(s, at, loop ? w : std::min(w, s.size() - at)) *
                            std::min(1.0, static_cast<double>(s.size()) / w));
        out = {std::min(out.first, m), std::max(out.second, m)};
    }
    return out;
}

// Four cascaded RBJ biquads (48 dB/octave): what lies below or above `hz`.
Sound filtered(Sound s, double hz, bool high) {
    const double w = 2.0 * M_PI * hz / kRate, c = std::cos(w), a = std::sin(w) / std::sqrt(2.0);
    const double b1 = high ? -(1.0 + c) : 1.0 - c, b0 = std::abs(b1) / 2.0, a0 = 1.0 + a;
    for (std::vector<double>* ch : {&s.l, &s.r}) {
        for (int stage = 0; stage < 4; ++stage) {
            double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
            for (double& x : *ch) {
                const double y = (b0 * (x + x2) + b1 * x1 + 2.0 * c * y1 - (1.0 - a) * y2) / a0;
                x2 = x1, x1 = x, y2 = y1, y1 = y, x = y;
            }
        }
    }
    return s;
}

class SoundAssets : public ::testing::Test {
  protected:
    static inline std::vector<Sound> sounds; // decoded once, in the order of kAssets

    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(AUDIO_FREQUENCY, AUDIO_SAMPLE_FORMAT, AUDIO_CHANNELS,
                                AUDIO_CHUNK_SAMPLES),
                  0)
            << Mix_GetError();
        // One silent frame stands for a file that will not load: its length check fails.
        sounds.assign(kCount, Sound{{0.0}, {0.0}});
        for (int k = 0; k < kCount; ++k) {
            Mix_Chunk* chunk = Mix_LoadWAV(kAssets[k].path);
            for (Uint32 i = 0; chunk != nullptr && i + 1 < chunk->alen / 2; i += 2) {
                const auto* v = reinterpret_cast<const Sint16*>(chunk->abuf) + i;
                sounds[k].add(v[0] / 32768.0, v[1] / 32768.0, i / 2);
            }
            Mix_FreeChunk(chunk);
        }
    }
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        SDL_Quit();
    }
};

// Undecodable files, the wrong rate or channel count, cut or overlong sounds, clipping. Both
// loops repeat while the jets burn or thaw: the wrap from the last sample to the first may jump
// no further than the waveform does elsewhere, and no stretch of a loop may swell (a swell once
// a loop made the thaw's 2.5-s repeat plain to hear).
TEST_F(SoundAssets, EveryFileDecodesWhole44100HzStereoUnclippedAndLoopsRunSmooth) {
    for (int k = 0; k < kCount; ++k) {
        const Asset& a = kAssets[k];
        const Sound& s = sounds[k];
        SCOPED_TRACE(a.path);
        unsigned char h[36] = {};
        std::ifstream(a.path, std::ios::binary).read(reinterpret_cast<char*>(h), sizeof h);
        if (h[0] == 'R') { // RIFF PCM, stereo, 44100 Hz, 16 bits
            EXPECT_TRUE(SDL_memcmp(h, "RIFF", 4) == 0 && h[20] == 1 && h[22] == 2 &&
                        h[24] == 0x44 && h[25] == 0xAC && h[26] == 0 && h[34] == 16);
        } else { // the first frame: MPEG-1 Layer III, 44100 Hz, not mono
            EXPECT_TRUE(h[0] == 0xFF && (h[1] & 0xFE) == 0xFA && (h[2] & 0x0C) == 0 &&
                        h[3] >> 6 != 3);
        }
        EXPECT_GE(s.size() / kRate, a.minSeconds);
        EXPECT_LE(s.size() / kRate, a.maxSeconds);
        EXPECT_LE(20.0 * std::log10(s.peak), -1.0);
        if (k > kThaw || s.size() < 2) {
            continue;
        }
        for (const std::vector<double>* ch : {&s.l, &s.r}) {
            const double seam = std::abs(ch->front() - ch->back());
            std::size_t larger = 0;
            for (std::size_t i = 1; i < ch->size(); ++i) {
                larger += std::abs((*ch)[i] - (*ch)[i - 1]) >= seam ? 1 : 0;
            }
            EXPECT_GE(larger, ch->size() / 100) << "a click at the loop's wrap";
        }
        const auto [quietest, loudest] = momentsDb(s, true);
        EXPECT_LT(loudest - quietest, 2.0) << "a swell in the loop";
    }
}

// A flight lasts about 105 s and its track plays once: it must outlast the flight without a
// dropout, keep out of the sub-bass small speakers lose (and that only ate headroom), keep its
// top end (an encoder low-pass at 15 kHz did cut it) and spread wide.
TEST_F(SoundAssets, TracksOutlastAFlightWithoutDropoutsFullRangeAndWide) {
    for (int k = kFirstTrack; k < kCount; ++k) {
        const Sound& s = sounds[k];
        SCOPED_TRACE(kAssets[k].path);
        for (std::size_t at = 0; at + 44100 < s.size() && at < 108 * 44100; at += 22050) {
            EXPECT_GT(db(power(s, at, 44100)), -40.0) << "near-silence at " << at / kRate << " s";
        }
        EXPECT_LT(power(filtered(s, 60.0, false)) / power(s), 0.01) << "sub-bass";
        EXPECT_GT(db(power(filtered(s, 16e3, true)) / power(filtered(s, 12e3, true))), -19.0)
            << "top end";
        // The channels' correlation, weighted by their power.
        const double lr = std::inner_product(s.l.begin(), s.l.end(), s.r.begin(), 0.0);
        EXPECT_LT(lr / static_cast<double>(s.size()) / power(s), 0.8) << "narrow stereo";
    }
}

// What a player hears at the game's own volumes. The hum at four jets shared the music's band
// below 1.5 kHz and stood 5 dB over it; the shot, heard three times a second, sat on top of
// the music; the explosion was barely louder than the shot. The hit and alarm must still carry.
TEST_F(SoundAssets, TheGameMixPutsTheHumUnderTheMusicAndTheExplosionOverAll) {
    Sound blast; // the explosion as the crash plays it: set off again on each of its calls
    for (int call : CRASH_EXPLOSION_CALLS) {
        const auto at =
            static_cast<std::size_t>((call - CRASH_EXPLOSION_CALLS[0]) * FRAME_MS * 44.1);
        for (std::size_t i = 0; i < sounds[kExplosion].size(); ++i) {
            blast.add(sounds[kExplosion].l[i], sounds[kExplosion].r[i], at + i);
        }
    }
    EXPECT_LE(20.0 * std::log10(blast.peak), -1.0) << "the crash's blasts clip together";
    // The loops play at 64 of 128 at most (the hum at four burning jets): 6 dB down.
    const double hum = db(power(filtered(sounds[kHum], 1500.0, false))) - 6.02;
    const auto flight = static_cast<std::size_t>(105 * kRate);
    const double shot = momentsDb(sounds[kShot]).second;
    const double carrying =
        std::min(momentsDb(sounds[kHit]).second, momentsDb(sounds[kAlarm]).second);
    for (int k = 0; k < kCount; ++k) {
        SCOPED_TRACE(kAssets[k].path);
        const double loudest = momentsDb(sounds[k], k <= kThaw).second - (k <= kThaw ? 6.02 : 0);
        EXPECT_TRUE(k == kExplosion || momentsDb(blast).second > loudest + 3.0)
            << "as loud as the explosion";
        if (k >= kFirstTrack) {
            const double band = db(power(filtered(sounds[k], 1500.0, false), 0, flight));
            EXPECT_LT(hum, band - 0.5) << "the hum over the music below 1.5 kHz";
            const double music = db(power(sounds[k], 0, flight));
            EXPECT_LT(shot, music) << "the shot over the music";
            EXPECT_GT(carrying, music + 1.5) << "the hit or the alarm lost in the music";
        }
    }
}

} // namespace
