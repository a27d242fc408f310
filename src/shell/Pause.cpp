// Pause.cpp -- the pause: the flight held still under a panel that says how to go on, its sound
// held with it, and a fresh schedule when it goes on.
#include "hud/Overlay.h"
#include "shell/Game.h"

namespace {

// Above the end-of-flight lines, which start at OVERLAY_TOP: a pause after a flight leaves them
// readable.
constexpr int PAUSE_TOP = 170;

const char* const PAUSE_LINES[3] = {
    "Paused",
    "P, Enter, Space or Start: go on",
    "Arrows, WASD or stick: thrust \u00b7 F11: full screen \u00b7 M: mute \u00b7 \u2212 +: volume "
    "\u00b7 Esc: quit",
};

// Where the 1280x720 scene stands in the window, in the window's own pixels.
SDL_Rect sceneInWindow(SDL_Renderer* renderer) {
    int w = 0;
    int h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    SDL_Rect scene = {0, 0, w, h};
    if (static_cast<long>(w) * SCREEN_H > static_cast<long>(h) * SCREEN_W) {
        scene.w = static_cast<int>(static_cast<long>(h) * SCREEN_W / SCREEN_H);
        scene.x = (w - scene.w) / 2;
    } else {
        scene.h = static_cast<int>(static_cast<long>(w) * SCREEN_H / SCREEN_W);
        scene.y = (h - scene.h) / 2;
    }
    return scene;
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
        restartSchedule();
    } else if (pauseReason == NotPaused) {
        Mix_Pause(-1);
        Mix_PauseMusic();
    }
    pauseReason = reason;
}

void CGame::holdPausedFrame() {
    // The frame just drawn is kept, since after it is presented its pixels are gone: the scene
    // alone, without its bars, so a window resized meanwhile shows it in the right shape.
    SDL_Rect scene = sceneInWindow(renderer);
    SDL_RenderSetLogicalSize(renderer, 0, 0);
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    SDL_RenderSetViewport(renderer, nullptr);
    SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, SDL_max(scene.w, 1), SDL_max(scene.h, 1),
                                                        32, SDL_PIXELFORMAT_ARGB8888);
    if (frame != nullptr) {
        if (SDL_RenderReadPixels(renderer, &scene, SDL_PIXELFORMAT_ARGB8888, frame->pixels,
                                 frame->pitch) == 0) {
            pauseSnapshot = SDL_CreateTextureFromSurface(renderer, frame);
        }
        SDL_FreeSurface(frame);
    }
    SDL_RenderSetLogicalSize(renderer, SCREEN_W, SCREEN_H);

    if (pauseTextures[0] == nullptr) {
        for (int i = 0; i < 3; ++i) {
            pauseTextures[i] =
                makeOverlayText(renderer, i < 2 ? font : smallFont, PAUSE_LINES[i], &pauseRects[i]);
        }
        stackOverlayLines(pauseRects, 3, PAUSE_TOP);
    }
    drawOverlay(renderer, pauseTextures, pauseRects, 3);
    pauseShown = true;
}

void CGame::showPause() {
    if (pauseSnapshot != nullptr) {
        SDL_Rect all = {0, 0, SCREEN_W, SCREEN_H};
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, pauseSnapshot, nullptr, &all);
    }
    drawOverlay(renderer, pauseTextures, pauseRects, 3);
    drawNote();
    SDL_RenderPresent(renderer);
    waitWhilePaused();
}
