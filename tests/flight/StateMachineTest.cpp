// StateMachineTest.cpp -- the flight's clock and its states, frame by frame from start-up.
#include "flight/Drift.h"
#include "support/GameFixture.h"

class StateMachineTest : public GameTest {
  protected:
    // Play stands still for the transition tests: no fireball is thrown or flies.
    void quietFlying() {
        enterFlying();
        parkFireballs();
        for (CPlayer& alien : game.aliens) {
            alien.state = 0;
        }
    }
};

TEST_F(StateMachineTest, ClockSpeedAndStatesFollowTheExactTimeline) {
    step();
    EXPECT_EQ(game.timeLeft, 101.98f);
    EXPECT_EQ(game.state, Waiting);
    step(99);
    EXPECT_EQ(game.timeLeft, 100.000336f); // frame 100: still waiting
    EXPECT_EQ(game.state, Waiting);
    step();
    EXPECT_EQ(game.timeLeft, 99.980339f); // frame 101: the arrival starts
    EXPECT_EQ(game.state, LaunchIn);
    EXPECT_TRUE(Mix_Playing(15));
    EXPECT_EQ(game.seqFrame, 36); // preset to 35, then its first call
    step(48);
    EXPECT_EQ(game.state, Settled); // the arrival takes frames 101 to 149
    step(51);
    EXPECT_EQ(game.state, Settled); // frame 200
    step();
    EXPECT_EQ(game.timeLeft, 97.980675f); // frame 201: play begins
    EXPECT_EQ(game.speedFactor, 1.0803894f);
    EXPECT_EQ(game.state, Flying);

    // No hits can end the flight early: keep every fireball away from the ship.
    for (int frame = 202; frame <= 5100; ++frame) {
        step();
        parkFireballs();
        ASSERT_EQ(game.state, Flying) << "frame " << frame;
    }
    EXPECT_NEAR(game.timeLeft, 0.0051035f, 1e-7);
    setJetTimers(0);
    step();
    EXPECT_EQ(game.timeLeft, 0.0f); // frame 5101: below zero, stored as 0
    EXPECT_EQ(game.speedFactor, 3.0404406f);
    EXPECT_EQ(game.state, LaunchOut);
}

TEST_F(StateMachineTest, ArrivalWaitsForAnIdleRoarChannel) {
    // Something else keeps channel 15 busy through the whole arrival window.
    Mix_PlayChannelTimed(15, game.sndThrustBase, -1, -1);
    step(200);
    EXPECT_EQ(game.state, Waiting);
    EXPECT_EQ(game.thrustX, 0);
    step();
    EXPECT_EQ(game.state, Flying); // straight from Waiting: Settled is skipped
}

TEST_F(StateMachineTest, ReachingNinetyEightCutsALateArrivalShort) {
    Mix_PlayChannelTimed(15, game.sndThrustBase, -1, -1);
    step(180);
    Mix_HaltChannel(15);
    step(); // frame 181: the arrival starts late
    EXPECT_EQ(game.state, LaunchIn);
    step(19); // frame 200: its 20th call, n = 55
    EXPECT_EQ(game.state, LaunchIn);
    EXPECT_EQ(game.thrustX, -20);
    step(); // frame 201
    EXPECT_EQ(game.state, Flying);
    EXPECT_EQ(game.thrustX, -20); // as the sequence left it: its end never ran
    EXPECT_EQ(game.thrustY, 0);
}

TEST_F(StateMachineTest, EightFrozenJetsCrashAndTheCrashTestComesFirst) {
    quietFlying();
    game.timeLeft = 0.01f; // time runs out in this same frame
    setJetTimers(50);
    game.thrustX = 7;
    step();
    EXPECT_EQ(game.state, Crashing);
    EXPECT_FALSE(game.warningActive);
    EXPECT_EQ(game.seqFrame, 1); // preset to 0, then its first call in the same frame
    EXPECT_GE(driftX, -3);
    EXPECT_LE(driftX, 4);
    EXPECT_EQ(game.thrustX, driftX);
    EXPECT_EQ(game.thrustY, driftY);
}

