// SpriteSheetTest.cpp -- the frame grid, stepping through frames, and drawing one frame.
#include "sprites/SpriteSheet.h"
#include "shared/GameFacts.h"
#include "support/Checks.h"
#include "support/GameFixture.h"
#include "support/SdlVideo.h"

#include <gtest/gtest.h>

TEST(SpriteSheet, FramesLieLeftToRightThenDownAndStayInsideTheTable) {
    CSpriteSheet boost;
    boost.buildFrames(BOOST_FRAMES, 0, 0, BOOST_FRAME_W, BOOST_FRAME_H, BOOST_COLUMNS, BOOST_ROWS,
                      0);
    expectRect(boost.frames[4], 0, 101, 221, 101);
    expectRect(boost.frames[11], 663, 202, 221, 101);
    CSpriteSheet crash;
    crash.buildFrames(CRASH_FRAMES, 0, 0, CRASH_FRAME_SIZE, CRASH_FRAME_SIZE, CRASH_COLUMNS,
                      CRASH_ROWS, 0);
    expectRect(crash.frames[47], 760, 1064, 152, 152);

    CSpriteSheet s;
    s.buildFrames(6, 5, 5, 10, 10, 3, 2, 2); // an origin, and gaps between the cells
    expectRect(s.frames[2], 29, 5, 10, 10);
    expectRect(s.frames[3], 5, 17, 10, 10);
    s.buildFrames(3, 0, 0, 10, 10, 0, 5, 0); // no columns: one frame a row, as with one
    expectRect(s.frames[2], 0, 20, 10, 10);

    // Fewer cells than frames: the rest stay empty, but the count stands.
    CSpriteSheet shortGrid;
    shortGrid.buildFrames(5, 0, 0, 10, 10, 2, 1, 0);
    EXPECT_EQ(shortGrid.frameCount, 5);
    expectRect(shortGrid.frames[2], 0, 0, 0, 0);

    // Longer than the table: cut to it, so neither the grid nor the counter can pass its end.
    CSpriteSheet longSheet;
    longSheet.buildFrames(150, 0, 0, 1, 1, 10, 20, 0);
    EXPECT_EQ(longSheet.frameCount, CSpriteSheet::MAX_FRAMES);
    expectRect(longSheet.frames[99], 9, 9, 1, 1);

    CSpriteSheet empty; // no frames at all: the counter stays on 0
    empty.renderFrame(nullptr, nullptr, true);
    EXPECT_EQ(empty.currentFrame, 0);
}

TEST(SpriteSheet, DrawsTheCurrentFrameStretchedThenStepsOnlyWhenAsked) {
    SdlVideo video;
    // Two 4x4 frames side by side, red then green; the corner pixel is the key, so it is blue.
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 8, 4, 0, SDL_PIXELFORMAT_RGB24);
    SDL_Rect red = {0, 0, 4, 4};
    SDL_Rect corner = {0, 0, 1, 1};
    SDL_FillRect(image, nullptr, SDL_MapRGB(image->format, 0, 255, 0));
    SDL_FillRect(image, &red, SDL_MapRGB(image->format, 255, 0, 0));
    SDL_FillRect(image, &corner, SDL_MapRGB(image->format, 0, 0, 255));
    const std::string file = makeTempFile("/tmp/vorlusk-sheet-XXXXXX");
    ASSERT_EQ(SDL_SaveBMP(image, file.c_str()), 0);
    SDL_FreeSurface(image);
    CSpriteSheet s;
    std::snprintf(s.path, sizeof s.path, "%s", file.c_str());
    ASSERT_EQ(s.load(video.renderer), 0);
    std::remove(file.c_str());
    s.buildFrames(2, 0, 0, 4, 4, 2, 1, 0);

    SDL_Rect dest = {10, 10, 40, 40};
    video.clear(0, 0, 0);
    s.renderFrame(video.renderer, &dest, false);
    EXPECT_EQ(video.pixel(30, 30), 0xFF0000u);
    EXPECT_EQ(video.pixel(49, 49), 0xFF0000u);
    EXPECT_EQ(video.pixel(50, 50), 0x000000u);
    EXPECT_EQ(s.currentFrame, 0);
    s.renderFrame(video.renderer, &dest, true);
    EXPECT_EQ(s.currentFrame, 1);
    s.renderFrame(video.renderer, &dest, true); // drawn, then wrapped round
    EXPECT_EQ(video.pixel(30, 30), 0x00FF00u);
    EXPECT_EQ(s.currentFrame, 0);
}
