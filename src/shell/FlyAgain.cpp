// FlyAgain.cpp -- a new flight after the last one has ended, from Waiting as after start-up,
// with everything already loaded.
#include "flight/Drift.h"
#include "hud/Hud.h"
#include "shell/Game.h"

void CGame::flyAgain() {
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_FreeMusic(music);
    music = nullptr;

    state = Waiting;
    warningActive = false;
    seqFrame = 0;
    speedFactor = 1.0f;
    score = 0;
    timeLeft = 102.0f;
    thrustX = 0;
    thrustY = 0;
    for (int& timer : ship.timers) {
        timer = 0;
    }
    driftX = 0;
    driftY = 0;
    alarmPlayed = false;

    placeAliens();
    parkFireballs();
    placeBoostSheet();
    placeCrashSheet();
    resetBackground();
    releaseEndOfFlight();
    startMusic();
}
