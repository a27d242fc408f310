// Pause.cpp -- the pause: the flight held still under "Paused", its sound held with it, and a
// fresh schedule when it goes on.
#include "hud/Overlay.h"
#include "shell/Game.h"

namespace {

// While paused the loop only redraws, often enough to repair a window uncovered meanwhile.
constexpr Uint32 PAUSED_WAIT_MS = 100;

// Sets the scene's scaling aside, or back, so the whole window can be read or covered.
void useWholeWindow(SDL_Renderer* renderer, bool whole) {
    if (whole) {
        // A logical size of 0 leaves the scale and viewport behind; they go back by hand.
        SDL_RenderSetLogicalSize(renderer, 0, 0);
        SDL_RenderSetScale(renderer, 1.0f, 1.0f);
        SDL_RenderSetViewport(renderer, nullptr);
    } else {
        SDL_RenderSetLogicalSize(renderer, SCREEN_W, SCREEN_H);
    }
}

} // namespace

void CGame::setPaused(int reason) {
    if (reason == pauseReason) {
        return;
    }
    if (reason == NotPaused) {
        Mix_Resume(-1);
        Mix_ResumeMusic();
        SDL_DestroyTexture(pauseSnapshot);
        pauseSnapshot = nullptr;
        pauseShown = false;
        // No frames are owed for the time spent paused.
        nextFrameTicks = gameTicks() + FRAME_MS;
    } else if (pauseReason == NotPaused) {
        Mix_Pause(-1);
        Mix_PauseMusic();
    }
    pauseReason = reason;
}

void CGame::holdPausedFrame() {
    // The frame just drawn is kept, since after it is presented its pixels are gone. It is read
    // whole, bars included, with the scaling set aside.
    useWholeWindow(renderer, true);
    int w = 0;
    int h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (frame != nullptr) {
        if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, frame->pixels,
                                 frame->pitch) == 0) {
            pauseSnapshot = SDL_CreateTextureFromSurface(renderer, frame);
        }
        SDL_FreeSurface(frame);
    }
    useWholeWindow(renderer, false);

    if (pausedTexture == nullptr) {
        pausedTexture = makeOverlayText(renderer, font, "Paused", &pausedRect);
        stackOverlayLines(&pausedRect, 1);
    }
    drawOverlay(renderer, &pausedTexture, &pausedRect, 1);
    pauseShown = true;
}

void CGame::showPause() {
    if (pauseSnapshot != nullptr) {
        useWholeWindow(renderer, true);
        SDL_RenderCopy(renderer, pauseSnapshot, nullptr, nullptr);
        useWholeWindow(renderer, false);
    }
    drawOverlay(renderer, &pausedTexture, &pausedRect, 1);
    SDL_RenderPresent(renderer);
    SDL_WaitEventTimeout(nullptr, PAUSED_WAIT_MS);
}
