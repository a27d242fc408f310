// FrameBench.cpp -- what a frame, the start-up and the teardown cost.
//
// Runs the real game from data/ on SDL's dummy video driver with its software renderer and the
// dummy audio driver, so figures compare run to run on any machine; they are not the figures
// of a GPU renderer. The dummy driver's only full-screen mode is 1024x768, so the window is set
// back to the game's 1280x720 and every frame draws the pixels it draws on a real screen.
//
// Frames are timed one by one; besides Google Benchmark's own table, a summary at the end gives
// the median and 99th percentile over every timed frame of every repetition.
#include "shell/Game.h"

#include "flight/Directions.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::vector<double> busyFrames; // microseconds
std::vector<double> bareFrames;
std::vector<double> startups; // milliseconds
std::vector<double> carpetLoads;
std::vector<double> teardowns;

double microsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double percentile(std::vector<double> samples, double p) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    size_t index = static_cast<size_t>(p * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[index];
}

void releaseMixer() {
    while (Mix_QuerySpec(nullptr, nullptr, nullptr) != 0) {
        Mix_CloseAudio();
    }
}

bool startGame(CGame& game) {
    if (!game.init()) {
        return false;
    }
    SDL_SetWindowFullscreen(game.window, 0);
    SDL_SetWindowSize(game.window, SCREEN_W, SCREEN_H);
    SDL_PumpEvents();
    return true;
}

void stopGame(CGame& game) {
    game.close();
    releaseMixer();
}

// The scene of a busy frame, put back before each one: thrust right and up, so the jets show
// all three looks (burning, thawing, frozen); five fireballs of every alien in flight, spread
// along their paths; the clock held mid-flight.
void holdBusyScene(CGame& game) {
    game.thrustX = 7;
    game.thrustY = -4;
    game.timeLeft = 50.0f;
    const int timers[8] = {0, 100, 100, 100, 100, 0, 0, 100};
    for (int jet = 0; jet < 8; ++jet) {
        game.ship.timers[jet] = timers[jet];
    }
    for (int d = 0; d < 4; ++d) {
        for (int slot = 0; slot < 10; ++slot) {
            CPlayer& fireball = game.fireballs[d][slot];
            if (slot >= 5) {
                fireball.state = Free;
                continue;
            }
            if (fireball.state == Active) {
                continue;
            }
            // Rows and columns clear of the ship, so the scene does not change by hits.
            int across = 60 + slot * 120;
            int along = slot * 200;
            fireball.rect.x = dirX[d] != 0 ? (dirX[d] > 0 ? along : SCREEN_W - along) : across;
            fireball.rect.y = dirY[d] != 0
                                  ? (dirY[d] > 0 ? along % SCREEN_H : SCREEN_H - along % SCREEN_H)
                                  : across % SCREEN_H;
            fireball.velX = 6 * dirX[d];
            fireball.velY = 6 * dirY[d];
            fireball.state = Active;
        }
    }
}

// A flight in play: the arrival done, the aliens on patrol.
bool startFlying(CGame& game) {
    if (!startGame(game)) {
        return false;
    }
    while (game.state != Flying) {
        game.stepFrame();
    }
    for (int frame = 0; frame < 200; ++frame) {
        holdBusyScene(game);
        game.stepFrame();
    }
    return true;
}

// One frame as the main loop runs it, less the sleep: step, then present.
void BM_BusyFrame(benchmark::State& state) {
    CGame game;
    if (!startFlying(game)) {
        state.SkipWithError("start-up failed");
        return;
    }
    for (auto _ : state) {
        holdBusyScene(game);
        Clock::time_point start = Clock::now();
        game.stepFrame();
        SDL_RenderPresent(game.renderer);
        double micros = microsSince(start);
        busyFrames.push_back(micros);
        state.SetIterationTime(micros / 1e6);
    }
    stopGame(game);
}
BENCHMARK(BM_BusyFrame)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(2000);

// The least a frame can cost on this renderer: clear and present.
void BM_BareFrame(benchmark::State& state) {
    CGame game;
    if (!startGame(game)) {
        state.SkipWithError("start-up failed");
        return;
    }
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        SDL_SetRenderDrawColor(game.renderer, BACKDROP_COLOR.r, BACKDROP_COLOR.g, BACKDROP_COLOR.b,
                               255);
        SDL_RenderClear(game.renderer);
        SDL_RenderPresent(game.renderer);
        double micros = microsSince(start);
        bareFrames.push_back(micros);
        state.SetIterationTime(micros / 1e6);
    }
    stopGame(game);
}
BENCHMARK(BM_BareFrame)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(2000);

// init and close of a whole game, and, inside a started game, what loading the carpet costs.
void BM_Startup(benchmark::State& state) {
    for (auto _ : state) {
        CGame game;
        Clock::time_point start = Clock::now();
        bool started = game.init();
        double initMicros = microsSince(start);
        if (!started) {
            state.SkipWithError("start-up failed");
            return;
        }
        startups.push_back(initMicros / 1000);

        SDL_DestroyTexture(game.background.texture);
        start = Clock::now();
        game.setupBackground();
        carpetLoads.push_back(microsSince(start) / 1000);

        start = Clock::now();
        game.close();
        teardowns.push_back(microsSince(start) / 1000);
        releaseMixer();
        state.SetIterationTime(initMicros / 1e6);
    }
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void printSummary() {
    double busy50 = percentile(busyFrames, 0.50);
    double bare50 = percentile(bareFrames, 0.50);
    double startup = percentile(startups, 0.50);
    double carpet = percentile(carpetLoads, 0.50);
    std::printf("\nSummary over every timed iteration (%zu busy frames, %zu bare, %zu start-ups)\n",
                busyFrames.size(), bareFrames.size(), startups.size());
    std::printf("  busy frame:  median %.3f ms, 99th percentile %.3f ms\n", busy50 / 1000,
                percentile(busyFrames, 0.99) / 1000);
    std::printf("  bare frame:  median %.3f ms, 99th percentile %.3f ms\n", bare50 / 1000,
                percentile(bareFrames, 0.99) / 1000);
    std::printf("  busy / bare: %.1f (medians)\n", bare50 > 0 ? busy50 / bare50 : 0.0);
    std::printf("  start-up:    median %.1f ms, of which the carpet %.1f ms (%.0f%%)\n", startup,
                carpet, startup > 0 ? 100 * carpet / startup : 0.0);
    std::printf("  teardown:    median %.1f ms\n", percentile(teardowns, 0.50));
}

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (chdir(VORLUSK_DATA_DIR) != 0) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    return 0;
}
