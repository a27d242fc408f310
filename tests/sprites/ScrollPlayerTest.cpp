// ScrollPlayerTest.cpp -- the background window's jump-wrap and its load.
#include "sprites/ScrollPlayer.h"
#include "support/SdlVideo.h"

#include <gtest/gtest.h>

namespace {

// A 5000x3000 image shown through a 1280x720 window: limits 3720 across and 2280 down.
CScroll_Player window(int x, int y, int velX, int velY) {
    CScroll_Player s;
    s.rect.w = 5000;
    s.rect.h = 3000;
    s.destRect = {0, 0, 1280, 720};
    s.srcRect = {x, y, 1280, 720};
    s.velX = velX;
    s.velY = velY;
    return s;
}

} // namespace

TEST(ScrollPlayer, WrapsByJumpingToTheOtherSide) {
    CScroll_Player s = window(100, 2270, 0, 10);
    s.scroll(); // reaching the limit is already past it
    EXPECT_EQ(s.srcRect.y, 0);

    s = window(100, 5, 0, -8);
    s.scroll();
    EXPECT_EQ(s.srcRect.y, 2280);
    s.velY = 0;
    s.scroll(); // standing on the limit turns to 0 even without moving
    EXPECT_EQ(s.srcRect.y, 0);

    s = window(3700, 100, 25, 0);
    s.scroll(); // the 5 pixels past the limit are dropped
    EXPECT_EQ(s.srcRect.x, 0);

    s = window(3, 100, -4, 0);
    s.scroll();
    EXPECT_EQ(s.srcRect.x, 3720);

    s = window(3719, 2279, 7, 4);
    s.scroll();
    EXPECT_EQ(s.srcRect.x, 0);
    EXPECT_EQ(s.srcRect.y, 0);
    EXPECT_EQ(s.srcRect.w, 1280);
    EXPECT_EQ(s.srcRect.h, 720);

    s = window(200, 300, -7, 4);
    s.scroll();
    EXPECT_EQ(s.srcRect.x, 193);
    EXPECT_EQ(s.srcRect.y, 304);
}

TEST(ScrollPlayer, LoadSetsTheScreenRectangleEvenWhenTheImageIsMissing) {
    SdlVideo video;
    CScroll_Player s;
    composePath(s.path, "./missing-carpet.jpg");
    s.velX = 5;
    s.velY = -5;
    testing::internal::CaptureStderr();
    EXPECT_EQ(s.load(video.renderer), -1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(s.destRect.x, 0);
    EXPECT_EQ(s.destRect.y, 0);
    EXPECT_EQ(s.destRect.w, 1280);
    EXPECT_EQ(s.destRect.h, 720);
    EXPECT_EQ(s.velX, 0);
    EXPECT_EQ(s.velY, 0);
    s.render(video.renderer); // nothing to draw, and no harm
}
