// Run.cpp -- the life of the game: start-up, the fixed 20 ms frame loop, teardown.
#include "shell/Game.h"
#include "shell/StandardStreams.h"

namespace {

// How far behind its schedule the loop may fall and still catch up by running frames back to
// back. Beyond it (the process was stopped, the machine swapped) the flight would race through
// seconds of play the player cannot follow, so the schedule starts again from now instead.
constexpr Uint64 MAX_LAG_MS = 5 * FRAME_MS;

} // namespace

int CGame::run() {
    guardStandardStreams();
    if (!init()) {
        return -1;
    }
    // Anchored once; every frame moves the schedule by exactly one period, so a late frame is
    // made up by the frames after it rather than shifting the whole game.
    nextFrameTicks = gameTicks() + FRAME_MS;
    SDL_Event event;
    while (running) {
        loopOnce(&event);
    }
    close();
    return 0;
}

void CGame::loopOnce(SDL_Event* event) {
    while (SDL_PollEvent(event)) {
        handleEvent(event);
    }
    if (pauseShown) {
        showPause();
        return;
    }
    stepFrame();
    // A pause asked for during the last frame holds this one, under "Paused".
    if (pauseReason != NotPaused) {
        holdPausedFrame();
    }
    endFrame();
}

void CGame::endFrame() {
    SDL_RenderPresent(renderer);
    if (gameTicks() > nextFrameTicks + MAX_LAG_MS) {
        nextFrameTicks = gameTicks();
    }
    SDL_Delay(framesTimeLeft());
    nextFrameTicks += FRAME_MS;
}

Uint32 CGame::framesTimeLeft() {
    Uint64 now = gameTicks();
    if (now < nextFrameTicks) {
        // Never more than one period: the schedule only ever runs one frame ahead of the clock.
        Uint64 left = nextFrameTicks - now;
        return static_cast<Uint32>(left < FRAME_MS ? left : FRAME_MS);
    }
    return 0;
}

Uint64 CGame::gameTicks() const {
    return SDL_GetTicks64() + clockOffset;
}
