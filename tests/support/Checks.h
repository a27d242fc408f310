// Checks.h -- small assertions the test files share.
#pragma once

#include "shared/GameFacts.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <vector>

inline void expectRect(const SDL_Rect& r, int x, int y, int w, int h) {
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.w, w);
    EXPECT_EQ(r.h, h);
}

// How many mixer channels are playing `chunk` right now.
inline int channelsPlaying(Mix_Chunk* chunk) {
    int count = 0;
    for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
        count += Mix_Playing(channel) && Mix_GetChunk(channel) == chunk ? 1 : 0;
    }
    return count;
}

// What has been drawn inside `area`, as 0xRRGGBB values row by row.
inline std::vector<Uint32> readPixels(SDL_Renderer* renderer, const SDL_Rect& area) {
    std::vector<Uint32> pixels(static_cast<size_t>(area.w) * area.h);
    SDL_RenderReadPixels(renderer, &area, SDL_PIXELFORMAT_RGB888, pixels.data(), area.w * 4);
    for (Uint32& p : pixels) {
        p &= 0xFFFFFF;
    }
    return pixels;
}

// One of the game's colours as 0xRRGGBB, the way readPixels gives them.
inline Uint32 packedRgb(const CRgb& c) {
    return static_cast<Uint32>(c.r << 16 | c.g << 8 | c.b);
}

// Counts the pixels of exactly `color` inside `area` of what has been drawn.
inline int countColor(SDL_Renderer* renderer, const SDL_Rect& area, SDL_Color color) {
    const Uint32 wanted = static_cast<Uint32>(color.r << 16 | color.g << 8 | color.b);
    int count = 0;
    for (Uint32 p : readPixels(renderer, area)) {
        count += p == wanted ? 1 : 0;
    }
    return count;
}
