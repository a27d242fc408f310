// SdlVideo.h -- a bare window and renderer on SDL's offscreen driver, for toolkit tests.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <cstdlib>

// The offscreen driver gives a real 1280x720 target whose pixels can be read back.
struct SdlVideo {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;

    SdlVideo() {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        SDL_Init(SDL_INIT_VIDEO);
        window = SDL_CreateWindow("test", 0, 0, 1280, 720, 0);
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }
    ~SdlVideo() {
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
        IMG_Quit();
        SDL_Quit();
    }

    void clear(Uint8 r, Uint8 g, Uint8 b) {
        SDL_SetRenderDrawColor(renderer, r, g, b, 255);
        SDL_RenderClear(renderer);
    }

    // The colour at (x, y) of what has been drawn, as 0xRRGGBB.
    Uint32 pixel(int x, int y) {
        SDL_Rect one = {x, y, 1, 1};
        Uint32 value = 0;
        SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_RGB888, &value, 4);
        return value & 0xFFFFFF;
    }
};
