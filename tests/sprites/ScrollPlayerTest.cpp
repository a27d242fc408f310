// ScrollPlayerTest.cpp -- the background window's jump-wrap, and the screen rectangle its load
// sets.
#include "sprites/ScrollPlayer.h"
#include "support/Checks.h"

#include <gtest/gtest.h>

// A 5000x3000 image shown through a 1280x720 window: limits 3720 across and 2280 down.
TEST(ScrollPlayer, WrapsByJumpingToTheOtherSideDroppingWhatWasCarriedPast) {
    const struct {
        int x, y, velX, velY, wantX, wantY;
    } cases[] = {
        {100, 2270, 0, 10, 100, 0}, // reaching the limit is already past it
        {100, 5, 0, -8, 100, 2280}, //
        {100, 2280, 0, 0, 100, 0},  // standing on the limit turns to 0 even without moving
        {100, 0, 0, -1, 100, 2280}, // one pixel before the edge is past it
        {3700, 100, 25, 0, 0, 100}, // the 5 pixels past the limit are dropped
        {3710, 100, 10, 0, 0, 100}, //
        {3, 100, -4, 0, 3720, 100}, //
    };
    for (const auto& c : cases) {
        CScroll_Player s;
        s.rect = {0, 0, 5000, 3000};
        s.destRect = {0, 0, 1280, 720};
        s.srcRect = {c.x, c.y, 1280, 720};
        s.velX = c.velX;
        s.velY = c.velY;
        s.scroll();
        expectRect(s.srcRect, c.wantX, c.wantY, 1280, 720);
    }

    // Without its image the window still covers the screen.
    CScroll_Player s;
    composePath(s.path, "./missing-carpet.jpg");
    EXPECT_EQ(s.load(nullptr), -1);
    expectRect(s.destRect, 0, 0, 1280, 720);
}
