// StateMachineTest.cpp -- stepFrame: the flight's clock and its states, frame by frame.
#include "flight/Drift.h"
#include "shell/Channels.h"
#include "support/GameFixture.h"
#include "support/MixerClock.h"

#include <cstdlib>

class StateMachineTest : public GameTest {
  protected:
    // Drawn into a tiny target and without the texts, a frame costs next to nothing, and a whole
    // flight a fraction of a second. Nothing the flight decides depends on what is drawn.
    void drawLittle() {
        SDL_SetRenderTarget(game.renderer,
                            SDL_CreateTexture(game.renderer, SDL_PIXELFORMAT_ARGB8888,
                                              SDL_TEXTUREACCESS_TARGET, 8, 8));
        TTF_CloseFont(game.font);
        game.font = nullptr;
    }
    // The first seed after which `draws` holds of std::rand's numbers.
    template <typename Draws> static unsigned seedWhere(Draws draws) {
        unsigned seed = 1;
        for (std::srand(seed); !draws(); std::srand(++seed)) {
        }
        return seed;
    }
};

TEST_F(StateMachineTest, AWholeFlightKeepsItsExactTimeline) {
    drawLittle();
    step();
    EXPECT_EQ(game.timeLeft, 101.98f);
    step(99);
    EXPECT_EQ(game.timeLeft, 100.000336f); // frame 100: still waiting
    const Uint32 fadeFrom = mixerTicks();
    step(); // frame 101: the arrival starts under a fading-in roar, and makes its first call
    EXPECT_EQ(game.timeLeft, 99.980339f);
    EXPECT_EQ(game.state, LaunchIn);
    EXPECT_EQ(game.seqFrame, 36);
    EXPECT_EQ(game.boostSheet.currentFrame, 5);
    EXPECT_EQ(Mix_GetChunk(ROAR_CHANNEL), game.sndThrustRoar);
    EXPECT_EQ(Mix_FadingChannel(ROAR_CHANNEL), MIX_FADING_IN);
    for (Uint32 at : {199u, 200u}) { // 200 ms of the mixer's clock
        setMixerTicks(fadeFrom + at);
        awaitMixerPass();
        EXPECT_EQ(Mix_FadingChannel(ROAR_CHANNEL), at < 200 ? MIX_FADING_IN : MIX_NO_FADING);
    }
    // The player's thrust moves the carpet on the next frame, before the arrival takes it back.
    game.thrustX = 7;
    step();
    EXPECT_EQ(game.background.velX, 7);
    EXPECT_EQ(game.thrustX, -29);
    step(47); // frame 149
    EXPECT_EQ(game.state, Settled);
    const SDL_Rect waiting = game.aliens[1].rect;
    step(51); // frame 200: the aliens wait for play
    EXPECT_EQ(game.state, Settled);
    EXPECT_EQ(game.aliens[1].rect.x, waiting.x);
    step(); // frame 201: play begins
    EXPECT_EQ(game.timeLeft, 97.980675f);
    EXPECT_EQ(game.speedFactor, 1.0803894f);
    EXPECT_EQ(game.state, Flying);
    EXPECT_NE(game.aliens[1].rect.x, waiting.x);

    // No hit may end the flight early: every fireball is kept out of play.
    for (int frame = 202; frame <= 5100; ++frame) {
        step();
        parkFireballs();
        ASSERT_EQ(game.state, Flying) << "frame " << frame;
    }
    EXPECT_EQ(game.timeLeft, 0.00510347961f);
    CPlayer& fireball = game.fireballs[0][0];
    fireball.state = Active;
    fireball.rect = {100, 100, fireball.rect.w, fireball.rect.h};
    fireball.velX = 10;
    step(); // frame 5101: below zero, stored as 0; play ends and the launch-away begins
    EXPECT_EQ(game.timeLeft, 0.0f);
    EXPECT_EQ(game.speedFactor, 3.0404406f);
    EXPECT_EQ(game.state, LaunchOut);

    // The fireballs stop with play, where they were; the launch-away runs 84 calls.
    const SDL_Rect held = fireball.rect;
    EXPECT_EQ(stepUntilState(Finished), 83);
    EXPECT_EQ(fireball.rect.x, held.x);
    // Then the clock and the speed stand still, the thrust drifts the carpet unscaled, the
    // aliens patrol on, and no wreck is played.
    const SDL_Rect alien = game.aliens[0].rect;
    game.thrustX = 3;
    game.thrustY = -2;
    step();
    EXPECT_EQ(game.background.velX, 3);
    EXPECT_EQ(game.background.velY, -2);
    EXPECT_EQ(game.timeLeft, 0.0f);
    EXPECT_EQ(game.speedFactor, 3.0404406f);
    EXPECT_NE(game.aliens[0].rect.x, alien.x);
    EXPECT_EQ(game.seqFrame, 84);
}

