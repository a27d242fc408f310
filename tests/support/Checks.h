// Checks.h -- small assertions the test files share.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

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
