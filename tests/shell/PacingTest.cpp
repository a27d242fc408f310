// PacingTest.cpp -- the 20 ms schedule: waiting out early frames, catching up after late ones.
#include "support/GameFixture.h"

class PacingTest : public ::testing::Test {
  protected:
    CGame game;
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
        // The tick clock starts at 0; the tests look back up to 70 ms from now.
        SDL_Delay(100);
    }
    void TearDown() override { SDL_Quit(); }
};

TEST_F(PacingTest, TimeLeftIsTheRestOfTheFrameOrZero) {
    Uint32 now = SDL_GetTicks();
    game.nextFrameTicks = now + 15;
    Uint32 left = game.framesTimeLeft();
    EXPECT_LE(left, 15u);
    EXPECT_GE(left, 10u);
    game.nextFrameTicks = SDL_GetTicks();
    EXPECT_EQ(game.framesTimeLeft(), 0u);
    game.nextFrameTicks = SDL_GetTicks() - 70;
    EXPECT_EQ(game.framesTimeLeft(), 0u);
}

TEST_F(PacingTest, EarlyFrameSleepsUntilItsBoundary) {
    game.nextFrameTicks = SDL_GetTicks() + 15;
    Uint32 due = game.nextFrameTicks;
    game.endFrame();
    EXPECT_GE(SDL_GetTicks(), due);
    EXPECT_EQ(game.nextFrameTicks, due + 20);
}

TEST_F(PacingTest, LateFramesRunBackToBackUntilTheScheduleIsMet) {
    // A frame that ended 50 ms after it was due: the schedule moves on by 20 ms a frame, never
    // re-anchored, so the next frames skip their sleep until they are ahead of it again.
    Uint32 start = SDL_GetTicks();
    game.nextFrameTicks = start - 50;
    for (int frame = 0; frame < 3; ++frame) {
        game.endFrame();
    }
    EXPECT_EQ(game.nextFrameTicks, start + 10);
    EXPECT_LT(SDL_GetTicks() - start, 10u) << "frames behind schedule must not sleep";
    game.endFrame(); // now ahead: sleeps out the rest of its 20 ms
    EXPECT_GE(SDL_GetTicks(), start + 10);
    EXPECT_EQ(game.nextFrameTicks, start + 30);
}
