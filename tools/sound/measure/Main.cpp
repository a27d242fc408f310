// vorlusk-measure <data-dir> [track]: hears the finished files of <data-dir>/Audio as the game's
// mixer plays them together -- decoded by SDL_mixer, each track faded in as the game starts it, the
// loops at the volumes the jets give them, the shots thrown at the aliens' own odds, the crash's
// sounds on the frames that set them off -- and prints the figures as Markdown table rows. Given
// a track's name (Civil, ...), it prints that track's short-term loudness second by second.
#include "dsp/Random.h"
#include "measure/Meter.h"
#include "shared/GameFacts.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

using meter::Audio;
using meter::frames;

// How the game plays them (src/shell/Init.cpp, src/flight/Thrusters.cpp, Fireballs.cpp,
// StepFrame.cpp and Crash.cpp): the music at full volume, faded in over 4 s; the hum at a
// quarter of 64 per burning jet, so 64 of 128 with both axes thrusting (four jets); the thaw
// loop at 64 whenever it sounds; every one-shot at full volume.
constexpr double kFadeInSeconds = 4.0;
constexpr double kHumGain = 64.0 / 128.0;
constexpr double kThawGain = 64.0 / 128.0;
// A frame is 20 ms (FRAME_MS). The clock starts at 102 s with the music and the flight proper
// runs from 98 s left to none, 4 s to 102 s into the track; frozen jets hold it open after
// that, to about 120 s.
constexpr double kFrameSeconds = FRAME_SECONDS;
constexpr double kFlightStart = 4.0;
constexpr double kTimeUp = 102.0;
constexpr double kFlightEnd = 120.0;
constexpr std::size_t kMixerBuffer = 2048;

const char* const kTracks[] = {"Civil", "Colonial", "Rockman", "Zoltan"};

Audio load(const std::string& path) {
    Audio out;
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk == nullptr) {
        std::fprintf(stderr, "cannot decode %s: %s\n", path.c_str(), Mix_GetError());
        return out;
    }
    const auto* v = reinterpret_cast<const Sint16*>(chunk->abuf);
    for (Uint32 i = 0; i + 1 < chunk->alen / 2; i += 2) {
        out.l.push_back(static_cast<float>(v[i] / 32768.0));
        out.r.push_back(static_cast<float>(v[i + 1] / 32768.0));
    }
    Mix_FreeChunk(chunk);
    return out;
}

// Every shot of a flight: each frame of it one alien is picked and throws with odds of one in
// 50 / speedFactor, the factor growing by 0.0004 a frame from the start of the clock.
Audio shotBed(const Audio& shot) {
    snd::Rng rng(2024);
    Audio out;
    out.l.assign(frames(kFlightEnd), 0.0f);
    out.r = out.l;
    float speed = 1.0f;
    for (int frame = 1; frame * kFrameSeconds < kTimeUp; ++frame) {
        speed = static_cast<float>(speed + 0.0004);
        const int divisor = std::max(1, static_cast<int>(50.0f / speed));
        if (frame * kFrameSeconds >= kFlightStart && rng.below(divisor) == 0) {
            out.mix(shot, frames(frame * kFrameSeconds));
        }
    }
    return out;
}

// The crash's four blasts and the wreck's crash on their calls. The mixer starts a sound at
// the buffer after the frame that asked for it, so the gaps between them depend on where the
// frames fall against the buffers: every distinct placement is returned.
std::vector<Audio> crashStacks(const Audio& explosion, const Audio& crash) {
    std::vector<int> calls(std::begin(CRASH_EXPLOSION_CALLS), std::end(CRASH_EXPLOSION_CALLS));
    calls.push_back(FRAMES_PER_CRASH_FRAME * CRASH_FRAMES - CRASH_SOUND_LEAD);
    std::set<std::vector<std::size_t>> placements;
    for (std::size_t phase = 0; phase < kMixerBuffer; phase += 16) {
        std::vector<std::size_t> starts;
        for (int call : calls) {
            const std::size_t asked = frames(call * kFrameSeconds) + phase;
            starts.push_back((asked + kMixerBuffer - 1) / kMixerBuffer * kMixerBuffer);
        }
        const std::size_t first = starts.front();
        for (std::size_t& s : starts) {
            s -= first;
        }
        placements.insert(starts);
    }
    std::vector<Audio> out;
    for (const std::vector<std::size_t>& starts : placements) {
        Audio stack;
        for (std::size_t k = 0; k < starts.size(); ++k) {
            stack.mix(k + 1 < starts.size() ? explosion : crash, starts[k]);
        }
        out.push_back(stack);
    }
    return out;
}

