// LaunchTest.cpp -- playLaunch: the arrival's path to rest, the launch-away's acceleration, and
// the roar's fade at the end of each.
#include "flight/Drift.h"
#include "shell/Channels.h"
#include "support/GameFixture.h"
#include "support/MixerClock.h"

class LaunchTest : public GameTest {
  protected:
    // Plays calls up to and including call `last`; returns the sheet frame drawn by call `at`.
    int playTo(bool outward, int last, int at) {
        int drawn = -1;
        while (game.seqFrame < last) {
            drawn = game.seqFrame + 1 == at ? game.boostSheet.currentFrame : drawn;
            game.playLaunch(outward);
        }
        return drawn;
    }
    // The roar, faded from `from` on the mixer's clock, still sounds a millisecond before `ms`
    // and has stopped at it.
    void expectRoarFadeLasts(Uint32 from, Uint32 ms) {
        for (Uint32 at : {ms - 1, ms}) {
            setMixerTicks(from + at);
            awaitMixerPass();
            EXPECT_EQ(Mix_Playing(ROAR_CHANNEL), at < ms ? 1 : 0) << at << " of " << ms;
        }
    }
};

TEST_F(LaunchTest, ArrivalBrakesOntoTheShipAndLaunchAwayAcceleratesThenEachFadesTheRoar) {
    // The arrival joins at call 36, as the frame that starts it sets it up.
    game.state = LaunchIn;
    game.seqFrame = ARRIVAL_FIRST_CALL;
    game.boostSheet.currentFrame = ARRIVAL_FIRST_FRAME;
    game.thrustY = 4; // the player's vertical thrust is left alone until the end
    Mix_PlayChannelTimed(ROAR_CHANNEL, game.sndThrustRoar, 0, -1);
    EXPECT_EQ(playTo(false, 36, 36), 5);
    EXPECT_EQ(game.boostRect.x, 1252);
    EXPECT_EQ(game.thrustX, -30);
    game.playLaunch(false);
    EXPECT_EQ(game.boostRect.x, 1224);
    // Each sheet frame shows on 7 calls, stepping after the call that is a multiple of 7.
    EXPECT_EQ(playTo(false, 42, 42), 5);
    EXPECT_EQ(playTo(false, 43, 43), 6);
    playTo(false, 83, 0);
    EXPECT_EQ(game.thrustX, -6);
    EXPECT_EQ(game.thrustY, 4);
    Uint32 fadeFrom = mixerTicks();
    game.playLaunch(false); // call 84: the end, at rest where the ship stands
    EXPECT_EQ(game.state, Settled);
    EXPECT_EQ(game.boostRect.x, 594);
    EXPECT_EQ(game.boostSheet.currentFrame, 11);
    EXPECT_EQ(game.thrustX, 0);
    EXPECT_EQ(game.thrustY, 0);
    EXPECT_EQ(Mix_FadingChannel(ROAR_CHANNEL), MIX_FADING_OUT);
    expectRoarFadeLasts(fadeFrom, 100);
    // A fade already under way is left to finish (halfway in, a fade-out would take).
    Mix_FadeInChannelTimed(ROAR_CHANNEL, game.sndThrustRoar, 0, 5000, -1);
    setMixerTicks(mixerTicks() + 2500);
    awaitMixerPass();
    game.seqFrame = 83;
    game.playLaunch(false);
    EXPECT_EQ(Mix_FadingChannel(ROAR_CHANNEL), MIX_FADING_IN);
    Mix_HaltChannel(ROAR_CHANNEL);

    // The launch-away from the ship's spot: the step grows by a pixel every other call, and the
    // thrust, truncated toward zero, turns against the flight from call 36. Calls and the thrust
    // after them, from a drift of 4 and of -3:
    const int expected[][3] = {{1, 3, -3},     {2, 2, -3},     {3, 1, -3},
                               {4, 0, -3},     {35, 0, -3},    {36, -1, -4},
                               {71, -36, -39}, {72, -38, -41}, {83, -60, -63}};
    for (int column : {1, 2}) {
        const int drift = column == 1 ? 4 : -3;
        driftX = drift;
        driftY = -2;
        game.state = LaunchOut;
        game.seqFrame = 0;
        game.boostSheet.currentFrame = 0;
        game.thrustX = driftX;
        game.thrustY = driftY;
        game.boostRect.x = game.ship.rect.x;
        for (const auto& e : expected) {
            playTo(true, e[0], 0);
            EXPECT_EQ(game.thrustX, e[column]) << "call " << e[0] << " from " << drift;
        }
        EXPECT_EQ(game.thrustY, -2);
        EXPECT_EQ(game.ship.rect.x - game.boostRect.x, 1722);
        EXPECT_EQ(game.boostSheet.currentFrame, 11);
        game.aliens[0].velX = 9;
        Mix_PlayChannelTimed(ROAR_CHANNEL, game.sndThrustRoar, 0, -1);
        fadeFrom = mixerTicks();
        game.playLaunch(true); // call 84: the end
        EXPECT_EQ(game.state, Finished);
        EXPECT_EQ(game.thrustX, drift);
        EXPECT_EQ(game.aliens[0].velX, 1); // the aliens sent inward
        EXPECT_EQ(Mix_FadingChannel(ROAR_CHANNEL), MIX_FADING_OUT);
        expectRoarFadeLasts(fadeFrom, 1000);
    }
}
