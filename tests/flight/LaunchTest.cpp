// LaunchTest.cpp -- playLaunch: the arrival's path to rest, the launch-away's acceleration.
#include "flight/Drift.h"
#include "shell/Channels.h"
#include "support/GameFixture.h"

#include <vector>

class LaunchTest : public GameTest {
  protected:
    // The flight at the moment the launch-away begins, with the given drift.
    void startLaunchAway(int driftXValue, int driftYValue) {
        driftX = driftXValue;
        driftY = driftYValue;
        game.state = LaunchOut;
        game.seqFrame = 0;
        game.boostSheet.currentFrame = 0;
        game.thrustX = driftX;
        game.thrustY = driftY;
        game.boostRect.x = game.ship.rect.x;
        game.boostRect.y = game.ship.rect.y;
    }
};

TEST_F(LaunchTest, ArrivalFliesInFromTheRightAndSettlesOnTheShip) {
    stepUntilState(LaunchIn);
    // Frame 101: the first call, n = 36.
    EXPECT_EQ(game.seqFrame, 36);
    EXPECT_EQ(game.boostRect.x, 1252);
    EXPECT_EQ(game.boostSheet.currentFrame, 5); // frame 5 drawn, not yet stepped
    EXPECT_EQ(game.thrustX, -30);
    EXPECT_EQ(Mix_GetChunk(ROAR_CHANNEL), game.sndThrustRoar);
    EXPECT_EQ(Mix_FadingChannel(ROAR_CHANNEL), MIX_FADING_IN);

    // The 200 ms fade-in runs in real time; at 50 frames a second it is over long before the
    // arrival ends, and only then does the end fade the roar out.
    SDL_Delay(300);
    std::vector<int> steps;
    std::vector<int> frames;
    int x = game.boostRect.x;
    while (game.state == LaunchIn) {
        frames.push_back(game.boostSheet.currentFrame);
        step();
        steps.push_back(x - game.boostRect.x);
        x = game.boostRect.x;
        if (game.seqFrame == 83) {
            EXPECT_EQ(game.thrustX, -6);
        }
    }
    EXPECT_EQ(game.seqFrame, 84);
    EXPECT_EQ(steps.size(), 48u); // 49 calls in all
    EXPECT_EQ(steps.front(), 28); // n = 37
    EXPECT_EQ(steps.back(), 0);   // n = 84: no move
    EXPECT_EQ(game.boostRect.x, 594);
    EXPECT_EQ(game.boostSheet.currentFrame, 11);
    EXPECT_EQ(frames[5], 5);   // n = 42 still shows frame 5, stepping after drawing it
    EXPECT_EQ(frames[6], 6);   // n = 43
    EXPECT_EQ(frames[40], 10); // n = 77
    EXPECT_EQ(frames[41], 11); // n = 78
    EXPECT_EQ(game.state, Settled);
    EXPECT_EQ(game.thrustX, 0);
    EXPECT_EQ(game.thrustY, 0);
    EXPECT_EQ(Mix_FadingChannel(ROAR_CHANNEL), MIX_FADING_OUT);
}

TEST_F(LaunchTest, ArrivalEndLeavesAFadeAlreadyUnderWay) {
    game.state = LaunchIn;
    game.seqFrame = 83;
    Mix_FadeInChannelTimed(ROAR_CHANNEL, game.sndThrustRoar, 0, 5000, -1);
    game.playLaunch(false);
    EXPECT_EQ(game.state, Settled);
    EXPECT_EQ(Mix_FadingChannel(ROAR_CHANNEL), MIX_FADING_IN);
}

TEST_F(LaunchTest, ArrivalKeepsTakingVerticalInputUntilItsEnd) {
    stepUntilState(LaunchIn);
    sendKey(game, SDL_KEYDOWN, SDLK_DOWN);
    sendKey(game, SDL_KEYDOWN, SDLK_RIGHT);
    EXPECT_EQ(game.thrustX, 7); // for the next frame's drift only
    game.stepFrame();
    EXPECT_EQ(game.background.velX, 7);
    EXPECT_EQ(game.thrustX, -((96 - 37) / 2));
    EXPECT_EQ(game.thrustY, 4);
    stepUntilState(Settled);
    EXPECT_EQ(game.thrustY, 0);
}

TEST_F(LaunchTest, LaunchAwayThrustFallsAndTurnsAgainstTheFlight) {
    startLaunchAway(4, -2);
    std::vector<int> thrust(85);
    int x0 = game.boostRect.x;
    for (int n = 1; n <= 83; ++n) {
        game.playLaunch(true);
        thrust[n] = game.thrustX;
    }
    EXPECT_EQ(thrust[1], 3);
    EXPECT_EQ(thrust[2], 2);
    EXPECT_EQ(thrust[3], 1);
    EXPECT_EQ(thrust[4], 0);
    EXPECT_EQ(thrust[35], 0);
    EXPECT_EQ(thrust[36], -1);
    EXPECT_EQ(thrust[71], -36);
    EXPECT_EQ(thrust[72], -38);
    EXPECT_EQ(thrust[83], -60);
    EXPECT_EQ(game.thrustY, -2); // only the horizontal thrust is steered
    EXPECT_EQ(x0 - game.boostRect.x, 1722);
    EXPECT_EQ(game.boostSheet.currentFrame, 11);

    for (CPlayer& alien : game.aliens) {
        alien.velX = 9;
        alien.velY = 9;
    }
    game.playLaunch(true); // n = 84: the end
    EXPECT_EQ(game.state, Finished);
    EXPECT_EQ(game.thrustX, 4);
    EXPECT_EQ(game.thrustY, -2);
    EXPECT_EQ(x0 - game.boostRect.x, 1722);
    EXPECT_EQ(game.aliens[0].velX, 1);
    EXPECT_EQ(game.aliens[0].velY, 9);
    EXPECT_EQ(game.aliens[1].velY, 1);
    EXPECT_EQ(game.aliens[2].velX, -1);
    EXPECT_EQ(game.aliens[3].velY, -1);
}

TEST_F(LaunchTest, LaunchAwayFromANegativeDriftEndsFurtherOut) {
    startLaunchAway(-3, 0);
    for (int n = 1; n <= 83; ++n) {
        game.playLaunch(true);
        if (n == 35) {
            EXPECT_EQ(game.thrustX, -3);
        }
        if (n == 36) {
            EXPECT_EQ(game.thrustX, -4);
        }
    }
    EXPECT_EQ(game.thrustX, -63);
}

TEST_F(LaunchTest, LaunchAwayFromPlayRunsToFinishedAndFadesTheRoar) {
    enterFlying();
    parkFireballs();
    for (CPlayer& alien : game.aliens) {
        alien.state = 0;
    }
    game.timeLeft = 0.0f;
    game.stepFrame();
    ASSERT_EQ(game.state, LaunchOut);
    int frames = stepUntilState(Finished);
    EXPECT_EQ(frames, 83);
    EXPECT_EQ(game.thrustX, driftX);
    EXPECT_EQ(game.thrustY, driftY);
    EXPECT_EQ(Mix_FadingChannel(ROAR_CHANNEL), MIX_FADING_OUT);

    // Afterwards the carpet drifts on, unscaled, and the wreck is never drawn.
    int crashX = game.crashRect.x;
    game.stepFrame();
    EXPECT_EQ(game.background.velX, driftX);
    EXPECT_EQ(game.background.velY, driftY);
    EXPECT_EQ(game.crashRect.x, crashX);
    EXPECT_EQ(game.seqFrame, 84);
}
