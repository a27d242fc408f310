// PauseTest.cpp -- P, Start and the window's focus pause the flight; nothing steps, the sound
// holds, the pause's panel shows over the held frame, only the player resumes, and the flight
// goes on without a burst of frames.
#include "hud/Overlay.h"
#include "support/Checks.h"
#include "support/GameFixture.h"

namespace {

void sendFocus(CGame& game, Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    game.handleEvent(&event);
}

} // namespace

class PauseTest : public GameTest {
  protected:
    void SetUp() override {
        // A real 1280x720 target whose pixels can be read back.
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        GameTest::SetUp();
        game.initShell();
        game.restartSchedule();
    }
};

TEST_F(PauseTest, PausedNothingStepsAndResumingStartsTheScheduleAfresh) {
    SDL_Event event;
    game.loopOnce(&event);
    const float before = game.timeLeft;

    // The frame in progress when P arrives is the one held.
    pushKey(SDLK_p);
    game.loopOnce(&event);
    EXPECT_EQ(game.pauseReason, PausedByKey);
    const float held = game.timeLeft;
    EXPECT_LT(held, before);
    EXPECT_EQ(Mix_PausedMusic(), 1);
    for (int pass = 0; pass < 30; ++pass) {
        game.loopOnce(&event); // three seconds of the pause's waits
    }
    EXPECT_EQ(game.timeLeft, held);
    EXPECT_GT(countColor(game.renderer, game.pauseRects[0], OVERLAY_TEXT_COLOR), 50)
        << "no \"Paused\" on screen";
    EXPECT_GT(countColor(game.renderer, game.pauseRects[1], OVERLAY_TEXT_COLOR), 50)
        << "nothing says how to go on";

    // A held P does not flicker the pause; a fresh Enter ends it, with no frames owed for the
    // three seconds.
    pushKey(SDLK_p, 1);
    game.loopOnce(&event);
    EXPECT_EQ(game.pauseReason, PausedByKey);
    pushKey(SDLK_RETURN);
    game.loopOnce(&event);
    EXPECT_EQ(game.pauseReason, NotPaused);
    EXPECT_EQ(game.state, Waiting) << "the Enter that resumed reached the flight";
    EXPECT_EQ(Mix_PausedMusic(), 0);
    EXPECT_EQ(game.nextFrameTicks, game.manualTicks + FRAME_MS) << "frames owed for the pause";

    // Nor for a pause of a single wait, too short for the loop's own bound on lag to see.
    pushKey(SDLK_p);
    game.loopOnce(&event);
    game.loopOnce(&event);
    pushKey(SDLK_RETURN);
    game.loopOnce(&event);
    EXPECT_EQ(game.nextFrameTicks, game.manualTicks + FRAME_MS) << "frames owed for a short pause";
}

TEST_F(PauseTest, FocusPausesOnlyAWindowThatHadItAndComingBackWaitsForThePlayer) {
    ASSERT_FALSE(game.hadFocus); // a headless window never has it
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(game.pauseReason, NotPaused);
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_GAINED);
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(game.pauseReason, PausedByFocus);
    // Back in the window the pause stays up: play resumes into no fire the player has not seen.
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(game.pauseReason, PausedByFocus);
    SDL_Event start{};
    start.type = SDL_KEYDOWN;
    start.key.keysym.sym = SDLK_SPACE;
    game.handleEvent(&start);
    EXPECT_EQ(game.pauseReason, NotPaused);

    // Switching to a window loses focus for a moment on some desktops: no pause for that.
    SDL_Event f11{};
    f11.type = SDL_KEYDOWN;
    f11.key.keysym.sym = SDLK_F11;
    game.handleEvent(&f11);
    game.manualTicks += 499;
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(game.pauseReason, NotPaused);
    game.manualTicks += 1; // half a second after the switch
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(game.pauseReason, PausedByFocus);
}

TEST_F(PauseTest, TheHeldFrameKeepsTheScenesShapeInAResizedWindow) {
    SDL_SetWindowSize(game.window, 1600, 720); // bars left and right
    SDL_Event event;
    game.loopOnce(&event);
    pushKey(SDLK_p);
    game.loopOnce(&event);
    int w = 0;
    int h = 0;
    ASSERT_NE(game.pauseSnapshot, nullptr);
    SDL_QueryTexture(game.pauseSnapshot, nullptr, nullptr, &w, &h);
    EXPECT_EQ(w * SCREEN_H, h * SCREEN_W) << "the held frame has the bars in it: " << w << "x" << h;
}
