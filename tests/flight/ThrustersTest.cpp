// ThrustersTest.cpp -- renderThrusters: each jet's look and timer, the hum and thaw loops.
#include "shell/Channels.h"
#include "support/GameFixture.h"
#include "support/MixerClock.h"

#include <vector>

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
        SDL_SetRenderDrawColor(game.renderer, 20, 30, 40, 255);
        SDL_RenderReadPixels(game.renderer, &r, SDL_PIXELFORMAT_RGB888, pixels.data(), r.w * 4);
        SDL_RenderClear(game.renderer);
        return pixels;
    }
    // What renderThrusters draws for thrust (x, y), against jet images drawn by hand, each
    // given as {direction, jet A or B, kind}.
    void expectDrawn(int x, int y, const std::vector<std::vector<int>>& jets) {
        game.thrustX = x;
        game.thrustY = y;
        shipPixels();
        game.renderThrusters();
        std::vector<Uint32> drawn = shipPixels();
        for (const auto& jet : jets) {
            game.flames[jet[0]][jet[1]][jet[2]].render(game.renderer);
        }
        EXPECT_TRUE(drawn == shipPixels()) << "thrust " << x << ", " << y;
    }
    int volume(Mix_Chunk* chunk) { return Mix_VolumeChunk(chunk, -1); }
};

TEST_F(ThrustersTest, JetsBurnThawOrShowIceAndTheirLoopsFollowThemThenFadeWhenUnfed) {
    expectDrawn(0, 0, {});
    EXPECT_FALSE(Mix_Playing(HUM_CHANNEL) || Mix_Playing(THAW_CHANNEL));
    expectDrawn(7, -4, {{0, 0, Flames}, {0, 1, Flames}, {3, 0, Flames}, {3, 1, Flames}});
    game.ship.timers[1] = 125; // right, jet B
    game.ship.timers[4] = 7;   // left, jet A
    expectDrawn(7, 0, {{0, 0, Flames}, {0, 1, Heal}, {2, 0, Ice}});
    EXPECT_EQ(game.ship.timers[1], 124);
    EXPECT_EQ(game.ship.timers[4], 7); // left is not thrust: frozen as it was

    // The last frame of thaw still shows it; the jet burns from the next.
    setJetTimers(0);
    game.ship.timers[6] = 1; // up, jet A
    expectDrawn(0, -4, {{3, 0, Heal}, {3, 1, Flames}});
    EXPECT_EQ(game.ship.timers[6], 0);
    expectDrawn(0, -4, {{3, 0, Flames}, {3, 1, Flames}});

    auto render = [this](int x, int y) {
        game.thrustX = x;
        game.thrustY = y;
        game.renderThrusters();
    };
    Mix_HaltChannel(-1);

    // Every effects channel busy: an effect is skipped, never put on a loop channel. The roar
    // holds the hum's channel; the hum's volume is set all the same, and it starts once free.
    for (int channel = 0; channel < THAW_CHANNEL; ++channel) {
        Mix_PlayChannelTimed(channel, game.sndThrustAlarm, -1, -1);
    }
    playOneShot(game.sndAlienHit);
    EXPECT_FALSE(Mix_Playing(HUM_CHANNEL) || Mix_Playing(THAW_CHANNEL));
    Mix_PlayChannelTimed(ROAR_CHANNEL, game.sndThrustRoar, 0, -1);
    render(-7, 0);
    EXPECT_EQ(Mix_GetChunk(HUM_CHANNEL), game.sndThrustRoar);
    Mix_HaltChannel(ROAR_CHANNEL);
    render(-7, 0);
    EXPECT_EQ(Mix_GetChunk(HUM_CHANNEL), game.sndThrustBase);
    Mix_HaltChannel(3);
    playOneShot(game.sndAlienHit);
    EXPECT_EQ(Mix_GetChunk(3), game.sndAlienHit); // the lowest free effects channel

    // A quarter of 64 per burning jet; one thawing jet runs the thaw loop silent.
    render(7, -4);
    EXPECT_EQ(volume(game.sndThrustBase), 64);
    game.ship.timers[3] = 50; // down, jet B
    render(0, 4);
    EXPECT_EQ(volume(game.sndThrustBase), 16);
    EXPECT_EQ(Mix_GetChunk(THAW_CHANNEL), game.sndThrustFade);
    EXPECT_EQ(volume(game.sndThrustFade), 0);

    // Four thawing at once: the thaw loop at 64, and nothing burns, so the hum fades.
    for (int jet : {0, 1, 6, 7}) {
        game.ship.timers[jet] = 100;
    }
    render(7, -4);
    EXPECT_EQ(volume(game.sndThrustFade), 64);
    EXPECT_EQ(Mix_FadingChannel(HUM_CHANNEL), MIX_FADING_OUT);

    // Nothing to feed them: both fade out over 500 ms of the mixer's clock, to the millisecond.
    Mix_HaltChannel(-1);
    setJetTimers(0);
    game.ship.timers[2] = 90; // down, jet A
    render(7, 4);
    ASSERT_TRUE(Mix_Playing(HUM_CHANNEL) && Mix_Playing(THAW_CHANNEL));
    const Uint32 start = mixerTicks();
    render(0, 0);
    EXPECT_EQ(Mix_FadingChannel(HUM_CHANNEL), MIX_FADING_OUT);
    EXPECT_EQ(Mix_FadingChannel(THAW_CHANNEL), MIX_FADING_OUT);
    for (Uint32 at : {499u, 500u}) {
        setMixerTicks(start + at);
        awaitMixerPass();
        render(0, 0); // asked again every frame: that neither restarts nor stretches the fade
        EXPECT_EQ(Mix_Playing(HUM_CHANNEL) + Mix_Playing(THAW_CHANNEL), at < 500 ? 2 : 0) << at;
    }
}
