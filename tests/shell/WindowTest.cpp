// WindowTest.cpp -- the real game in a real X window (a private Xvfb): what a player sees on
// screen from the start screen on, that WASD moves the carpet, that the scene fits a screen of
// another size without a window manager, full screen and window in turn, and that Escape or a
// close request ends it at once.
#include "shared/AssetNames.h"
#include "shared/GameFacts.h"
#include "support/Checks.h"
#include "support/GameFixture.h"
#include "support/VirtualDisplay.h"

#include <cstdio>
#include <unistd.h>

namespace {

const Uint32 TEXT_COLOUR = packedRgb(HUD_TEXT_COLOR);
// A player's quit ends the game within a second. Under the sanitizers the process then scans
// its whole heap for leaks, a third of a second more on a quiet machine.
#ifdef VORLUSK_SANITIZED
constexpr double QUICK_EXIT_MS = 2500.0;
#else
constexpr double QUICK_EXIT_MS = 1000.0;
#endif
// Small colour differences are allowed where the X server's renderer rounds differently.
constexpr int TOLERANCE = 6;
// Rows clear of the HUD, the ship and the aliens' top and bottom lanes.
constexpr int CARPET_ROWS_TOP = 460;
constexpr int CARPET_ROWS_BOTTOM = 640;

// The share of sampled pixels below the HUD that show the carpet at its starting spot.
double carpetAtStartShare(const CPicture& shot, const CPicture& carpet) {
    long compared = 0;
    long matching = 0;
    for (int y = 120; y < SCREEN_H; y += 3) {
        for (int x = 0; x < SCREEN_W; x += 3) {
            ++compared;
            matching += nearColour(shot.at(x, y), carpet.at(CARPET_START_X + x, CARPET_START_Y + y),
                                   TOLERANCE);
        }
    }
    return static_cast<double>(matching) / compared;
}

// The start screen's last line, "Enter, Space or A: fly", near the bottom of a scene shown
// `w` x `h` in the middle of the screen.
long flyLinePixels(const CPicture& shot, int w, int h) {
    const int left = (shot.w - w) / 2;
    const int top = (shot.h - h) / 2;
    long count = 0;
    for (int y = top + h * 630 / SCREEN_H; y < top + h * 700 / SCREEN_H; ++y) {
        for (int x = left + w / 3; x < left + 2 * w / 3; ++x) {
            count += nearColour(shot.at(x, y), TEXT_COLOUR, TOLERANCE) ? 1 : 0;
        }
    }
    return count;
}

long hudTextPixels(const CPicture& shot) {
    long count = 0;
    for (int y = 5; y < 110; ++y) {
        for (int x = 0; x < 300; ++x) {
            count += nearColour(shot.at(x, y), TEXT_COLOUR, TOLERANCE) ? 1 : 0;
        }
    }
    return count;
}

// The share of the ship image's opaque pixels seen at the centre of the screen.
double shipShare(const CPicture& shot, const CPicture& ship) {
    const int left = (SCREEN_W - ship.w) / 2;
    const int top = (SCREEN_H - ship.h) / 2;
    long opaque = 0;
    long matching = 0;
    for (int y = 0; y < ship.h; ++y) {
        for (int x = 0; x < ship.w; ++x) {
            if (ship.at(x, y) >> 24 == 0xFF) {
                ++opaque;
                matching += nearColour(shot.at(left + x, top + y), ship.at(x, y), TOLERANCE);
            }
        }
    }
    return opaque > 0 ? static_cast<double>(matching) / opaque : 0;
}

// The share of the carpet rows in `after` that show `before` moved right by `shift` pixels.
double shiftedShare(const CPicture& before, const CPicture& after, int shift) {
    long compared = 0;
    long matching = 0;
    for (int y = CARPET_ROWS_TOP; y < CARPET_ROWS_BOTTOM; y += 4) {
        for (int x = shift; x < SCREEN_W; x += 2) {
            ++compared;
            matching += nearColour(after.at(x, y), before.at(x - shift, y), TOLERANCE) ? 1 : 0;
        }
    }
    return compared > 0 ? static_cast<double>(matching) / compared : 0;
}

} // namespace

