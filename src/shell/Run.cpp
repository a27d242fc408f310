// Run.cpp -- the life of the game: start-up, the fixed 20 ms frame loop, teardown.
#include "shell/Game.h"

int CGame::run() {
    if (!init()) {
        return -1;
    }
    // Anchored once; every frame moves the schedule by exactly one period, so a late frame is
    // made up by the frames after it rather than shifting the whole game.
    nextFrameTicks = SDL_GetTicks() + FRAME_MS;
    SDL_Event event;
    while (running) {
        while (SDL_PollEvent(&event)) {
            handleEvent(&event);
        }
        stepFrame();
        endFrame();
    }
    close();
    return 0;
}

void CGame::endFrame() {
    SDL_RenderPresent(renderer);
    SDL_Delay(framesTimeLeft());
    nextFrameTicks += FRAME_MS;
}

Uint32 CGame::framesTimeLeft() {
    Uint32 now = SDL_GetTicks();
    if (now < nextFrameTicks) {
        return nextFrameTicks - now;
    }
    return 0;
}
