// PacingTest.cpp -- the 20 ms schedule: waiting out early frames, catching up after late ones,
// starting again after a stall, and going on where a 32-bit tick count would wrap.
#include "support/GameFixture.h"

class PacingTest : public ::testing::Test {
  protected:
    CGame game;
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
        // SDL's count starts at 0; the tests look back up to ten seconds from now.
        game.clockOffset = 1000000;
    }
    void TearDown() override { SDL_Quit(); }
};

TEST_F(PacingTest, EarlyFramesSleepToTheirBoundaryAndLateOnesCatchUp) {
    Uint64 now = game.gameTicks();
    game.nextFrameTicks = now + 15;
    EXPECT_LE(game.framesTimeLeft(), 15u);
    EXPECT_GE(game.framesTimeLeft(), 10u);
    game.endFrame();
    EXPECT_GE(game.gameTicks(), now + 15);
    EXPECT_EQ(game.nextFrameTicks, now + 35);
    game.nextFrameTicks = game.gameTicks();
    EXPECT_EQ(game.framesTimeLeft(), 0u);

    // A frame that ended 50 ms after it was due: the schedule moves on by 20 ms a frame, never
    // re-anchored, so the next frames skip their sleep until they are ahead of it again.
    Uint64 start = game.gameTicks();
    game.nextFrameTicks = start - 50;
    for (int frame = 0; frame < 3; ++frame) {
        game.endFrame();
    }
    EXPECT_EQ(game.nextFrameTicks, start + 10);
    EXPECT_LT(game.gameTicks() - start, 10u) << "frames behind schedule must not sleep";
    game.endFrame(); // now ahead: sleeps out the rest of its 20 ms
    EXPECT_GE(game.gameTicks(), start + 10);
    EXPECT_EQ(game.nextFrameTicks, start + 30);
}

TEST_F(PacingTest, AStallOfSecondsStartsTheScheduleAgainInsteadOfRacingThroughIt) {
    // As after the process was stopped for ten seconds: without a bound the loop would run some
    // five hundred frames flat out before the player could act again.
    Uint64 start = game.gameTicks();
    game.nextFrameTicks = start - 10000;
    game.endFrame();
    EXPECT_GE(game.nextFrameTicks, start + 20);
    EXPECT_LE(game.nextFrameTicks, game.gameTicks() + 20);
    Uint64 before = game.gameTicks();
    game.endFrame();
    EXPECT_GE(game.gameTicks() - before, 15u) << "the frame after a stall keeps its period";
}

TEST_F(PacingTest, TheClockRunsOnPastWhereA32BitTickCountWraps) {
    // 30 ms before 2^32 ms: a 32-bit count would wrap in the second frame, and a plain compare
    // of it with the schedule would sleep for 49 days.
    game.clockOffset = (Uint64{1} << 32) - 30 - SDL_GetTicks64();
    game.nextFrameTicks = game.gameTicks() + FRAME_MS;
    Uint64 start = SDL_GetTicks64();
    for (int frame = 0; frame < 5; ++frame) {
        EXPECT_LE(game.framesTimeLeft(), FRAME_MS);
        game.endFrame();
    }
    Uint64 spent = SDL_GetTicks64() - start;
    EXPECT_GE(spent, 90u);
    EXPECT_LE(spent, 150u);
    EXPECT_GT(game.nextFrameTicks, Uint64{1} << 32);
}
