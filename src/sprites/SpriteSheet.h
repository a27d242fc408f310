// SpriteSheet.h -- CSpriteSheet, an animation cut from a grid of frames in one image.
#pragma once

#include <SDL.h>

class CSpriteSheet {
  public:
    static constexpr int MAX_FRAMES = 100;

    char path[256] = "";
    int frameCount = 0;
    int currentFrame = 0;
    int sheetW = 0;
    int sheetH = 0;
    // Zeroed so that a frame never built is an empty rectangle, which draws nothing.
    SDL_Rect frames[MAX_FRAMES] = {};
    SDL_Texture* texture = nullptr;

    virtual ~CSpriteSheet() {}

    int load(SDL_Renderer* renderer);
    void buildFrames(int count, int x0, int y0, int frameW, int frameH, int perRow, int rows,
                     int gap);
    void renderFrame(SDL_Renderer* renderer, SDL_Rect* dest, bool advance);
};
