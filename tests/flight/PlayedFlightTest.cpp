// PlayedFlightTest.cpp -- a long stretch of real play, checking after every frame what must
// always hold, whatever the aliens throw.
#include "support/GameFixture.h"
#include "support/Invariants.h"

#include <cstdlib>

TEST_F(GameTest, ThreeThousandFramesOfPlayKeepEveryInvariant) {
    enterFlying();
    std::srand(20261206);
    // A scripted pilot: each direction, alone or paired with the next, for a second at a time.
    const int pattern[8][2] = {{7, 0}, {7, 4}, {0, 4}, {-7, 4}, {-7, 0}, {-7, -4}, {0, -4}, {0, 0}};
    int hits = 0;
    int previousScore = game.score;
    for (int frame = 0; frame < 3000; ++frame) {
        game.thrustX = pattern[(frame / 50) % 8][0];
        game.thrustY = pattern[(frame / 50) % 8][1];
        game.timeLeft = 50.0f; // stay in play for the whole stretch
        step();
        ASSERT_EQ(game.state, Flying) << "frame " << frame; // a crash would end the stretch

        ASSERT_EQ(brokenInvariant(game), "") << "frame " << frame;
        int frozen = 0;
        for (int timer : game.ship.timers) {
            frozen += timer != 0 ? 1 : 0;
        }
        hits += game.score < previousScore ? 1 : 0;
        previousScore = game.score;
        // Thaw everything now and then, as a player would, so the stretch is not cut short.
        if (frozen >= 6) {
            setJetTimers(0);
        }
    }
    EXPECT_GT(game.score, 0);
    EXPECT_GT(hits, 0) << "the stretch should see fireballs strike";
}
