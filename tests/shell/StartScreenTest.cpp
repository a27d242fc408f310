// StartScreenTest.cpp -- the start screen waits for the player: nothing flies until Enter, left
// alone it replays a flight behind the title, any input brings it back; and the keys it shares
// with the flight: mute and the volume's steps, kept for the next start.
#include "support/GameFixture.h"

class StartScreenTest : public GameTest {
  protected:
    void SetUp() override {
        smallWindow = true;
        GameTest::SetUp();
        game.initShell();
        game.makeStartScreen();
        game.restartSchedule();
        game.startIdleSince = game.gameTicks();
    }

    // Runs the start screen for `frames` frames; true if the player asked to fly.
    bool runFor(int frames) {
        SDL_Event event;
        for (int i = 0; i < frames; ++i) {
            if (game.startScreenOnce(&event)) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(StartScreenTest, NothingFliesUntilEnterAndLeftAloneAReplayPlaysBehindTheTitle) {
    EXPECT_FALSE(runFor(999));
    EXPECT_EQ(game.mode, Playing);
    EXPECT_EQ(game.timeLeft, 102.0f) << "the flight's clock ran on the start screen";

    // About twenty seconds alone: the demo that comes with the game, as it was flown, quietly.
    EXPECT_FALSE(runFor(60));
    ASSERT_EQ(game.mode, Attract);
    EXPECT_LT(game.timeLeft, 102.0f);
    EXPECT_LT(Mix_MasterVolume(-1), MIX_MAX_VOLUME);

    // Any key ends it, Escape too, without quitting; Enter then asks for a real flight.
    pushKey(SDLK_x);
    EXPECT_FALSE(runFor(1));
    EXPECT_EQ(game.mode, Playing);
    EXPECT_EQ(game.timeLeft, 102.0f);
    EXPECT_EQ(Mix_MasterVolume(-1), MIX_MAX_VOLUME);
    EXPECT_EQ(Mix_Playing(-1), 0) << "the replay's sounds play on";
    EXPECT_FALSE(runFor(1000));
    ASSERT_EQ(game.mode, Attract);
    pushKey(SDLK_ESCAPE);
    EXPECT_FALSE(runFor(1));
    EXPECT_TRUE(game.running);
    EXPECT_EQ(game.mode, Playing);
    pushKey(SDLK_RETURN);
    EXPECT_TRUE(runFor(1));
    pushKey(SDLK_ESCAPE);
    EXPECT_FALSE(runFor(1));
    EXPECT_FALSE(game.running) << "Escape on the bare start screen quits";
}

TEST_F(StartScreenTest, MuteAndVolumeStepsMoveTheWholeMixAndAreKept) {
    pushKey(SDLK_MINUS);
    pushKey(SDLK_KP_MINUS);
    runFor(1);
    EXPECT_EQ(game.settings.volume, 80);
    EXPECT_EQ(Mix_MasterVolume(-1), MIX_MAX_VOLUME * 80 / 100);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME * 80 / 100);
    pushKey(SDLK_m);
    runFor(1);
    EXPECT_EQ(Mix_MasterVolume(-1), 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    for (int i = 0; i < 4; ++i) {
        pushKey(SDLK_KP_PLUS); // unmutes, and stops at the top
    }
    runFor(1);
    EXPECT_FALSE(game.settings.muted);
    EXPECT_EQ(game.settings.volume, 100);
    EXPECT_EQ(Mix_MasterVolume(-1), MIX_MAX_VOLUME);

    // Kept for the next start.
    pushKey(SDLK_MINUS);
    runFor(1);
    CSettings kept;
    loadSettings(&kept);
    EXPECT_EQ(kept.volume, 90);
    EXPECT_FALSE(kept.muted);
}