// The crash set off at every 10 ms of a track's loudest second: the highest sample heard.
double crashOverMusicDb(const std::vector<Audio>& stacks, const Audio& music) {
    const std::vector<double> second = meter::loudnessSeries(music, 1.0);
    const auto loudest = static_cast<std::size_t>(
        std::max_element(second.begin() + 10, second.end()) - second.begin());
    float peak = 0.0f;
    for (std::size_t start = frames((loudest - 10) * 0.1); start < frames(loudest * 0.1);
         start += frames(0.01)) {
        for (const Audio& stack : stacks) {
            for (std::size_t i = 0; i < stack.size(); ++i) {
                const std::size_t m = start + i;
                const float l = stack.l[i] + (m < music.size() ? music.l[m] : 0.0f);
                const float r = stack.r[i] + (m < music.size() ? music.r[m] : 0.0f);
                peak = std::max({peak, std::abs(l), std::abs(r)});
            }
        }
    }
    return 20.0 * std::log10(std::max(static_cast<double>(peak), 1e-10));
}

double percent(std::size_t part, std::size_t whole) {
    return whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <data-dir> [track]\n", argv[0]);
        return 2;
    }
    // Only decoding is wanted: nothing is played aloud.
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) != 0) {
        std::fprintf(stderr, "no mixer: %s\n", SDL_GetError());
        return 1;
    }
    const std::string dir = std::string(argv[1]) + "/Audio/";
    if (argc == 3) {
        Audio music = load(dir + "FTL - " + argv[2] + " Battle.mp3");
        meter::fadeIn(music, kFadeInSeconds);
        const std::vector<double> term = meter::loudness(music).shortTerm;
        for (std::size_t k = 10; k < term.size(); k += 10) {
            const int bar = std::clamp(static_cast<int>(term[k] + 40.0), 0, 40);
            std::printf("%5.0f s %6.1f LUFS %s\n", k * 0.1, term[k], std::string(bar, '#').c_str());
        }
        return 0;
    }
    const Audio hum = load(dir + "Thrust Base.Wav");
    const Audio thaw = load(dir + "Thrust Fade.wav");
    const Audio shots = shotBed(load(dir + "Alien Shot.mp3"));
    const std::vector<Audio> stacks =
        crashStacks(load(dir + "Ship Explosion.mp3"), load(dir + "Ship Crash.mp3"));
    if (hum.size() == 0 || thaw.size() == 0 || shots.size() == 0 || stacks.empty()) {
        return 1;
    }

    // The hum with both axes thrusting, looped over the whole flight.
    Audio humHeard;
    humHeard.mix(hum.repeated(static_cast<int>(kFlightEnd * meter::kRate / hum.size()) + 1), 0,
                 kHumGain);
    const std::vector<double> humBand =
        meter::lowBandPowers(humHeard, 20.0, 100.0, kFlightStart, kFlightEnd);
    const std::vector<double> shotTerm = meter::loudness(shots).shortTerm;
    const auto first = static_cast<std::size_t>(kFlightStart * 10);
    const auto last = static_cast<std::size_t>(kTimeUp * 10);

    std::printf(
        "| Track | Length | Integrated | LRA | Short-term at or above -27 LUFS, 4-102 s | "
        "Quietest 3 s after the fade-in | Under the shots | Hum over it, 20-100 Hz | Peak, true "
        "peak | Crash over its loudest second |\n|---|---|---|---|---|---|---|---|---|"
        "---|\n");
    double worstCrash = -100.0;
    double loudestMusic = -100.0;
    for (const char* name : kTracks) {
        Audio music = load(dir + "FTL - " + name + " Battle.mp3");
        if (music.size() == 0) {
            return 1;
        }
        meter::fadeIn(music, kFadeInSeconds);
        const meter::Loudness heard = meter::loudness(music);
        const std::vector<double>& term = heard.shortTerm;
        std::size_t loud = 0;
        std::size_t under = 0;
        // The first 3-s window that the fade-in no longer reaches.
        const auto faded = static_cast<std::size_t>((kFadeInSeconds + 3.0) * 10);
        std::size_t quietest = faded;
        for (std::size_t k = first; k <= last; ++k) {
            const double s = k < term.size() ? term[k] : -100.0;
            loud += s >= -27.0 ? 1 : 0;
            under += s < shotTerm[k] ? 1 : 0;
            if (k >= faded && s < (quietest < term.size() ? term[quietest] : -100.0)) {
                quietest = k;
            }
        }
        const std::vector<double> band =
            meter::lowBandPowers(music, 20.0, 100.0, kFlightStart, kFlightEnd);
        std::size_t humOver = 0;
        for (std::size_t k = 0; k < band.size(); ++k) {
            humOver += humBand[k] > band[k] ? 1 : 0;
        }
        loudestMusic = std::max(loudestMusic,
                                *std::max_element(heard.momentary.begin(), heard.momentary.end()));
        const double crash = crashOverMusicDb(stacks, music);
        worstCrash = std::max(worstCrash, crash);
        std::printf("| %s | %.1f s | %.1f LUFS | %.1f LU | %.0f%% | %.1f LUFS at %.1f s | %.0f%% "
                    "| %.0f%% | %.1f dBFS, %.1f dBTP | %.1f dBFS |\n",
                    name, static_cast<double>(music.size()) / meter::kRate, heard.integrated,
                    heard.range, percent(loud, last - first + 1),
                    quietest < term.size() ? term[quietest] : -100.0, quietest * 0.1,
                    percent(under, last - first + 1), percent(humOver, band.size()),
                    meter::samplePeakDb(music), meter::truePeakDb(music), crash);
    }

    std::vector<double> shotSorted(shotTerm.begin() + static_cast<std::ptrdiff_t>(first),
                                   shotTerm.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    std::sort(shotSorted.begin(), shotSorted.end());
    const Audio humLoops = hum.repeated(4);
    const Audio humSmall = meter::highPass(humLoops, 180.0).slice(hum.size(), humLoops.size());
    const Audio thawLoops = thaw.repeated(4);
    const std::vector<double> thawSpectrum = meter::spectrum(thaw, true);
    double crashAlone = -100.0;
    double crashMoment = 100.0;
    for (const Audio& stack : stacks) {
        crashAlone = std::max(crashAlone, meter::samplePeakDb(stack));
        const std::vector<double> moments = meter::loudness(stack).momentary;
        crashMoment = std::min(crashMoment, *std::max_element(moments.begin(), moments.end()));
    }
    std::printf("\n| Effect | Figures |\n|---|---|\n");
    std::printf("| Shots at the aliens' odds | short-term median %.1f LUFS, 4-102 s |\n",
                shotSorted[shotSorted.size() / 2]);
    const double thawLufs = meter::loudness(thawLoops).integrated;
    std::printf(
        "| Thaw hiss, `Thrust Fade.wav` | %.1f LUFS integrated (%.1f as the game plays it), "
        "%.1f dBTP, %.0f%% of its energy in 2-5 kHz, centred at %.1f kHz |\n",
        thawLufs, thawLufs + 20.0 * std::log10(kThawGain),
        meter::truePeakDb(thawLoops.slice(0, 2 * thaw.size())),
        100.0 * meter::bandShare(thawSpectrum, 2000.0, 5000.0),
        meter::centroidHz(thawSpectrum) / 1000.0);
    std::printf("| Hum, `Thrust Base.Wav` | %.1f dBFS RMS, %.1f LUFS; loses %.1f LU through a "
                "180 Hz high-pass; %.0f%% of its energy below 100 Hz |\n",
                meter::rmsDb(hum), meter::loudness(humLoops).integrated,
                meter::loudness(humLoops.slice(hum.size(), humLoops.size())).integrated -
                    meter::loudness(humSmall).integrated,
                100.0 * meter::bandShare(meter::spectrum(hum, true), 0.0, 100.0));
    std::printf("| Crash, four blasts and the wreck | %.1f dBFS alone, %.1f dBFS at most over the "
                "loudest second of a track; its loudest moment %.1f LU over the loudest of any "
                "track |\n",
                crashAlone, worstCrash, crashMoment - loudestMusic);
    Mix_CloseAudio();
    SDL_Quit();
    return 0;
}
