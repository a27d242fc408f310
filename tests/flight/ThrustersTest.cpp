// ThrustersTest.cpp -- renderThrusters: each jet's look and timer, the hum and thaw loops.
#include "shell/Channels.h"
#include "support/GameFixture.h"

#include <vector>

namespace {

struct Jet {
    int direction;
    int variant;
    int kind;
};

} // namespace

class ThrustersTest : public GameTest {
  protected:
    void SetUp() override {
        // A real 1280x720 target whose pixels can be read back.
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        GameTest::SetUp();
    }

    std::vector<Uint32> shipPixels() {
        const SDL_Rect& r = game.ship.rect;
        std::vector<Uint32> pixels(static_cast<size_t>(r.w) * r.h);
        SDL_RenderReadPixels(game.renderer, &r, SDL_PIXELFORMAT_RGB888, pixels.data(), r.w * 4);
        return pixels;
    }
    void clear() {
        SDL_SetRenderDrawColor(game.renderer, 20, 30, 40, 255);
        SDL_RenderClear(game.renderer);
    }
    // What renderThrusters draws, against the given jet images drawn by hand.
    void expectDrawn(const std::vector<Jet>& jets) {
        clear();
        game.renderThrusters();
        std::vector<Uint32> drawn = shipPixels();
        clear();
        for (const Jet& jet : jets) {
            game.flames[jet.direction][jet.variant][jet.kind].render(game.renderer);
        }
        EXPECT_TRUE(drawn == shipPixels());
    }
    void thrust(int x, int y) {
        game.thrustX = x;
        game.thrustY = y;
    }
    int volume(Mix_Chunk* chunk) { return Mix_VolumeChunk(chunk, -1); }
};

TEST_F(ThrustersTest, NothingThrustNothingFrozenDrawsNothing) {
    thrust(0, 0);
    expectDrawn({});
    EXPECT_FALSE(Mix_Playing(HUM_CHANNEL));
    EXPECT_FALSE(Mix_Playing(THAW_CHANNEL));
}

TEST_F(ThrustersTest, ThrustingJetsBurnAndTheHumGrowsWithThem) {
    thrust(7, -4);
    expectDrawn({{0, 0, Flames}, {0, 1, Flames}, {3, 0, Flames}, {3, 1, Flames}});
    EXPECT_EQ(volume(game.sndThrustBase), 64);
    EXPECT_TRUE(Mix_Playing(HUM_CHANNEL));
    EXPECT_EQ(Mix_GetChunk(HUM_CHANNEL), game.sndThrustBase);

    thrust(0, 4);
    game.ship.timers[3] = 50; // direction 1, jet B: thawing
    game.renderThrusters();
    EXPECT_EQ(volume(game.sndThrustBase), 16); // the loop follows the count
    EXPECT_EQ(game.ship.timers[3], 49);
}

TEST_F(ThrustersTest, FrozenJetsShowIceAndThawOnlyUnderThrust) {
    game.ship.timers[1] = 125; // direction 0, jet B
    game.ship.timers[4] = 7;   // direction 2, jet A
    thrust(7, 0);
    expectDrawn({{0, 0, Flames}, {0, 1, Heal}, {2, 0, Ice}});
    EXPECT_EQ(game.ship.timers[1], 124);
    EXPECT_EQ(game.ship.timers[4], 7); // left not thrust: frozen as it was
    EXPECT_EQ(volume(game.sndThrustBase), 16);
    EXPECT_TRUE(Mix_Playing(THAW_CHANNEL)); // one thawing jet: the loop runs, silent
    EXPECT_EQ(volume(game.sndThrustFade), 0);

    for (int frame = 0; frame < 50; ++frame) {
        game.renderThrusters();
    }
    EXPECT_EQ(game.ship.timers[4], 7);
}

TEST_F(ThrustersTest, ALastFrameOfThawBurnsFromTheNextFrame) {
    game.ship.timers[6] = 1; // direction 3, jet A
    thrust(0, -4);
    expectDrawn({{3, 0, Heal}, {3, 1, Flames}});
    EXPECT_EQ(game.ship.timers[6], 0);
    expectDrawn({{3, 0, Flames}, {3, 1, Flames}});
}