TEST_F(StateMachineTest, TimeUpWithClearJetsLaunchesAway) {
    quietFlying();
    game.timeLeft = 0.01f;
    step();
    EXPECT_EQ(game.state, LaunchOut);
    EXPECT_EQ(game.timeLeft, 0.0f);
    EXPECT_EQ(game.thrustX, static_cast<int>(driftX - 0 - 0.5)); // first call, n = 1
    EXPECT_EQ(game.thrustY, driftY);
    EXPECT_EQ(game.boostRect.x, game.ship.rect.x); // n = 1 moves it by 1 / 2 = 0
    EXPECT_EQ(game.boostRect.y, game.ship.rect.y);
    EXPECT_EQ(game.boostSheet.currentFrame, 0);
    EXPECT_EQ(game.seqFrame, 1);
    EXPECT_TRUE(Mix_Playing(15));
    EXPECT_EQ(Mix_GetChunk(15), game.sndThrustRoar);
}

TEST_F(StateMachineTest, TimeUpWithSomeFrozenJetsHoldsTheFlightAndWarns) {
    for (int frozen = 1; frozen <= 7; ++frozen) {
        SCOPED_TRACE(frozen);
        quietFlying();
        game.timeLeft = 0.0f;
        for (int jet = 0; jet < 8; ++jet) {
            game.ship.timers[jet] = jet < frozen ? 100 : 0;
        }
        step(3);
        EXPECT_EQ(game.state, Flying);
        EXPECT_TRUE(game.warningActive);
        EXPECT_EQ(game.timeLeft, 0.0f);
    }
    // Thawed out: the next frame launches away, and the warning is gone with Flying.
    setJetTimers(0);
    step();
    EXPECT_EQ(game.state, LaunchOut);
    EXPECT_FALSE(game.warningActive);
}

TEST_F(StateMachineTest, WarningIsClearedAtTheStartOfEveryFlyingFrame) {
    quietFlying();
    game.warningActive = true;
    step();
    EXPECT_FALSE(game.warningActive);
}

TEST_F(StateMachineTest, AliensWaitForPlayAndFireballsStopWithIt) {
    stepUntilState(Settled);
    SDL_Rect waiting = game.aliens[1].rect;
    step(10);
    EXPECT_EQ(game.aliens[1].rect.x, waiting.x);
    EXPECT_EQ(game.aliens[1].rect.y, waiting.y);
    enterFlying();
    step();
    EXPECT_NE(game.aliens[1].rect.x, waiting.x); // on the move from the first frame of play

    parkFireballs();
    CPlayer& fireball = game.fireballs[0][0];
    fireball.state = Active;
    fireball.rect = {100, 100, fireball.rect.w, fireball.rect.h};
    fireball.velX = 10;
    game.timeLeft = 0.0f;
    setJetTimers(0);
    step(); // moved once more, then the launch-away begins
    ASSERT_EQ(game.state, LaunchOut);
    SDL_Rect last = fireball.rect;
    step(100);
    EXPECT_EQ(fireball.rect.x, last.x); // left where it was, and no longer drawn
    EXPECT_EQ(fireball.state, Active);
}

TEST_F(StateMachineTest, ThrustIsScaledBySpeedUpToFlyingAndTakenAsIsAfter) {
    quietFlying();
    game.speedFactor = 2.4996f; // becomes 2.5 this frame
    game.thrustX = 7;
    game.thrustY = -4;
    step();
    EXPECT_EQ(game.background.velX, 17); // 17.5 truncated
    EXPECT_EQ(game.background.velY, -10);

    game.state = Finished;
    game.thrustX = 3;
    game.thrustY = -2;
    float time = game.timeLeft;
    float speed = game.speedFactor;
    step();
    EXPECT_EQ(game.background.velX, 3);
    EXPECT_EQ(game.background.velY, -2);
    EXPECT_EQ(game.timeLeft, time);
    EXPECT_EQ(game.speedFactor, speed);
}
