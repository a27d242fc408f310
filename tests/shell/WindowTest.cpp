// WindowTest.cpp -- the real game in a real X window (a private Xvfb): what a player sees on
// screen, and that Escape or a window close request ends it at once.
#include "support/VirtualDisplay.h"

#include "sprites/Player.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

const Uint32 TEXT_COLOUR = 0x52C5FF; // (82, 197, 255)
// Where the carpet window starts, in the carpet image, until the first thrust moves it.
constexpr int CARPET_START_X = 3165;
constexpr int CARPET_START_Y = 1300;
// The three HUD lines start at x 5 and y 5, 40 and 75; a line of the font is under 35 pixels.
constexpr int HUD_LINE_TOP[3] = {5, 40, 75};
constexpr int HUD_LINE_HEIGHT = 35;
constexpr int HUD_WIDTH = 400;
// Rows clear of the HUD, the ship and the aliens' top and bottom lanes.
constexpr int CARPET_ROWS_TOP = 460;
constexpr int CARPET_ROWS_BOTTOM = 640;
constexpr int MAX_SHIFT = 900;
// Small colour differences are allowed where the X server's renderer rounds differently.
constexpr int TOLERANCE = 6;

// How a screenshot compares with the Waiting screen: the carpet at its start spot everywhere
// but the texts.
struct WaitingLook {
    long carpetMismatches = 0;
    long textPixels[3] = {0, 0, 0};
    long strayTextPixels = 0;
};

WaitingLook lookForWaiting(const CPicture& shot, const CPicture& carpet) {
    WaitingLook look;
    for (int y = 0; y < SCREEN_H; ++y) {
        for (int x = 0; x < SCREEN_W; ++x) {
            Uint32 seen = shot.at(x, y);
            if (nearColour(seen, carpet.at(CARPET_START_X + x, CARPET_START_Y + y), TOLERANCE)) {
                continue;
            }
            if (!nearColour(seen, TEXT_COLOUR, TOLERANCE)) {
                ++look.carpetMismatches;
                continue;
            }
            int line = -1;
            for (int i = 0; i < 3; ++i) {
                if (x < HUD_WIDTH && y >= HUD_LINE_TOP[i] &&
                    y < HUD_LINE_TOP[i] + HUD_LINE_HEIGHT) {
                    line = i;
                }
            }
            if (line >= 0) {
                ++look.textPixels[line];
            } else {
                ++look.strayTextPixels;
            }
        }
    }
    return look;
}

bool isWaitingScreen(const WaitingLook& look) {
    const long pixels = static_cast<long>(SCREEN_W) * SCREEN_H;
    return look.carpetMismatches * 1000 < pixels && look.textPixels[0] > 100 &&
           look.textPixels[1] > 100 && look.textPixels[2] > 100 && look.strayTextPixels < 20;
}