TEST_F(ThrustersTest, FourThawingJetsSoundTheThawAndFadeTheHum) {
    thrust(7, -4);
    game.renderThrusters(); // the hum starts
    for (int jet : {0, 1, 6, 7}) {
        game.ship.timers[jet] = 100;
    }
    expectDrawn({{0, 0, Heal}, {0, 1, Heal}, {3, 0, Heal}, {3, 1, Heal}});
    EXPECT_EQ(volume(game.sndThrustFade), 64);
    EXPECT_EQ(Mix_GetChunk(THAW_CHANNEL), game.sndThrustFade);
    EXPECT_EQ(Mix_FadingChannel(HUM_CHANNEL), MIX_FADING_OUT);

    for (int count : {3, 2, 1}) {
        game.ship.timers[count == 3 ? 7 : count == 2 ? 6 : 1] = 0;
        game.renderThrusters();
        EXPECT_EQ(volume(game.sndThrustFade), 0) << count << " thawing";
    }
}

TEST_F(ThrustersTest, LoopsFadeOutOnceNothingFeedsThem) {
    game.ship.timers[2] = 90;
    thrust(7, 4);
    game.renderThrusters();
    ASSERT_TRUE(Mix_Playing(HUM_CHANNEL));
    ASSERT_TRUE(Mix_Playing(THAW_CHANNEL));
    thrust(0, 0);
    game.renderThrusters();
    EXPECT_EQ(Mix_FadingChannel(HUM_CHANNEL), MIX_FADING_OUT);
    EXPECT_EQ(Mix_FadingChannel(THAW_CHANNEL), MIX_FADING_OUT);
    // Asked again every frame while the channel still sounds; it then stops within the fade.
    Uint32 start = SDL_GetTicks();
    while ((Mix_Playing(HUM_CHANNEL) || Mix_Playing(THAW_CHANNEL)) &&
           SDL_GetTicks() - start < 3000) {
        game.renderThrusters();
        SDL_Delay(20);
    }
    EXPECT_FALSE(Mix_Playing(HUM_CHANNEL));
    EXPECT_FALSE(Mix_Playing(THAW_CHANNEL));
    EXPECT_EQ(game.ship.timers[2], 89); // thawed only while thrust down lasted
}

TEST_F(ThrustersTest, HumWaitsForTheRoarToLeaveItsChannel) {
    Mix_PlayChannelTimed(ROAR_CHANNEL, game.sndThrustRoar, 0, -1);
    thrust(-7, 0);
    game.renderThrusters();
    EXPECT_EQ(Mix_GetChunk(HUM_CHANNEL), game.sndThrustRoar);
    EXPECT_EQ(volume(game.sndThrustBase), 32); // set all the same, ready for when it starts
    Mix_HaltChannel(ROAR_CHANNEL);
    game.renderThrusters();
    EXPECT_EQ(Mix_GetChunk(HUM_CHANNEL), game.sndThrustBase);
}

TEST_F(ThrustersTest, EffectsNeverTakeTheLoopChannels) {
    // Every effects channel busy: a further effect is skipped rather than put on 14 or 15.
    for (int channel = 0; channel < THAW_CHANNEL; ++channel) {
        Mix_PlayChannelTimed(channel, game.sndThrustAlarm, -1, -1);
    }
    playOneShot(game.sndAlienHit);
    EXPECT_FALSE(Mix_Playing(THAW_CHANNEL));
    EXPECT_FALSE(Mix_Playing(HUM_CHANNEL));
    thrust(7, 0);
    game.renderThrusters();
    EXPECT_EQ(Mix_GetChunk(HUM_CHANNEL), game.sndThrustBase); // the hum starts at once

    Mix_HaltChannel(3);
    playOneShot(game.sndAlienHit);
    EXPECT_EQ(Mix_GetChunk(3), game.sndAlienHit); // the lowest free effects channel
}
