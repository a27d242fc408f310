// SpriteSheetTest.cpp -- the frame grid, stepping through frames, and drawing one frame.
#include "sprites/SpriteSheet.h"
#include "support/Checks.h"
#include "support/SdlVideo.h"

#include <gtest/gtest.h>

TEST(SpriteSheetFrames, GameSheetsLayOutLeftToRightThenDown) {
    CSpriteSheet boost;
    boost.buildFrames(12, 0, 0, 221, 101, 4, 3, 0);
    EXPECT_EQ(boost.frameCount, 12);
    expectRect(boost.frames[3], 663, 0, 221, 101);
    expectRect(boost.frames[4], 0, 101, 221, 101);
    expectRect(boost.frames[11], 663, 202, 221, 101);

    CSpriteSheet crash;
    crash.buildFrames(48, 0, 0, 152, 152, 6, 8, 0);
    expectRect(crash.frames[47], 760, 1064, 152, 152);
}

TEST(SpriteSheetFrames, GapsOriginAndDegenerateGrids) {
    CSpriteSheet s;
    s.buildFrames(6, 5, 5, 10, 10, 3, 2, 2);
    expectRect(s.frames[3], 5, 17, 10, 10);
    expectRect(s.frames[4], 17, 17, 10, 10);

    CSpriteSheet column;
    column.buildFrames(3, 0, 0, 10, 10, 1, 5, 0);
    expectRect(column.frames[2], 0, 20, 10, 10);
    CSpriteSheet zeroPerRow;
    zeroPerRow.buildFrames(3, 0, 0, 10, 10, 0, 5, 0);
    expectRect(zeroPerRow.frames[2], 0, 20, 10, 10);

    // Fewer cells than frames: the rest stay empty but the count stands.
    CSpriteSheet shortGrid;
    shortGrid.buildFrames(5, 0, 0, 10, 10, 2, 1, 0);
    EXPECT_EQ(shortGrid.frameCount, 5);
    expectRect(shortGrid.frames[1], 10, 0, 10, 10);
    expectRect(shortGrid.frames[2], 0, 0, 0, 0);

    CSpriteSheet noRows;
    noRows.buildFrames(4, 0, 0, 10, 10, 2, 0, 0);
    EXPECT_EQ(noRows.frameCount, 4);
    expectRect(noRows.frames[0], 0, 0, 0, 0);
}

TEST(SpriteSheetFrames, NeverWritesPastTheTable) {
    CSpriteSheet s;
    s.buildFrames(150, 0, 0, 1, 1, 10, 20, 0);
    EXPECT_EQ(s.frameCount, CSpriteSheet::MAX_FRAMES);
    expectRect(s.frames[99], 9, 9, 1, 1);
    EXPECT_EQ(s.texture, nullptr); // the field after the table is untouched
    for (int i = 0; i < 120; ++i) {
        s.renderFrame(nullptr, nullptr, true);
    }
    EXPECT_EQ(s.currentFrame, 20);
}

TEST(SpriteSheetRender, StepsOnlyWhenAskedAndWraps) {
    CSpriteSheet s;
    s.buildFrames(12, 0, 0, 221, 101, 4, 3, 0);
    s.currentFrame = 11;
    s.renderFrame(nullptr, nullptr, false);
    EXPECT_EQ(s.currentFrame, 11);
    s.renderFrame(nullptr, nullptr, true);
    EXPECT_EQ(s.currentFrame, 0);

    CSpriteSheet empty;
    empty.buildFrames(0, 0, 0, 10, 10, 1, 1, 0);
    empty.renderFrame(nullptr, nullptr, true);
    EXPECT_EQ(empty.currentFrame, 0);
    empty.buildFrames(-3, 0, 0, 10, 10, 1, 1, 0);
    EXPECT_EQ(empty.frameCount, -3);
    empty.renderFrame(nullptr, nullptr, true);
    EXPECT_EQ(empty.currentFrame, 0);
}

TEST(SpriteSheetRender, DrawsTheCurrentFrameStretchedIntoTheDestination) {
    SdlVideo video;
    // Two 4x4 frames side by side, red then green; the corner pixel is the key, so it is blue.
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 8, 4, 0, SDL_PIXELFORMAT_RGB24);
    SDL_Rect red = {0, 0, 4, 4};
    SDL_Rect green = {4, 0, 4, 4};
    SDL_Rect corner = {0, 0, 1, 1};
    SDL_FillRect(image, &red, SDL_MapRGB(image->format, 255, 0, 0));
    SDL_FillRect(image, &green, SDL_MapRGB(image->format, 0, 255, 0));
    SDL_FillRect(image, &corner, SDL_MapRGB(image->format, 0, 0, 255));
    const char* file = "/tmp/vorlusk-sheet-test.bmp";
    ASSERT_EQ(SDL_SaveBMP(image, file), 0);
    SDL_FreeSurface(image);

    CSpriteSheet s;
    std::snprintf(s.path, sizeof s.path, "%s", file);
    ASSERT_EQ(s.load(video.renderer), 0);
    EXPECT_EQ(s.sheetW, 8);
    EXPECT_EQ(s.sheetH, 4);
    s.buildFrames(2, 0, 0, 4, 4, 2, 1, 0);

    SDL_Rect dest = {10, 10, 40, 40};
    video.clear(0, 0, 0);
    s.renderFrame(video.renderer, &dest, true);
    EXPECT_EQ(video.pixel(30, 30), 0xFF0000u);
    EXPECT_EQ(video.pixel(49, 49), 0xFF0000u);
    EXPECT_EQ(video.pixel(50, 50), 0x000000u);
    EXPECT_EQ(s.currentFrame, 1);
    s.renderFrame(video.renderer, &dest, true);
    EXPECT_EQ(video.pixel(30, 30), 0x00FF00u);
    EXPECT_EQ(s.currentFrame, 0);
    std::remove(file);
}

TEST(SpriteSheetLoad, MissingImageKeepsTheSheetSafe) {
    SdlVideo video;
    CSpriteSheet s;
    std::snprintf(s.path, sizeof s.path, "%s", "./no/sheet.png");
    testing::internal::CaptureStderr();
    EXPECT_EQ(s.load(video.renderer), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("Couldn't load ./no/sheet.png: ", 0),
              0u);
    EXPECT_EQ(s.texture, nullptr);
    SDL_Rect dest = {0, 0, 10, 10};
    s.renderFrame(video.renderer, &dest, true); // never built, never loaded: draws nothing
    EXPECT_EQ(s.currentFrame, 0);
}
