// Launch.cpp -- the boost animation: the ship's arrival from the right, and its launch-away.
#include "flight/Drift.h"
#include "shared/AssetNames.h"
#include "shell/Channels.h"
#include "shell/Game.h"

#include <cstdio>

namespace {

constexpr int ARRIVAL_FADE_MS = 100;
constexpr int LAUNCH_AWAY_FADE_MS = 1000;

} // namespace

void CGame::setupBoostSheet() {
    composePath(boostSheet.path, BOOST_SHEET_IMAGE);
    if (boostSheet.load(renderer) != 0) {
        std::puts("Bad load of Boost animation file");
    }
    boostSheet.buildFrames(BOOST_FRAMES, 0, 0, BOOST_FRAME_W, BOOST_FRAME_H, BOOST_COLUMNS,
                           BOOST_ROWS, 0);
    placeBoostSheet();
}

void CGame::placeBoostSheet() {
    // Sized from the built frames, not the image, so a missing image still times the sequence.
    const SDL_Rect& f = boostSheet.frames[0];
    boostRect = {SCREEN_W, ship.rect.y - (f.h - ship.rect.h) / 2, f.w, f.h};
    boostSheet.currentFrame = 0;
}

void CGame::playLaunch(bool outward) {
    const int frameCount = boostSheet.frameCount;
    int n = ++seqFrame;

    if (n >= FRAMES_PER_BOOST_FRAME * frameCount) {
        thrustX = driftX;
        thrustY = driftY;
        int fadeMs = outward ? LAUNCH_AWAY_FADE_MS : ARRIVAL_FADE_MS;
        // A fade already under way is left to finish as it is.
        if (Mix_FadingChannel(ROAR_CHANNEL) == MIX_NO_FADING) {
            Mix_FadeOutChannel(ROAR_CHANNEL, fadeMs);
        }
        if (outward) {
            state = Finished;
            resetAlienVelocities();
        } else {
            state = Settled;
        }
        boostSheet.renderFrame(renderer, &boostRect, false);
        return;
    }

    if (outward) {
        // Accelerating away: the step grows by a pixel every other frame, and the carpet is
        // pulled along, ever faster, by a thrust that turns against the direction of flight.
        boostRect.x -= n / 2;
        thrustX = static_cast<int>(thrustX - (n / 36) - 0.5);
    } else {
        // Braking to rest on the ship's own spot, the carpet slowing with it.
        boostRect.x -= (3 * (FRAMES_PER_BOOST_FRAME * frameCount - n)) / 5;
        thrustX = -((8 * frameCount - n) / 2);
    }
    boostSheet.renderFrame(renderer, &boostRect, n % FRAMES_PER_BOOST_FRAME == 0);
}