TEST_F(StateMachineTest, ArrivalWaitsForAnIdleRoarChannelAndNinetyEightCutsItShort) {
    drawLittle();
    Mix_PlayChannelTimed(ROAR_CHANNEL, game.sndThrustBase, -1, -1);
    step(180);
    EXPECT_EQ(game.state, Waiting);
    Mix_HaltChannel(ROAR_CHANNEL);
    step(); // frame 181: the arrival starts late
    EXPECT_EQ(game.state, LaunchIn);
    step(20); // frame 201
    EXPECT_EQ(game.state, Flying);
    EXPECT_EQ(game.thrustX, -20); // as its 20th call left it: its end never ran
}

TEST_F(StateMachineTest, TimeUpLaunchesAwayWithClearJetsHoldsPlayWhileSomeAreFrozenCrashesOnEight) {
    drawLittle();
    for (CPlayer& alien : game.aliens) {
        alien.state = Free; // no alien throws
    }
    // The thrust is scaled by this frame's speed factor, truncated; a fireball thrown in the
    // frame already flies in it, carried by the carpet.
    game.state = Flying;
    game.timeLeft = 50.0f;
    game.speedFactor = 2.4996f;
    game.thrustX = 7;
    game.thrustY = -4;
    game.aliens[0].state = Active;
    game.aliens[0].rect.x = 0;
    const int alienY = game.aliens[0].rect.y;
    std::srand(seedWhere([] { return std::rand() % 4 == 0 && std::rand() % 20 == 0; }));
    step();
    game.aliens[0].state = Free;
    EXPECT_EQ(game.background.velX, 17);
    EXPECT_EQ(game.background.velY, -10);
    EXPECT_EQ(game.fireballs[0][0].rect.x, -17 + 26);
    EXPECT_EQ(game.fireballs[0][0].rect.y, alienY + 10);
    parkFireballs();

    // Time up with some jets frozen: play goes on under the warning, the speed still rising.
    game.thrustX = 0;
    game.thrustY = 0;
    game.timeLeft = 0.0f;
    for (int frozen = 1; frozen <= 7; ++frozen) {
        for (int jet = 0; jet < 8; ++jet) {
            game.ship.timers[jet] = jet < frozen ? 100 : 0;
        }
        const float speed = game.speedFactor;
        step();
        EXPECT_EQ(game.state, Flying) << frozen << " frozen";
        EXPECT_TRUE(game.warningActive) << frozen << " frozen";
        EXPECT_GT(game.speedFactor, speed);
    }

    // All thawed, and a fireball strikes in this very frame: the jet it freezes counts only from
    // the next, so the launch-away begins, with the warning gone and the drift drawn x first.
    setJetTimers(0);
    CPlayer& fireball = game.fireballs[2][0];
    fireball.state = Active;
    fireball.rect = {game.ship.rect.x, game.ship.rect.y, fireball.rect.w, fireball.rect.h};
    game.boostSheet.currentFrame = 11; // as the arrival left it
    std::srand(seedWhere([] {
        std::rand(); // the alien that would throw
        return std::rand() % 8 == 7 && std::rand() % 8 == 0;
    }));
    step();
    EXPECT_EQ(game.ship.timers[5], 125);
    EXPECT_EQ(game.state, LaunchOut);
    EXPECT_FALSE(game.warningActive);
    EXPECT_EQ(game.thrustX, -3); // a drift of -3, after the first call
    EXPECT_EQ(game.thrustY, 4);
    EXPECT_EQ(game.seqFrame, 1);
    EXPECT_EQ(game.boostSheet.currentFrame, 0);
    EXPECT_EQ(game.boostRect.x, game.ship.rect.x);
    EXPECT_EQ(game.boostRect.y, game.ship.rect.y);
    EXPECT_EQ(Mix_GetChunk(ROAR_CHANNEL), game.sndThrustRoar);

    // Eight frozen as time runs out: the crash comes first, and runs on its own to the wreck.
    game.state = Flying;
    game.timeLeft = 0.01f;
    setJetTimers(50);
    step();
    EXPECT_EQ(game.state, Crashing);
    EXPECT_EQ(game.seqFrame, 1);
    EXPECT_EQ(game.thrustX, driftX);
    EXPECT_EQ(game.thrustY, driftY);
    EXPECT_EQ(stepUntilState(Finished), 143);
}