// The share of the ship image's opaque pixels seen at the centre of the screen. Pixels of the
// colour key (the image's first pixel) and blended edges do not count.
double shipShare(const CPicture& shot, const CPicture& ship) {
    const int left = (SCREEN_W - ship.w) / 2;
    const int top = (SCREEN_H - ship.h) / 2;
    const Uint32 key = ship.at(0, 0);
    long opaque = 0;
    long matching = 0;
    for (int y = 0; y < ship.h; ++y) {
        for (int x = 0; x < ship.w; ++x) {
            Uint32 pixel = ship.at(x, y);
            if (pixel >> 24 != 0xFF || pixel == key) {
                continue;
            }
            ++opaque;
            matching += nearColour(shot.at(left + x, top + y), pixel, TOLERANCE) ? 1 : 0;
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

// A window that has only been mapped is one flat colour; a frame of the game is not.
bool showsAFrame(const CPicture& shot) {
    const Uint32 first = shot.at(0, 0);
    long different = 0;
    for (Uint32 pixel : shot.pixels) {
        different += nearColour(pixel, first, TOLERANCE) ? 0 : 1;
    }
    return different * 10 > static_cast<long>(shot.pixels.size());
}

class WindowTest : public ::testing::Test {
  protected:
    CVirtualDisplay display;
    CGameProcess game;
    std::string shotFolder;
    std::vector<std::string> shots;
    double startedMs = 0;

    void SetUp() override {
        for (const char* tool : {"Xvfb", "import", "xdotool"}) {
            if (!onPath(tool)) {
                GTEST_SKIP() << "SKIPPED the window tests: " << tool
                             << " is not installed (packages xvfb, imagemagick, xdotool; "
                                "`make test` installs them)";
            }
        }
        std::string reason;
        if (!display.start(&reason)) {
            GTEST_SKIP() << "SKIPPED the window tests: no X server to be had: " << reason;
        }
        char folder[] = "/tmp/vorlusk-window-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        shotFolder = folder;
        startedMs = steadyMs();
        ASSERT_TRUE(game.start(display.name()));
    }

    void TearDown() override {
        if (shotFolder.empty()) {
            return;
        }
        // The screenshots stay for a look when something failed.
        if (HasFailure()) {
            std::printf("Screenshots kept in %s\n", shotFolder.c_str());
            return;
        }
        for (const std::string& shot : shots) {
            std::remove(shot.c_str());
        }
        rmdir(shotFolder.c_str());
    }

    // Takes a screenshot of the whole screen; false if it could not be taken or read.
    bool shoot(CPicture* picture) {
        std::string path = shotFolder + "/shot-" + std::to_string(shots.size()) + ".png";
        shots.push_back(path);
        return display.screenshot(path) && loadPicture(path, picture) && picture->w == SCREEN_W &&
               picture->h == SCREEN_H;
    }

    const std::string& lastShot() const { return shots.back(); }

    // Takes screenshots until the game has drawn a frame, or `timeoutMs` after the start.
    bool waitForFrame(CPicture* shot, double timeoutMs) {
        while (steadyMs() - startedMs < timeoutMs) {
            if (game.running() && shoot(shot) && showsAFrame(*shot)) {
                return true;
            }
            usleep(50000);
        }
        return false;
    }

    // Checks that the game ended with status 0 within a second of `sentMs`.
    void expectQuickExit(double sentMs, const char* after) {
        int status = -2;
        double endedMs = 0;
        ASSERT_TRUE(game.waitForExit(5000, &status, &endedMs))
            << "the game still runs 5 s after " << after;
        EXPECT_EQ(status, 0) << game.output();
        EXPECT_LT(endedMs - sentMs, 1000.0) << "the game took that long to end after " << after;
        std::printf("The game ended %.0f ms after %s.\n", endedMs - sentMs, after);
    }
};

} // namespace

TEST_F(WindowTest, ShowsCarpetAndTextsThenTheShipAndTheCarpetFollowsTheArrowKeys) {
    CPicture carpet;
    CPicture ship;
    ASSERT_TRUE(loadPicture(VORLUSK_DATA_DIR "/Sprite_Sheet/BG_Carpet.jpg", &carpet));
    ASSERT_TRUE(loadPicture(VORLUSK_DATA_DIR "/Sprite_Sheet/SpaceShipB.png", &ship));

    // The flight waits two seconds before the ship arrives: one of the first frames must show
    // the bare carpet with the three texts.
    CPicture shot;
    ASSERT_TRUE(waitForFrame(&shot, 10000)) << "no frame of the game on screen";
    WaitingLook look = lookForWaiting(shot, carpet);
    while (!isWaitingScreen(look) && shipShare(shot, ship) < 0.5 &&
           steadyMs() - startedMs < 10000) {
        ASSERT_TRUE(shoot(&shot));
        look = lookForWaiting(shot, carpet);
    }
    EXPECT_TRUE(isWaitingScreen(look))
        << "no screenshot showed the waiting screen; the last, " << lastShot() << ", has "
        << look.carpetMismatches << " pixels off the carpet, " << look.textPixels[0] << ", "
        << look.textPixels[1] << " and " << look.textPixels[2] << " text pixels in the lines, "
        << look.strayTextPixels << " elsewhere";

    // Then the arrival, and the ship settles at the centre of the screen.
    double share = shipShare(shot, ship);
    while (share < 0.95 && steadyMs() - startedMs < 12000) {
        usleep(100000);
        ASSERT_TRUE(shoot(&shot));
        share = shipShare(shot, ship);
    }
    ASSERT_GE(share, 0.95) << "the ship is not at the centre of " << lastShot();

    // Thrusting left slides the carpet to the right under the ship.
    CPicture before;
    CPicture after;
    ASSERT_TRUE(shoot(&before));
    ASSERT_EQ(display.run("xdotool keydown Left"), 0);
    usleep(500000);
    ASSERT_TRUE(shoot(&after));
    ASSERT_EQ(display.run("xdotool keyup Left"), 0);
    int bestShift = 0;
    double bestShare = 0;
    for (int shift = 1; shift <= MAX_SHIFT; ++shift) {
        double candidate = shiftedShare(before, after, shift);
        if (candidate > bestShare) {
            bestShare = candidate;
            bestShift = shift;
        }
    }
    double unmovedShare = shiftedShare(before, after, 0);
    std::printf("The carpet moved %d pixels to the right: %.1f %% of the compared pixels agree "
                "then, %.1f %% unmoved.\n",
                bestShift, 100 * bestShare, 100 * unmovedShare);
    EXPECT_LT(unmovedShare, 0.5) << "the carpet did not move";
    EXPECT_GE(bestShare, 0.85) << "no shift to the right turns " << shots[shots.size() - 2]
                               << " into " << lastShot();
}

TEST_F(WindowTest, EscapeEndsTheGameWithStatusZeroWithinOneSecond) {
    CPicture shot;
    ASSERT_TRUE(waitForFrame(&shot, 10000)) << "no frame of the game on screen";
    double sentMs = steadyMs();
    ASSERT_EQ(display.run("xdotool key Escape"), 0);
    expectQuickExit(sentMs, "Escape");
}

TEST_F(WindowTest, CloseRequestEndsTheGameWithStatusZeroWithinOneSecond) {
    if (!hasXlib()) {
        GTEST_SKIP() << "SKIPPED: this build has no Xlib to send the close request "
                        "(package libx11-dev)";
    }
    CPicture shot;
    ASSERT_TRUE(waitForFrame(&shot, 10000)) << "no frame of the game on screen";
    unsigned long window = display.findWindow("Vorlusk");
    ASSERT_NE(window, 0ul) << "no viewable window titled Vorlusk";
    double sentMs = steadyMs();
    std::string reason;
    ASSERT_TRUE(display.requestClose(window, &reason)) << reason;
    expectQuickExit(sentMs, "the close request");
}
