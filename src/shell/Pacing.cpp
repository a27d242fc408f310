// Pacing.cpp -- the loop's time, in one place: the clock, the schedule of 20 ms frames, the wait
// for the next one, and the fresh schedule after a pause.
#include "shell/Game.h"

namespace {

// How far behind its schedule the loop may fall and still catch up by running frames back to
// back. Beyond it (the process was stopped, the machine swapped) the flight would race through
// seconds of play the player cannot follow, so the schedule starts again from now instead.
constexpr Uint64 MAX_LAG_MS = 5 * FRAME_MS;
// While paused the loop only redraws, often enough to repair a window uncovered meanwhile.
constexpr Uint32 PAUSED_WAIT_MS = 100;

} // namespace

Uint64 CGame::gameTicks() const {
    return manualClock ? manualTicks : SDL_GetTicks64() + clockOffset;
}

void CGame::waitMs(Uint32 ms) {
    if (manualClock) {
        manualTicks += ms;
    } else {
        SDL_Delay(ms);
    }
}

void CGame::restartSchedule() {
    // Anchored afresh; every frame then moves the schedule by exactly one period, so a late frame
    // is made up by the frames after it rather than shifting the whole game.
    nextFrameTicks = gameTicks() + FRAME_MS;
}

void CGame::endFrame() {
    SDL_RenderPresent(renderer);
    if (gameTicks() > nextFrameTicks + MAX_LAG_MS) {
        nextFrameTicks = gameTicks();
    }
    waitMs(framesTimeLeft());
    nextFrameTicks += FRAME_MS;
}

Uint32 CGame::framesTimeLeft() {
    Uint64 now = gameTicks();
    if (now >= nextFrameTicks) {
        return 0;
    }
    Uint64 left = nextFrameTicks - now;
    return left > SDL_MAX_UINT32 ? SDL_MAX_UINT32 : static_cast<Uint32>(left);
}

void CGame::waitWhilePaused() {
    // Woken early by any event, so the pause ends the moment the player asks.
    if (manualClock) {
        manualTicks += PAUSED_WAIT_MS;
    } else {
        SDL_WaitEventTimeout(nullptr, PAUSED_WAIT_MS);
    }
}
