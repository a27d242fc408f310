// CrashTest.cpp -- playCrash: the explosion's timeline and sounds, the wreck that stays behind.
#include "flight/Drift.h"
#include "support/Checks.h"
#include "support/GameFixture.h"

class CrashTest : public GameTest {
  protected:
    void startCrash() {
        driftX = -2;
        driftY = 3;
        game.state = Crashing;
        game.seqFrame = 0;
        setJetTimers(125);
    }
};

TEST_F(CrashTest, SoundsFramesAndTheWrecksMoveFollowTheTimeline) {
    startCrash();
    std::vector<int> explosions;
    std::vector<int> crashes;
    const SDL_Rect start = game.crashRect;
    for (int n = 1; n <= 143; ++n) {
        // The carpet moving under the wreck: only from call 112 does it follow.
        game.background.velX = 2;
        game.background.velY = -1;
        int explosionsBefore = channelsPlaying(game.sndShipExplosion);
        int crashesBefore = channelsPlaying(game.sndShipCrash);
        int frameBefore = game.crashSheet.currentFrame;
        game.playCrash();
        if (channelsPlaying(game.sndShipExplosion) > explosionsBefore) {
            explosions.push_back(n);
        }
        if (channelsPlaying(game.sndShipCrash) > crashesBefore) {
            crashes.push_back(n);
        }
        EXPECT_EQ(frameBefore, (n - 1) / 3 < 47 ? (n - 1) / 3 : 47) << "call " << n;
        if (n == 111) {
            EXPECT_EQ(game.crashRect.x, start.x);
            EXPECT_EQ(game.crashRect.y, start.y);
        }
        EXPECT_EQ(game.state, Crashing);
    }
    EXPECT_EQ(explosions, (std::vector<int>{3, 27, 33, 54}));
    EXPECT_EQ(crashes, (std::vector<int>{111}));
    EXPECT_EQ(game.crashRect.x, start.x - 2 * 32); // calls 112 to 143
    EXPECT_EQ(game.crashRect.y, start.y + 32);
    EXPECT_EQ(game.crashSheet.currentFrame, 47);

    game.thrustX = 7;
    game.playCrash(); // call 144: the end
    EXPECT_EQ(game.state, Finished);
    EXPECT_EQ(game.thrustX, -2);
    EXPECT_EQ(game.thrustY, 3);
    EXPECT_EQ(game.crashSheet.currentFrame, 47);
    EXPECT_EQ(game.aliens[0].velX, 1);
    EXPECT_EQ(game.aliens[3].velY, -1);
}

TEST_F(CrashTest, EightFrozenJetsRunTheCrashFromPlayToTheWreck) {
    enterFlying();
    parkFireballs();
    setJetTimers(125);
    game.stepFrame();
    ASSERT_EQ(game.state, Crashing);
    EXPECT_EQ(stepUntilState(Finished), 143);
    EXPECT_EQ(game.seqFrame, 144);

    // In Finished the wreck keeps being drawn, silent, and the aliens reset every frame.
    Mix_HaltChannel(-1);
    int explosionsBefore = channelsPlaying(game.sndShipExplosion);
    for (int frame = 0; frame < 100; ++frame) {
        game.aliens[1].velY = -5;
        step();
        EXPECT_EQ(game.aliens[1].velY, 1);
    }
    EXPECT_EQ(game.seqFrame, 244);
    EXPECT_EQ(channelsPlaying(game.sndShipExplosion), explosionsBefore);
    EXPECT_EQ(channelsPlaying(game.sndShipCrash), 0);
    EXPECT_EQ(game.state, Finished);
}

TEST_F(CrashTest, TheWreckIsHeldOnlyWhileOnScreenAndFrozen) {
    startCrash();
    game.seqFrame = 144;
    game.state = Finished;
    game.crashRect.x = -game.crashRect.w + 1; // right edge just inside
    game.stepFrame();
    EXPECT_EQ(game.seqFrame, 145);
    game.crashRect.x = -game.crashRect.w; // right edge on the screen's left edge
    game.stepFrame();
    EXPECT_EQ(game.seqFrame, 145);

    game.crashRect.x = 500;
    game.ship.timers[0] = 0; // seven frozen
    game.stepFrame();
    EXPECT_EQ(game.seqFrame, 145);
}
