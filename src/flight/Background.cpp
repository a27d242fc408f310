// Background.cpp -- the carpet under the ship: its set-up, and the drift slowed by frozen jets.
#include "shared/AssetNames.h"
#include "shell/Game.h"

void CGame::setupBackground() {
    composePath(background.path, CARPET_IMAGE);
    background.load(renderer);
    // The carpet's colour key, taken from its corner like every image's, matches that one pixel
    // of the carpet, yet it makes SDL's software renderer blend the whole screen every frame,
    // more than half a frame's drawing. Copied opaque, the corner pixel shows its own colour
    // instead of the grey beneath, when the window stands exactly on it.
    if (background.texture != nullptr) {
        SDL_SetTextureBlendMode(background.texture, SDL_BLENDMODE_NONE);
    }
    background.bounded = false;
    resetBackground();
}

void CGame::resetBackground() {
    background.srcRect = {CARPET_START_X, CARPET_START_Y, SCREEN_W, SCREEN_H};
    background.velX = 0;
    background.velY = 0;
}

int CGame::driftBackground(int vx, int vy) {
    int frozen[4];
    int total = 0;
    for (int d = 0; d < 4; ++d) {
        frozen[d] = (ship.timers[2 * d] != 0 ? 1 : 0) + (ship.timers[2 * d + 1] != 0 ? 1 : 0);
        total += frozen[d];
    }

    // Each frozen jet of the thrust's direction takes half the drift away, the half truncated
    // toward zero so the larger half remains; the thrust's sign picks the direction.
    background.velX = vx;
    background.velY = vy;
    if (thrustX > 0) {
        background.velX = vx - (frozen[0] * vx) / 2;
    }
    if (thrustY > 0) {
        background.velY = vy - (frozen[1] * vy) / 2;
    }
    if (thrustX < 0) {
        background.velX = vx - (frozen[2] * vx) / 2;
    }
    if (thrustY < 0) {
        background.velY = vy - (frozen[3] * vy) / 2;
    }

    background.scroll();
    background.render(renderer);
    return total;
}
