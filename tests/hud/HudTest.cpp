// HudTest.cpp -- the three texts, the blinking banner and its alarm, and no growth over a flight.
#include "hud/Hud.h"
#include "support/Checks.h"
#include "support/GameFixture.h"

#include <cstdio>
#include <unistd.h>

namespace {

// Counts the pixels of exactly `color` inside `area` of what has been drawn.
int countColor(SDL_Renderer* renderer, const SDL_Rect& area, SDL_Color color) {
    std::vector<Uint32> pixels(static_cast<size_t>(area.w) * area.h);
    SDL_RenderReadPixels(renderer, &area, SDL_PIXELFORMAT_RGB888, pixels.data(), area.w * 4);
    Uint32 wanted = (color.r << 16) | (color.g << 8) | color.b;
    int count = 0;
    for (Uint32 p : pixels) {
        count += (p & 0xFFFFFF) == wanted ? 1 : 0;
    }
    return count;
}

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of live heap bytes (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

// What the game holds: its resident size, or under AddressSanitizer, whose quarantine keeps
// freed blocks resident for a while, the heap blocks still allocated.
long heldKilobytes() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    return residentKilobytes();
#endif
}

} // namespace

class HudTest : public GameTest {
  protected:
    void SetUp() override {
        // A real 1280x720 target whose pixels can be read back.
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        GameTest::SetUp();
    }
    void draw() {
        SDL_SetRenderDrawColor(game.renderer, 0, 0, 0, 255);
        SDL_RenderClear(game.renderer);
        game.renderHud();
    }
};

TEST_F(HudTest, ThreeTextsStandInTheCornerAndShowDespiteTheirZeroAlpha) {
    game.speedFactor = 1.0004f;
    game.timeLeft = 101.98f;
    game.score = 1234;
    draw();
    EXPECT_EQ(game.speedRect.x, 5);
    EXPECT_EQ(game.speedRect.y, 5);
    EXPECT_EQ(game.timeRect.x, 5);
    EXPECT_EQ(game.timeRect.y, 40);
    EXPECT_EQ(game.scoreRect.x, 5);
    EXPECT_EQ(game.scoreRect.y, 75);
    int w = 0;
    int h = 0;
    TTF_SizeText(game.font, "Speed: 1.0", &w, &h);
    EXPECT_EQ(game.speedRect.w, w);
    EXPECT_EQ(game.speedRect.h, h);
    TTF_SizeText(game.font, "Time: 102.0", &w, &h);
    EXPECT_EQ(game.timeRect.w, w);
    TTF_SizeText(game.font, "Score: 1234", &w, &h);
    EXPECT_EQ(game.scoreRect.w, w);

    // The stored alpha is 0, yet every text comes out in its colour.
    EXPECT_EQ(game.textColor.a, 0);
    EXPECT_GT(countColor(game.renderer, game.speedRect, game.textColor), 50);
    EXPECT_GT(countColor(game.renderer, game.timeRect, game.textColor), 50);
    EXPECT_GT(countColor(game.renderer, game.scoreRect, game.textColor), 50);
    EXPECT_EQ(countColor(game.renderer, game.timeRect, game.warningColor), 0);
}

TEST_F(HudTest, TimeTurnsToTheWarningColourWhileWarning) {
    game.timeLeft = 0.0f;
    game.warningActive = true;
    draw();
    int w = 0;
    int h = 0;
    TTF_SizeText(game.font, "Time: 0.0", &w, &h);
    EXPECT_EQ(game.timeRect.w, w);
    EXPECT_GT(countColor(game.renderer, game.timeRect, game.warningColor), 50);
    EXPECT_EQ(countColor(game.renderer, game.timeRect, game.textColor), 0);
    EXPECT_GT(countColor(game.renderer, game.speedRect, game.textColor), 50);
}

TEST_F(HudTest, BannerShowsOnlyInItsVisiblePhaseAndOnlyWhileWarning) {
    game.nextFrameTicks = 7000; // 7000 mod 1000 = 0: visible
    game.warningActive = false;
    draw();
    EXPECT_EQ(countColor(game.renderer, game.warningRect, game.warningColor), 0);
    game.warningActive = true;
    draw();
    EXPECT_GT(countColor(game.renderer, game.warningRect, game.warningColor), 100);
    game.nextFrameTicks = 7499;
    draw();
    EXPECT_GT(countColor(game.renderer, game.warningRect, game.warningColor), 100);
    game.nextFrameTicks = 7500; // hidden half
    draw();
    EXPECT_EQ(countColor(game.renderer, game.warningRect, game.warningColor), 0);
}

TEST_F(HudTest, AlarmSoundsOncePerVisiblePhase) {
    game.warningActive = true;
    game.nextFrameTicks = 20000;
    int starts = 0;
    int shownFrames = 0;
    for (int frame = 0; frame < 150; ++frame) { // three seconds of frames
        int before = channelsPlaying(game.sndThrustAlarm);
        draw();
        starts += channelsPlaying(game.sndThrustAlarm) > before ? 1 : 0;
        shownFrames += game.nextFrameTicks % 1000 < 500 ? 1 : 0;
        if (frame == 10) {
            // Nothing sounds again within the phase, even once the first alarm has ended.
            Mix_HaltChannel(-1);
        }
        game.nextFrameTicks += FRAME_MS;
    }
    EXPECT_EQ(shownFrames, 75); // 25 on, 25 off
    EXPECT_EQ(starts, 3);

    // The warning itself switched on mid-phase sounds the alarm at once.
    Mix_HaltChannel(-1);
    game.warningActive = false;
    game.nextFrameTicks = 30000;
    draw();
    EXPECT_EQ(channelsPlaying(game.sndThrustAlarm), 0);
    game.warningActive = true;
    game.nextFrameTicks = 30100;
    int before = channelsPlaying(game.sndThrustAlarm);
    draw();
    EXPECT_EQ(channelsPlaying(game.sndThrustAlarm), before + 1);
}

TEST_F(HudTest, BlinkFollowsTheFrameScheduleNotTheWallClock) {
    game.warningActive = true;
    game.nextFrameTicks = 40000;
    draw();
    SDL_Delay(600); // a late frame: the real clock moves into the hidden half
    draw();
    EXPECT_GT(countColor(game.renderer, game.warningRect, game.warningColor), 100);
}

TEST_F(GameTest, TextsAreReplacedNotPiledUpOverALongFlight) {
    game.thrustX = 7;
    for (int frame = 0; frame < 500; ++frame) {
        step();
    }
    long before = heldKilobytes();
    for (int frame = 0; frame < 10000; ++frame) {
        SDL_Surface* oldSurface = game.scoreSurface;
        step();
        ASSERT_NE(game.scoreSurface, nullptr);
        if (frame == 0) {
            EXPECT_NE(game.scoreSurface, oldSurface);
        }
        setJetTimers(0); // keep the flight going through the whole run
    }
    long after = heldKilobytes();
    RecordProperty("resident_kb_before", static_cast<int>(before));
    RecordProperty("resident_kb_after", static_cast<int>(after));
    std::printf("memory held: %ld kB before, %ld kB after 10000 frames\n", before, after);
    EXPECT_LT(after - before, 1024);
}