class WindowTest : public ::testing::Test {
  protected:
    CVirtualDisplay display;

    void SetUp() override { startOn("1280x720"); }

    void startOn(const std::string& size) {
        for (const char* tool : {"Xvfb", "import", "xdotool"}) {
            if (runCommand(std::string("command -v ") + tool).status != 0) {
                GTEST_SKIP() << "SKIPPED the window tests: " << tool
                             << " is not installed (packages xvfb, imagemagick, xdotool; "
                                "`make test` installs them)";
            }
        }
        std::string reason;
        if (!display.start(&reason, size)) {
            GTEST_SKIP() << "SKIPPED the window tests: no X server to be had: " << reason;
        }
        ASSERT_TRUE(display.startGame());
    }

    void TearDown() override {
        if (HasFailure()) {
            std::printf("Screenshots and logs kept in %s\n", display.folder.c_str());
        } else if (!display.folder.empty()) {
            runCommand("rm -rf '" + display.folder + "'");
        }
    }

    // Checks that the game ended with status 0 within a second of `sentMs`.
    void expectQuickExit(double sentMs, const char* after) {
        int status = -2;
        double endedMs = 0;
        ASSERT_TRUE(display.waitForGame(5000, &status, &endedMs))
            << "the game still runs 5 s after " << after;
        EXPECT_EQ(status, 0) << display.gameOutput();
        EXPECT_LT(endedMs - sentMs, QUICK_EXIT_MS)
            << "the game took that long to end after " << after;
        std::printf("The game ended %.0f ms after %s.\n", endedMs - sentMs, after);
    }
};

TEST_F(WindowTest, ShowsTheCarpetTextsAndShipFollowsTheArrowKeysAndEndsOnEscape) {
    CPicture carpet;
    CPicture ship;
    ASSERT_TRUE(loadPicture(std::string(VORLUSK_DATA_DIR "/") + CARPET_IMAGE, &carpet));
    ASSERT_TRUE(loadPicture(std::string(VORLUSK_DATA_DIR "/") + SHIP_IMAGE, &ship));

    // The start screen, for as long as the player likes: the flight waits for Enter.
    CPicture shot;
    double started = steadyMs();
    bool startScreen = false;
    while (!startScreen && steadyMs() - started < 10000 && display.gameRunning()) {
        ASSERT_TRUE(display.screenshot(&shot));
        startScreen = flyLinePixels(shot, SCREEN_W, SCREEN_H) > 300;
    }
    ASSERT_TRUE(startScreen) << "no start screen; " << display.gameOutput();
    sleep(1);
    ASSERT_TRUE(display.screenshot(&shot));
    ASSERT_GT(flyLinePixels(shot, SCREEN_W, SCREEN_H), 300) << "the flight began by itself";
    ASSERT_EQ(display.run("xdotool key Return"), 0);

    // The flight waits two seconds before the ship arrives: a screenshot in that time shows
    // the bare carpet at its starting spot, whole, with the three texts.
    started = steadyMs();
    bool waiting = false;
    while (!waiting && steadyMs() - started < 10000 && display.gameRunning()) {
        ASSERT_TRUE(display.screenshot(&shot));
        waiting = carpetAtStartShare(shot, carpet) > 0.99 && hudTextPixels(shot) > 300;
    }
    ASSERT_TRUE(waiting) << "no screenshot showed the waiting screen; " << display.gameOutput();

    // Then the arrival, and the ship settles at the centre of the screen.
    double share = 0;
    while (share < 0.95 && steadyMs() - started < 14000) {
        usleep(100000);
        ASSERT_TRUE(display.screenshot(&shot));
        share = shipShare(shot, ship);
    }
    ASSERT_GE(share, 0.95) << "the ship is not at the centre";

    // Thrusting left (A, the key where WASD has it) slides the carpet to the right under the
    // ship.
    CPicture before;
    CPicture after;
    ASSERT_TRUE(display.screenshot(&before));
    ASSERT_EQ(display.run("xdotool keydown a"), 0);
    usleep(500000);
    ASSERT_TRUE(display.screenshot(&after));
    ASSERT_EQ(display.run("xdotool keyup a"), 0);
    int bestShift = 0;
    double bestShare = 0;
    for (int shift = 1; shift <= 900; ++shift) {
        double candidate = shiftedShare(before, after, shift);
        if (candidate > bestShare) {
            bestShare = candidate;
            bestShift = shift;
        }
    }
    std::printf("The carpet moved %d pixels to the right (%.1f %% of the compared pixels).\n",
                bestShift, 100 * bestShare);
    EXPECT_LT(shiftedShare(before, after, 0), 0.5) << "the carpet did not move";
    EXPECT_GE(bestShare, 0.85) << "no shift to the right explains the second screenshot";

    double sentMs = steadyMs();
    ASSERT_EQ(display.run("xdotool key Escape"), 0);
    expectQuickExit(sentMs, "Escape");
}

