// PauseTest.cpp -- P and the window's focus pause the flight; nothing steps, the sound holds,
// "Paused" shows over the held frame, and the flight goes on without a burst of frames.
#include "hud/Overlay.h"
#include "support/Checks.h"
#include "support/GameFixture.h"

namespace {

void pushKey(SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

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
    }
};

TEST_F(PauseTest, PausedByKeyOrFocusNothingStepsAndResumingStartsTheScheduleAfresh) {
    ASSERT_FALSE(game.hadFocus); // a headless window never has it
    SDL_Event event;
    game.nextFrameTicks = game.gameTicks() + FRAME_MS;
    game.loopOnce(&event);
    const float before = game.timeLeft;

    // The frame in progress when P arrives is the one held.
    pushKey(SDLK_p);
    game.loopOnce(&event);
    EXPECT_EQ(game.pauseReason, PausedByKey);
    const float held = game.timeLeft;
    EXPECT_LT(held, before);
    EXPECT_EQ(Mix_PausedMusic(), 1);
    for (int pass = 0; pass < 3; ++pass) {
        game.loopOnce(&event);
    }
    EXPECT_EQ(game.timeLeft, held);
    EXPECT_GT(countColor(game.renderer, game.pausedRect, OVERLAY_TEXT_COLOR), 50)
        << "no \"Paused\" on screen";

    // A second late while paused is not made up for afterwards.
    SDL_Delay(300);
    pushKey(SDLK_p);
    Uint64 start = game.gameTicks();
    for (int pass = 0; pass < 4; ++pass) {
        game.loopOnce(&event);
    }
    EXPECT_EQ(game.pauseReason, NotPaused);
    EXPECT_EQ(Mix_PausedMusic(), 0);
    EXPECT_LT(game.timeLeft, held);
    // Four frames at their pace take some 80 ms; owing the pause, they would race through.
    EXPECT_GE(game.gameTicks() - start, 40u) << "frames raced to catch up with the pause";

    // Focus pauses only once the window has had it, and coming back resumes only its own pause.
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_LOST); // a window that never had focus
    EXPECT_EQ(game.pauseReason, NotPaused);
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_GAINED);
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(game.pauseReason, PausedByFocus);
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(game.pauseReason, NotPaused);

    // Paused by the player: coming back to the window leaves it paused until P.
    sendKey(game, SDL_KEYDOWN, SDLK_p);
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_LOST);
    sendFocus(game, SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(game.pauseReason, PausedByKey);
    SDL_Event repeat{};
    repeat.type = SDL_KEYDOWN;
    repeat.key.keysym.sym = SDLK_p;
    repeat.key.repeat = 1;
    game.handleEvent(&repeat); // a held P does not flicker the pause
    EXPECT_EQ(game.pauseReason, PausedByKey);
    sendKey(game, SDL_KEYDOWN, SDLK_p);
    EXPECT_EQ(game.pauseReason, NotPaused);
}
