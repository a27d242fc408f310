// FrameBench.cpp -- what one frame of play and the start-up cost.
//
// Runs the real game from data/ on SDL's dummy video driver (software rendering into a
// 1024x768 window surface) and the dummy audio driver, so figures compare run to run on any
// machine; they are not the figures of a GPU renderer.
#include "shell/Game.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <unistd.h>

namespace {

// A flight in play: every jet kind shown, aliens patrolling, fireballs in the air.
void startFlying(CGame& game) {
    game.init();
    while (game.state != Flying) {
        game.stepFrame();
    }
    game.thrustX = 7;
    game.thrustY = -4;
    game.ship.timers[2 * 2] = 100000; // a frozen jet
    game.ship.timers[2 * 0] = 100000; // a thawing one
    for (int frame = 0; frame < 200; ++frame) {
        game.stepFrame();
    }
}

// One frame as the main loop runs it, less the sleep: step, then present.
void BM_Frame(benchmark::State& state) {
    CGame game;
    startFlying(game);
    for (auto _ : state) {
        game.stepFrame();
        SDL_RenderPresent(game.renderer);
        // Hold the scene: the thawing jet never clears and the clock never runs out.
        game.ship.timers[0] = 100000;
        game.timeLeft = 50.0f;
    }
    game.close();
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMicrosecond);

void BM_Startup(benchmark::State& state) {
    for (auto _ : state) {
        CGame game;
        game.init();
        state.PauseTiming();
        game.close();
        while (Mix_QuerySpec(nullptr, nullptr, nullptr) != 0) {
            Mix_CloseAudio();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond)->Iterations(5);

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
    return 0;
}
