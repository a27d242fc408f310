// Run.cpp -- the life of the game: start-up, the start screen, the fixed 20 ms frame loop of the
// flights, teardown.
#include "shell/Game.h"
#include "shell/StandardStreams.h"

int CGame::run() {
    guardStandardStreams();
    if (!startWithPlayerFiles()) {
        return -1;
    }
    SDL_Event event;
    if (runStartScreen()) {
        beginFlight(false);
        while (running) {
            loopOnce(&event);
        }
    }
    close();
    return 0;
}

void CGame::loopOnce(SDL_Event* event) {
    while (SDL_PollEvent(event)) {
        handleEvent(event);
    }
    saveSettingsWhenDue();
    if (pauseShown) {
        showPause();
        return;
    }
    const int before = state;
    if (mode != Playing) {
        feedPlayback();
    } else if (recording && state != Finished) {
        recordFrame();
    }
    stepFrame();
    noteFlightStep(before);
    drawNote();
    // A pause asked for during the last frame holds this one, under the pause's panel.
    if (pauseReason != NotPaused) {
        holdPausedFrame();
    }
    endFrame();
}
