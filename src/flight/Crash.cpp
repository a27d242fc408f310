// Crash.cpp -- the crash: explosion animation and sounds over the ship, then the wreck on the
// carpet.
#include "flight/Drift.h"
#include "shared/AssetNames.h"
#include "shell/Channels.h"
#include "shell/Game.h"

#include <cstdio>

namespace {

bool isExplosionCall(int n) {
    for (int call : CRASH_EXPLOSION_CALLS) {
        if (n == call) {
            return true;
        }
    }
    return false;
}

} // namespace

void CGame::setupCrashSheet() {
    composePath(crashSheet.path, CRASH_SHEET_IMAGE);
    if (crashSheet.load(renderer) != 0) {
        std::puts("Bad load of crash animation file");
    }
    crashSheet.buildFrames(CRASH_FRAMES, 0, 0, CRASH_FRAME_SIZE, CRASH_FRAME_SIZE, CRASH_COLUMNS,
                           CRASH_ROWS, 0);
    placeCrashSheet();
}

void CGame::placeCrashSheet() {
    // Centred on the ship.
    const SDL_Rect& f = crashSheet.frames[0];
    const SDL_Rect& s = ship.rect;
    crashRect = {s.x - (f.w - s.w) / 2, s.y - (f.h - s.h) / 2, f.w, f.h};
    crashSheet.currentFrame = 0;
}

void CGame::playCrash() {
    const int end = FRAMES_PER_CRASH_FRAME * crashSheet.frameCount;
    // The count stops at the end: the wreck is drawn every frame for as long as the game runs.
    if (seqFrame < end) {
        ++seqFrame;
    }
    int n = seqFrame;

    if (n >= end) {
        // The end, repeated every frame afterwards while the wreck is drawn.
        thrustX = driftX;
        thrustY = driftY;
        state = Finished;
        // The wreck stays on its spot of the carpet.
        crashRect.x -= background.velX;
        crashRect.y -= background.velY;
        crashSheet.renderFrame(renderer, &crashRect, false);
        resetAlienVelocities();
        return;
    }

    if (n == end - CRASH_SOUND_LEAD) {
        playOneShot(sndShipCrash);
    } else if (n > end - CRASH_SOUND_LEAD) {
        crashRect.x -= background.velX;
        crashRect.y -= background.velY;
    } else if (isExplosionCall(n)) {
        playOneShot(sndShipExplosion);
    }
    crashSheet.renderFrame(renderer, &crashRect, n % FRAMES_PER_CRASH_FRAME == 0);
}
