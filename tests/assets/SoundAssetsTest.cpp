// Checks the generated sounds and music as the game meets them: decoded by SDL_mixer and heard
// at the volumes and times the game plays them. Loudness is read as the asset tools read it
// (tools/sound/measure: EBU R128, true peak, band powers).
#include "measure/Meter.h"
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
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr double kRate = 44100.0;

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
    {CIVIL_BATTLE_TRACK, 135.0, 150.0},   {COLONIAL_BATTLE_TRACK, 135.0, 150.0},
    {ROCKMAN_BATTLE_TRACK, 135.0, 150.0}, {ZOLTAN_BATTLE_TRACK, 135.0, 150.0},
};
enum { kHum, kThaw, kShot, kHit, kRoar, kAlarm, kExplosion, kCrash, kFirstTrack, kCount = 12 };

// The flight proper runs from 4 s to 102 s of its track (the clock starts at 102 s with the music
// and flies from 98 s left); frozen jets can hold it open to about 120 s.
constexpr double kFlightStart = 4.0, kTimeUp = 102.0, kFlightEnd = 120.0;

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

// As the meter takes it: `times` laps of a loop, at `gain`; a track faded in as the game starts it
// (Mix_FadeInMusic over 4 s).
meter::Audio heard(const Sound& s, double gain = 1.0, int times = 1, bool track = false) {
    meter::Audio once;
    once.l.assign(s.l.begin(), s.l.end());
    once.r.assign(s.r.begin(), s.r.end());
    meter::Audio out;
    out.mix(once.repeated(times), 0, gain);
    if (track) {
        meter::fadeIn(out, 4.0);
    }
    return out;
}

// The crash as the mixer plays it: the four blasts and the wreck, each started on the first of
// the mixer's 2048-frame buffers after the frame that asks for it. How the frames fall against
// the buffers changes the gaps between them: one stack for every way they can fall.
std::vector<meter::Audio> crashes(const Sound& blast, const Sound& wreck) {
    std::vector<int> calls(std::begin(CRASH_EXPLOSION_CALLS), std::end(CRASH_EXPLOSION_CALLS));
    calls.push_back(FRAMES_PER_CRASH_FRAME * CRASH_FRAMES - CRASH_SOUND_LEAD);
    std::set<std::vector<std::size_t>> placements;
    for (std::size_t phase = 0; phase < 2048; phase += 16) {
        std::vector<std::size_t> starts;
        for (int call : calls) {
            starts.push_back((call * FRAME_MS * 441 / 10 + phase + 2047) / 2048 * 2048);
        }
        const std::size_t first = starts[0];
        for (std::size_t& start : starts) {
            start -= first;
        }
        placements.insert(starts);
    }
    std::vector<meter::Audio> out;
    for (const std::vector<std::size_t>& starts : placements) {
        meter::Audio stack;
        for (std::size_t c = 0; c < starts.size(); ++c) {
            stack.mix(heard(c + 1 < starts.size() ? blast : wreck), starts[c]);
        }
        out.push_back(stack);
    }
    return out;
}

// The highest sample of the crash set off at every 50 ms of a track's loudest second.
double crashOverLoudestSecondDb(const std::vector<meter::Audio>& crash, const meter::Audio& music) {
    const std::vector<double> second = meter::loudnessSeries(music, 1.0);
    const auto end =
        static_cast<std::size_t>(std::max_element(second.begin(), second.end()) - second.begin());
    float peak = 0.0f;
    for (std::size_t at = meter::frames(std::max(0.0, end * 0.1 - 1.0));
         at < meter::frames(end * 0.1); at += meter::frames(0.05)) {
        for (const meter::Audio& stack : crash) {
            for (std::size_t i = 0; i < stack.size() && at + i < music.size(); ++i) {
                peak = std::max({peak, std::abs(stack.l[i] + music.l[at + i]),
                                 std::abs(stack.r[i] + music.r[at + i])});
            }
        }
    }
    return 20.0 * std::log10(std::max(static_cast<double>(peak), 1e-10));
}

