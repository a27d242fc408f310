// PacingTest.cpp -- the 20 ms schedule on a clock the test owns: waiting out early frames to the
// due tick, catching up after late ones, starting again after a stall, and going on where a
// 32-bit tick count would wrap.
#include "support/GameFixture.h"

class PacingTest : public ::testing::Test {
  protected:
    CGame game;
    void SetUp() override {
        game.manualClock = true;
        game.manualTicks = 1000000;
    }

    // Runs one frame that took `busyMs` of work; returns how long endFrame waited.
    Uint64 frameTaking(Uint64 busyMs) {
        game.manualTicks += busyMs;
        Uint64 before = game.manualTicks;
        game.endFrame();
        return game.manualTicks - before;
    }
};

TEST_F(PacingTest, EarlyFramesWaitForTheDueTickAndLateOnesCatchUp) {
    const Uint64 start = game.manualTicks;
    // The wait is the whole time to the due tick, however far ahead it stands.
    game.nextFrameTicks = start + 500;
    EXPECT_EQ(game.framesTimeLeft(), 500u);
    game.nextFrameTicks = start + 80;
    EXPECT_EQ(frameTaking(0), 80u);
    EXPECT_EQ(game.nextFrameTicks, start + 100);
    game.nextFrameTicks = game.manualTicks;
    EXPECT_EQ(game.framesTimeLeft(), 0u);
    game.nextFrameTicks = game.manualTicks - 1;
    EXPECT_EQ(game.framesTimeLeft(), 0u);

    // Frames of 5 ms wait 15. One of 70 ms, and the three after it, wait nothing; the one after
    // those waits 10, and the schedule is met again.
    game.nextFrameTicks = game.manualTicks + FRAME_MS;
    EXPECT_EQ(frameTaking(5), 15u);
    const Uint64 waits[6] = {frameTaking(70), frameTaking(5), frameTaking(5),
                             frameTaking(5),  frameTaking(5), frameTaking(5)};
    const Uint64 expected[6] = {0, 0, 0, 0, 10, 15};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(waits[i], expected[i]) << "frame " << i;
    }
}

TEST_F(PacingTest, AStallOfSecondsStartsTheScheduleAgainInsteadOfRacingThroughIt) {
    // As after the process was stopped for ten seconds: without a bound the loop would run some
    // five hundred frames flat out before the player could act again.
    game.nextFrameTicks = game.manualTicks + FRAME_MS;
    EXPECT_EQ(frameTaking(10000), 0u);
    EXPECT_EQ(frameTaking(5), 15u) << "the frame after a stall keeps its period";

    // Five frames behind it still catches up; a millisecond more and it starts again.
    for (Uint64 late : {100u, 101u}) {
        game.nextFrameTicks = game.manualTicks + FRAME_MS;
        frameTaking(FRAME_MS + late);
        EXPECT_EQ(frameTaking(5), late > 100 ? 15u : 0u) << late;
    }
}

TEST_F(PacingTest, TheClockRunsOnPastWhereA32BitTickCountWraps) {
    // 30 ms before 2^32 ms: a 32-bit count would wrap in the second frame, and a plain compare
    // of it with the schedule would wait for 49 days.
    game.manualTicks = (Uint64{1} << 32) - 30;
    game.restartSchedule();
    for (int frame = 0; frame < 5; ++frame) {
        EXPECT_EQ(frameTaking(2), 18u) << "frame " << frame;
    }
    EXPECT_GT(game.nextFrameTicks, Uint64{1} << 32);

    // SDL's own clock with an offset reads the same way.
    game.manualClock = false;
    game.clockOffset = Uint64{1} << 32;
    EXPECT_GE(game.gameTicks(), Uint64{1} << 32);
}
