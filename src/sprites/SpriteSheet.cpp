// SpriteSheet.cpp -- CSpriteSheet's loading, frame grid and frame-by-frame drawing.
#include "sprites/SpriteSheet.h"

#include "sprites/LoadImage.h"

int CSpriteSheet::load(SDL_Renderer* renderer) {
    return loadImageTexture(renderer, path, &sheetW, &sheetH, &texture);
}

void CSpriteSheet::buildFrames(int count, int x0, int y0, int frameW, int frameH, int perRow,
                               int rows, int gap) {
    // The table has room for MAX_FRAMES; a longer animation is cut to that length, so that
    // neither this loop nor the frame counter can ever reach past it.
    if (count > MAX_FRAMES) {
        count = MAX_FRAMES;
    }
    int column = 1;
    int row = 1;
    int x = x0;
    int y = y0;
    for (int index = 0; index < count; ++index) {
        if (row > rows) {
            break;
        }
        frames[index] = {x, y, frameW, frameH};
        ++column;
        x += frameW + gap;
        if (column > perRow) {
            y += frameH + gap;
            x = x0;
            ++row;
            column = 1;
        }
    }
    frameCount = count;
}

void CSpriteSheet::renderFrame(SDL_Renderer* renderer, SDL_Rect* dest, bool advance) {
    // The owners only set frames inside the table; a stray value draws nothing rather than
    // reading past it.
    if (texture != nullptr && currentFrame >= 0 && currentFrame < MAX_FRAMES) {
        SDL_RenderCopy(renderer, texture, &frames[currentFrame], dest);
    }
    if (advance) {
        ++currentFrame;
        if (currentFrame >= frameCount) {
            currentFrame = 0;
        }
    }
}