class SoundAssets : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(AUDIO_FREQUENCY, AUDIO_SAMPLE_FORMAT, AUDIO_CHANNELS,
                                AUDIO_CHUNK_SAMPLES),
                  0)
            << Mix_GetError();
    }
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        SDL_Quit();
    }

    // Decoded on first use, so a test waits only for the files it hears. One silent frame
    // stands for a file that will not load: its length check fails.
    static const Sound& sound(int k) {
        static std::vector<Sound> decoded(kCount);
        Sound& s = decoded[static_cast<std::size_t>(k)];
        if (s.size() == 0) {
            s = Sound{{0.0}, {0.0}};
            Mix_Chunk* chunk = Mix_LoadWAV(kAssets[k].path);
            if (chunk != nullptr) {
                s.l.reserve(chunk->alen / 4);
                s.r.reserve(chunk->alen / 4);
            }
            for (Uint32 i = 0; chunk != nullptr && i + 1 < chunk->alen / 2; i += 2) {
                const auto* v = reinterpret_cast<const Sint16*>(chunk->abuf) + i;
                s.add(v[0] / 32768.0, v[1] / 32768.0, i / 2);
            }
            Mix_FreeChunk(chunk);
        }
        return s;
    }
};

// Undecodable files, the wrong rate or channel count, cut or overlong sounds, clipping. Both
// loops repeat while the jets burn or thaw: the wrap from the last sample to the first may jump
// no further than the waveform does elsewhere, and no stretch of a loop may swell (a swell once
// a loop made the thaw's 2.5-s repeat plain to hear).
TEST_F(SoundAssets, EveryFileDecodesWhole44100HzStereoUnclippedAndLoopsRunSmooth) {
    for (int k = 0; k < kCount; ++k) {
        const Asset& a = kAssets[k];
        const Sound& s = sound(k);
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

// A track plays once: it must outlast a flight, even one held open, without a dropout, keep out of
// the sub-bass small speakers lose (and that only ate headroom), keep its top end (an encoder
// low-pass at 15 kHz did cut it) and spread wide.
TEST_F(SoundAssets, TracksOutlastAFlightWithoutDropoutsFullRangeAndWide) {
    for (int k = kFirstTrack; k < kCount; ++k) {
        const Sound& s = sound(k);
        SCOPED_TRACE(kAssets[k].path);
        for (std::size_t at = 0; at + 44100 < s.size() && at < kFlightEnd * 44100; at += 22050) {
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
// below 1.5 kHz and stood 5 dB over it, and under 100 Hz it stood over the music nearly all the
// time; the shot, heard three times a second, sat on top of the music; the explosion was barely
// louder than the shot. The hit and alarm must still carry. The mixer limits nothing, and the
// crash over the loudest second of a track reached +2.5 dBFS.
TEST_F(SoundAssets, TheGameMixPutsTheHumUnderTheMusicAndTheExplosionOverAll) {
    Sound blast; // the explosion as the crash plays it: set off again on each of its calls
    for (int call : CRASH_EXPLOSION_CALLS) {
        const auto at =
            static_cast<std::size_t>((call - CRASH_EXPLOSION_CALLS[0]) * FRAME_MS * 44.1);
        for (std::size_t i = 0; i < sound(kExplosion).size(); ++i) {
            blast.add(sound(kExplosion).l[i], sound(kExplosion).r[i], at + i);
        }
    }
    EXPECT_LE(20.0 * std::log10(blast.peak), -1.0) << "the crash's blasts clip together";
    const std::vector<meter::Audio> crash = crashes(sound(kExplosion), sound(kCrash));
    // The loops play at 64 of 128 at most (the hum at four burning jets): 6 dB down.
    const double hum = db(power(filtered(sound(kHum), 1500.0, false))) - 6.02;
    const auto laps = static_cast<int>(kFlightEnd * kRate / sound(kHum).size()) + 1;
    const std::vector<double> humBass =
        meter::lowBandPowers(heard(sound(kHum), 0.5, laps), 20.0, 100.0, kFlightStart, kFlightEnd);
    const auto flight = static_cast<std::size_t>(105 * kRate);
    const double shot = momentsDb(sound(kShot)).second;
    const double carrying =
        std::min(momentsDb(sound(kHit)).second, momentsDb(sound(kAlarm)).second);
    for (int k = 0; k < kCount; ++k) {
        SCOPED_TRACE(kAssets[k].path);
        const double loudest = momentsDb(sound(k), k <= kThaw).second - (k <= kThaw ? 6.02 : 0);
        EXPECT_TRUE(k == kExplosion || momentsDb(blast).second > loudest + 3.0)
            << "as loud as the explosion";
        if (k >= kFirstTrack) {
            const double band = db(power(filtered(sound(k), 1500.0, false), 0, flight));
            EXPECT_LT(hum, band - 0.5) << "the hum over the music below 1.5 kHz";
            const double music = db(power(sound(k), 0, flight));
            EXPECT_LT(shot, music) << "the shot over the music";
            EXPECT_GT(carrying, music + 1.5) << "the hit or the alarm lost in the music";
            const meter::Audio track = heard(sound(k));
            const std::vector<double> bass =
                meter::lowBandPowers(track, 20.0, 100.0, kFlightStart, kFlightEnd);
            std::size_t over = 0;
            for (std::size_t i = 0; i < bass.size(); ++i) {
                over += humBass[i] > bass[i] ? 1 : 0;
            }
            EXPECT_LE(over, bass.size() / 2) << "the hum over the music below 100 Hz";
            EXPECT_LE(crashOverLoudestSecondDb(crash, track), -3.0) << "the crash over the music";
        }
    }
}

// A track holds together through a flight: its quieter passages fell 8-10 dB under the full
// sections, below the shots (about -25 LUFS at two a second), for a fifth of the flight. At most
// 5% of 4-102 s may lie under -27 LUFS (3-s windows), and the loudness range of the whole track
// is that of one piece, not of a piece and its silences.
TEST_F(SoundAssets, TracksKeepOneLoudnessThroughAFlight) {
    for (int k = kFirstTrack; k < kCount; ++k) {
        SCOPED_TRACE(kAssets[k].path);
        const meter::Loudness music = meter::loudness(heard(sound(k), 1.0, 1, true));
        EXPECT_NEAR(music.integrated, -21.0, 0.5);
        EXPECT_LE(music.range, 7.0);
        const auto first = static_cast<std::size_t>(kFlightStart * 10);
        const auto last = static_cast<std::size_t>(kTimeUp * 10);
        std::size_t quiet = 0;
        for (std::size_t i = first; i <= last; ++i) {
            quiet += i >= music.shortTerm.size() || music.shortTerm[i] < -27.0 ? 1 : 0;
        }
        EXPECT_LE(quiet, (last - first + 1) / 20) << "quiet passages in the flight";
    }
}

// Both loops run for seconds on end. The thaw stays soft and mostly clear of 2-5 kHz, where the
// ear is keenest (60% of its energy lay there). The hum is carried by what a small speaker plays:
// a 180 Hz high-pass may cost it at most 3 LU (its 55 Hz fundamental cost it 4.8).
TEST_F(SoundAssets, TheLoopsWearWellTheThawSoftTheHumOnSmallSpeakers) {
    const meter::Audio thaw = heard(sound(kThaw), 1.0, 4);
    EXPECT_LE(meter::loudness(thaw).integrated, -16.0);
    EXPECT_LE(meter::truePeakDb(thaw), -3.0);
    EXPECT_LT(meter::bandShare(meter::spectrum(heard(sound(kThaw)), true), 2000.0, 5000.0), 0.3);
    // Three laps after one that lets the high-pass settle.
    const meter::Audio hum = heard(sound(kHum), 1.0, 4);
    const meter::Audio full = hum.slice(sound(kHum).size(), hum.size());
    const meter::Audio small = meter::highPass(hum, 180.0).slice(sound(kHum).size(), hum.size());
    EXPECT_LE(meter::loudness(full).integrated - meter::loudness(small).integrated, 3.0);
    EXPECT_LE(meter::rmsDb(hum), -19.0) << "the hum over the music";
}

} // namespace