TEST_F(WindowTest, CloseRequestEndsTheGameWithStatusZeroWithinOneSecond) {
    unsigned long window = 0;
    for (double deadline = steadyMs() + 10000; window == 0 && steadyMs() < deadline;) {
        usleep(100000);
        window = display.gameWindow();
    }
    ASSERT_NE(window, 0ul) << "no viewable window titled Vorlusk";
    // Into the game's loop, past its loading; SDL may have made its window anew meanwhile, for
    // the renderer's visual.
    sleep(2);
    window = display.gameWindow();
    double sentMs = steadyMs();
    std::string reason;
    if (!display.requestClose(window, &reason)) {
        GTEST_SKIP() << "SKIPPED: " << reason;
    }
    expectQuickExit(sentMs, "the close request");
}

class SmallScreenTest : public WindowTest {
  protected:
    void SetUp() override { startOn("1024x768"); }

    // The game's window as the X server has it.
    std::string windowSize() {
        unsigned long window = display.gameWindow();
        return window == 0
                   ? ""
                   : display.output("xdotool getwindowgeometry --shell " + std::to_string(window) +
                                    " | grep -E 'WIDTH|HEIGHT' | tr '\\n' ' '");
    }
};

TEST_F(SmallScreenTest, WithoutAWindowManagerTheWholeSceneFitsAndF11AndAltEnterSwitch) {
    // 1024x768 with no window manager: the scene is 1024x576 between black bars of 96 rows.
    CPicture shot;
    bool shown = false;
    for (double started = steadyMs(); !shown && steadyMs() - started < 10000;) {
        ASSERT_TRUE(display.screenshot(&shot));
        shown = flyLinePixels(shot, 1024, 576) > 150;
    }
    ASSERT_TRUE(shown) << "the start screen's last line is not where the scaled scene has it; "
                       << display.gameOutput();
    long barPixels = 0;
    long darkBarPixels = 0;
    for (int y : {0, 50, 95, 672, 720, 767}) {
        for (int x = 0; x < shot.w; x += 7) {
            ++barPixels;
            darkBarPixels += nearColour(shot.at(x, y), 0, 2) ? 1 : 0;
        }
    }
    EXPECT_EQ(darkBarPixels, barPixels) << "no black bars above and below the scene";

    // F11: a window, smaller than the screen; Alt+Enter: the whole screen again.
    ASSERT_EQ(display.run("xdotool key F11"), 0);
    usleep(500000);
    EXPECT_NE(windowSize(), "WIDTH=1024 HEIGHT=768 ");
    EXPECT_NE(readFile(std::string(getenv("XDG_CONFIG_HOME")) + "/vorlusk/settings.ini")
                  .find("fullscreen=0"),
              std::string::npos)
        << "the window was not kept for the next start";
    ASSERT_EQ(display.run("xdotool key alt+Return"), 0);
    usleep(500000);
    EXPECT_EQ(windowSize(), "WIDTH=1024 HEIGHT=768 ");
    ASSERT_TRUE(display.screenshot(&shot));
    EXPECT_GT(flyLinePixels(shot, 1024, 576), 150) << "Alt+Enter's Enter started the flight";
    const double sentMs = steadyMs();
    ASSERT_EQ(display.run("xdotool key Escape"), 0);
    expectQuickExit(sentMs, "Escape");
}
