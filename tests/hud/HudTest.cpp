// HudTest.cpp -- the three texts, the blinking banner and its alarm, texts kept while unchanged,
// and the end-of-flight lines.
#include "hud/Hud.h"
#include "hud/Overlay.h"
#include "support/Checks.h"
#include "support/GameFixture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

Uint32 rgb(SDL_Color c) {
    return static_cast<Uint32>(c.r << 16 | c.g << 8 | c.b);
}

// Relative luminance of 0xRRGGBB, as contrast ratios are reckoned.
double luminance(Uint32 p) {
    auto linear = [](Uint32 v) {
        double c = v / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(p >> 16 & 0xFF) + 0.7152 * linear(p >> 8 & 0xFF) +
           0.0722 * linear(p & 0xFF);
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

TEST_F(HudTest, TextsStandInTheCornerInTheirColoursDespiteTheirZeroAlpha) {
    game.speedFactor = 1.0004f;
    game.timeLeft = 101.98f;
    game.score = 1234;
    draw();
    const char* const texts[3] = {"Speed: 1.0", "Time: 102.0", "Score: 1234"};
    const SDL_Rect* rects[3] = {&game.speedRect, &game.timeRect, &game.scoreRect};
    for (int i = 0; i < 3; ++i) {
        int w = 0;
        int h = 0;
        TTF_SizeText(game.font, texts[i], &w, &h);
        expectRect(*rects[i], HUD_LINE_X, HUD_LINE_Y[i], w, h);
        EXPECT_GT(countColor(game.renderer, *rects[i], game.textColor), 50) << texts[i];
    }
    EXPECT_EQ(game.textColor.a, 0);
    EXPECT_EQ(countColor(game.renderer, game.timeRect, game.warningColor), 0);

    game.timeLeft = 0.0f;
    game.warningActive = true;
    draw();
    EXPECT_GT(countColor(game.renderer, game.timeRect, game.warningColor), 50);
    EXPECT_EQ(countColor(game.renderer, game.timeRect, game.textColor), 0);
}

TEST_F(HudTest, BannerBlinksWithTheScheduleAcrossTheWrapOfA32BitCountAndOnlyWhileWarning) {
    game.nextFrameTicks = 7000; // 7000 mod 1000 = 0: visible
    draw();
    EXPECT_EQ(countColor(game.renderer, game.warningRect, game.warningColor), 0);

    // A schedule restarted after a pause may stand on any millisecond: shown up to 499 of each
    // second, hidden from 500.
    game.warningActive = true;
    for (Uint64 at : {7499, 7500, 7999, 8000}) {
        game.nextFrameTicks = at;
        draw();
        EXPECT_EQ(countColor(game.renderer, game.warningRect, game.warningColor) > 100,
                  at % 1000 == 499 || at % 1000 == 0)
            << at;
    }

    // From 1.3 s before 2^32 ms: phases of exactly 25 frames on and 25 off, on through the wrap,
    // whatever the wall clock says.
    game.nextFrameTicks = (Uint64{1} << 32) - 1300;
    std::vector<int> runs;
    bool last = false;
    for (int frame = 0; frame < 200; ++frame) {
        draw();
        bool shown = countColor(game.renderer, game.warningRect, game.warningColor) > 100;
        if (frame == 0 || shown != last) {
            runs.push_back(0);
        }
        ++runs.back();
        last = shown;
        game.nextFrameTicks += FRAME_MS;
    }
    ASSERT_GE(runs.size(), 4u);
    for (size_t i = 1; i + 1 < runs.size(); ++i) {
        EXPECT_EQ(runs[i], 25) << "phase " << i;
    }
}

TEST_F(HudTest, AlarmSoundsOncePerVisiblePhase) {
    game.warningActive = true;
    game.nextFrameTicks = 20000;
    int starts = 0;
    for (int frame = 0; frame < 150; ++frame) { // three seconds of frames
        int before = channelsPlaying(game.sndThrustAlarm);
        draw();
        starts += channelsPlaying(game.sndThrustAlarm) > before ? 1 : 0;
        if (frame == 10) {
            // Nothing sounds again within the phase, even once the first alarm has ended.
            Mix_HaltChannel(-1);
        }
        game.nextFrameTicks += FRAME_MS;
    }
    EXPECT_EQ(starts, 3);

    // The warning itself switched on mid-phase sounds the alarm at once.
    Mix_HaltChannel(-1);
    game.warningActive = false;
    game.nextFrameTicks = 30000;
    draw();
    EXPECT_EQ(channelsPlaying(game.sndThrustAlarm), 0);
    game.warningActive = true;
    game.nextFrameTicks = 30100;
    draw();
    EXPECT_EQ(channelsPlaying(game.sndThrustAlarm), 1);
}

TEST_F(HudTest, ATextIsRenderedAgainOnlyWhenItChangesAndNothingPilesUp) {
    game.thrustX = 7;
    stepUntilState(Settled); // past the first draws of everything shown before play
    step(5);
    const int allocations = SDL_GetNumAllocations();
    int timeChanges = 0;
    int scoreChanges = 0;
    for (int frame = 0; frame < 40; ++frame) { // before play, so the score stands still
        SDL_Texture* time = game.timeTexture;
        SDL_Texture* score = game.scoreTexture;
        step();
        // The clock's text changes every fifth frame (a tenth of a second); the score's not.
        timeChanges += game.timeTexture != time ? 1 : 0;
        scoreChanges += game.scoreTexture != score ? 1 : 0;
        setJetTimers(0);
    }
    EXPECT_GE(timeChanges, 7);
    EXPECT_LE(timeChanges, 9);
    EXPECT_EQ(scoreChanges, 0);
    EXPECT_EQ(SDL_GetNumAllocations(), allocations);
}

TEST_F(HudTest, FramesAreThePixelsOfClearingAndRenderingEveryTextAnew) {
    // The same flight twice from one seed: first drawn the plain way, the screen cleared and
    // every text rendered anew each frame, then as the game draws it. Every frame must match.
    auto fly = [this](CGame& g, bool plain) {
        std::srand(4242);
        g.timeLeft = 100.3f; // the arrival within a second, play within three
        std::vector<Uint32> sums;
        for (int frame = 0; frame < 176; ++frame) {
            g.thrustX = frame < 150 ? 7 : -7;
            g.thrustY = frame % 100 < 50 ? 4 : 0;
            if (plain) {
                SDL_SetRenderDrawColor(g.renderer, BACKDROP_COLOR.r, BACKDROP_COLOR.g,
                                       BACKDROP_COLOR.b, 255);
                SDL_RenderClear(g.renderer);
                g.speedLine.text[0] = g.timeLine.text[0] = g.scoreLine.text[0] = '\0';
            }
            g.stepFrame();
            if (frame % 16 == 0) {
                Uint32 sum = 0;
                for (Uint32 p : readPixels(g.renderer, {0, 0, SCREEN_W, SCREEN_H})) {
                    sum = sum * 31 + p;
                }
                sums.push_back(sum);
            }
            SDL_RenderPresent(g.renderer);
            g.nextFrameTicks += FRAME_MS;
        }
        return sums;
    };
    const std::vector<Uint32> plain = fly(game, true);
    game.close();
    releaseMixer();
    resetStaticState();
    CGame second;
    useSceneSizedWindow(&second);
    ASSERT_TRUE(second.init());
    const std::vector<Uint32> drawn = fly(second, false);
    second.close();
    game.init(); // for the fixture's teardown
    for (size_t i = 0; i < plain.size(); ++i) {
        ASSERT_EQ(drawn[i], plain[i]) << "frame " << i * 16;
    }
}

TEST_F(HudTest, EndOfFlightLinesReadOverEveryPartOfTheCarpet) {
    game.score = 3730;
    const double text = luminance(rgb(OVERLAY_TEXT_COLOR));
    double worst = 100;
    for (int spot = 0; spot < 24; ++spot) {
        game.background.srcRect.x = spot * CARPET_PERIOD_X / 24;
        game.background.srcRect.y = (spot * 7 % 24) * CARPET_PERIOD_Y / 24;
        game.background.render(game.renderer);
        game.renderEndOfFlight(false);
        // The band beside each line, where nothing but carpet lies under it.
        for (const SDL_Rect& line : game.endRects) {
            ASSERT_GT(line.w, 0);
            for (SDL_Rect side : {SDL_Rect{line.x - 20, line.y, 16, line.h},
                                  SDL_Rect{line.x + line.w + 4, line.y, 16, line.h}}) {
                for (Uint32 p : readPixels(game.renderer, side)) {
                    worst = std::min(worst, (text + 0.05) / (luminance(p) + 0.05));
                }
            }
        }
    }
    std::printf("worst contrast of the end-of-flight text against its band: %.2f\n", worst);
    EXPECT_GE(worst, 4.5);
    // How the flight ended over the hint, 6 pixels below it.
    int w = 0;
    int h = 0;
    TTF_SizeUTF8(game.font, "Launched away \u2014 Score 3730", &w, &h);
    EXPECT_EQ(game.endRects[0].w, w);
    EXPECT_EQ(game.endRects[1].y, game.endRects[0].y + game.endRects[0].h + 6);
}
