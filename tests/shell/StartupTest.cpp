// StartupTest.cpp -- init from data/: every sprite placed from its loaded size, every sound and
// sheet in place, the scene scaled to the screen; and from an empty folder: the complaints, and
// start-up goes on.
#include "shared/AssetNames.h"
#include "shared/GameFacts.h"
#include "support/Checks.h"
#include "support/GameFixture.h"

#include <SDL_image.h>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

TEST_F(GameTest, StartupOpensTheMediaAndPlacesEverySpriteFromItsLoadedSize) {
    // Each alien waits just beyond its own edge, already moving along it.
    const SDL_Rect* a[4] = {&game.aliens[0].rect, &game.aliens[1].rect, &game.aliens[2].rect,
                            &game.aliens[3].rect};
    expectRect(*a[0], -a[0]->w, (720 - a[0]->h) / 2, a[0]->w, a[0]->h);
    expectRect(*a[1], (1280 - a[1]->w) / 2, -a[1]->h, a[1]->w, a[1]->h);
    expectRect(*a[2], 1280, (720 - a[2]->h) / 2, a[2]->w, a[2]->h);
    expectRect(*a[3], (1280 - a[3]->w) / 2, 720, a[3]->w, a[3]->h);
    const int velocities[4][2] = {{0, -3}, {6, 0}, {0, 3}, {-6, 0}};
    std::vector<const CPlayer*> sprites = {&game.ship};
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(game.aliens[d].velX, velocities[d][0]);
        EXPECT_EQ(game.aliens[d].velY, velocities[d][1]);
        EXPECT_TRUE(game.aliens[d].bounded);
        EXPECT_EQ(game.aliens[d].state, Entering);
        sprites.push_back(&game.aliens[d]);
        for (const CPlayer& fireball : game.fireballs[d]) {
            expectRect(fireball.rect, -1280, -720, fireball.rect.w, fireball.rect.h);
            EXPECT_FALSE(fireball.bounded);
            sprites.push_back(&fireball);
        }
        for (auto& variant : game.flames[d]) {
            for (const CPlayer& jet : variant) {
                expectRect(jet.rect, 594, 309, 92, 101);
                sprites.push_back(&jet);
            }
        }
    }
    // Each sprite holds a copy of its own, the ten fireballs of a row too.
    for (const CPlayer* sprite : sprites) {
        EXPECT_NE(sprite->texture, nullptr) << sprite->path;
    }
    EXPECT_NE(game.fireballs[0][0].texture, game.fireballs[0][1].texture);
    expectRect(game.ship.rect, 594, 309, 92, 101);

    // The banner: centred, its bottom edge on the ship's top edge.
    const SDL_Rect& banner = game.warningRect;
    EXPECT_GT(banner.w, 0);
    EXPECT_EQ(banner.x, (1280 - banner.w) / 2);
    EXPECT_EQ(banner.y + banner.h, 309);

    expectRect(game.background.destRect, 0, 0, 1280, 720);
    expectRect(game.background.srcRect, 3165, 1300, 1280, 720);
    EXPECT_GT(game.background.rect.w - 1280, 3165); // the first window lies inside the wrap
    EXPECT_GT(game.background.rect.h - 720, 1300);
    expectRect(game.boostRect, 1280, 309, 221, 101);
    expectRect(game.crashRect, 564, 284, 152, 152);
    EXPECT_EQ(game.boostSheet.frameCount, 12);
    EXPECT_EQ(game.crashSheet.frameCount, 48);
    EXPECT_NE(game.boostSheet.texture, nullptr);
    EXPECT_NE(game.crashSheet.texture, nullptr);

    EXPECT_NE(game.window, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(game.window), "Vorlusk");
    EXPECT_NE(game.renderer, nullptr);
    EXPECT_NE(game.font, nullptr);
    EXPECT_NE(game.music, nullptr);
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_EQ(Mix_AllocateChannels(-1), 16);
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    EXPECT_EQ(frequency, AUDIO_FREQUENCY);
    EXPECT_EQ(format, AUDIO_SAMPLE_FORMAT);
    EXPECT_EQ(channels, AUDIO_CHANNELS);
    for (Mix_Chunk* chunk :
         {game.sndAlienShot, game.sndAlienHit, game.sndThrustBase, game.sndThrustFade,
          game.sndThrustRoar, game.sndThrustAlarm, game.sndShipExplosion, game.sndShipCrash}) {
        EXPECT_NE(chunk, nullptr);
    }
    EXPECT_EQ(game.joystick, nullptr); // none attached here
    EXPECT_EQ(game.state, Waiting);
    EXPECT_FLOAT_EQ(game.timeLeft, FLIGHT_START.timeLeft);
    EXPECT_FLOAT_EQ(game.speedFactor, FLIGHT_START.speedFactor);
    EXPECT_EQ(game.score, FLIGHT_START.score);
    EXPECT_EQ(game.textColor.a, 0);
}

TEST(Startup, MissingAssetsAreReportedAndStartupGoesOn) {
    resetStaticState();
    char folder[] = "/tmp/vorlusk-empty-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    char previous[1024];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder), 0);

    CGame game;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    bool started = game.init();
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    ASSERT_EQ(chdir(previous), 0);
    rmdir(folder);
    ASSERT_TRUE(started);
    EXPECT_TRUE(SDL_GetWindowFlags(game.window) & SDL_WINDOW_FULLSCREEN);

    EXPECT_EQ(out, "Bad load of Boost animation file\nBad load of crash animation file\n");
    for (const std::string& path :
         {std::string(ALIEN_IMAGE_PREFIX) + DIRECTION_IMAGE_SUFFIX[0],
          std::string(FIREBALL_IMAGE_PREFIX) + DIRECTION_IMAGE_SUFFIX[3], std::string(SHIP_IMAGE),
          std::string(JET_IMAGE_PREFIX[Heal]) + JET_DIRECTION_DIGIT[3] + JET_IMAGE_SUFFIX[1],
          std::string(CARPET_IMAGE), std::string(BOOST_SHEET_IMAGE),
          std::string(CRASH_SHEET_IMAGE)}) {
        EXPECT_NE(err.find(std::string("Couldn't load ") + path + ": "), std::string::npos) << path;
    }
    // 69 sprites, the carpet and two sheets, each one complaint without a line end.
    size_t complaints = 0;
    for (size_t at = err.find("Couldn't load "); at != std::string::npos;
         at = err.find("Couldn't load ", at + 1)) {
        ++complaints;
    }
    EXPECT_EQ(complaints, 72u);

    // Sizes stay 0, and the placement formulas use them all the same.
    expectRect(game.aliens[0].rect, 0, 360, 0, 0);
    expectRect(game.aliens[2].rect, 1280, 360, 0, 0);
    expectRect(game.ship.rect, 640, 360, 0, 0);
    expectRect(game.boostRect, 1280, 360 - 50, 221, 101);
    expectRect(game.crashRect, 640 - 76, 360 - 76, 152, 152);
    expectRect(game.background.srcRect, 3165, 1300, 1280, 720);
    EXPECT_EQ(game.font, nullptr);
    EXPECT_EQ(game.music, nullptr);
    EXPECT_EQ(game.sndThrustRoar, nullptr);

    // Where the carpet would be, the frame's grey shows.
    game.stepFrame();
    SDL_Rect one = {640, 600, 1, 1};
    Uint32 pixel = 0;
    SDL_RenderReadPixels(game.renderer, &one, SDL_PIXELFORMAT_RGB888, &pixel, 4);
    EXPECT_EQ(pixel & 0xFFFFFF, packedRgb(BACKDROP_COLOR));

    // A whole flight without a single asset neither crashes nor stalls: every state, the clock
    // cut short where it only counts down.
    game.thrustX = 7;
    for (int frame = 0; frame < 500 && game.state != Finished; ++frame) {
        if (frame == 250) {
            game.timeLeft = 1.0f;
        }
        game.stepFrame();
        game.nextFrameTicks += FRAME_MS;
    }
    EXPECT_EQ(game.state, Finished);
    game.close();
    releaseMixer();
}

// The start screen: the title, four lines of help, the best five flights under their heading
// when there are any, and how to fly.
TEST_F(GameTest, TheStartScreenListsTheBestFiveFlights) {
    game.initShell();
    for (int count : {0, 7}) {
        game.scores.count = count;
        game.makeStartScreen();
        EXPECT_EQ(game.startLines, count == 0 ? 6 : 12);
        EXPECT_NE(game.startTextures[game.startLines - 1], nullptr);
    }
}

TEST_F(GameTest, TheSceneIsScaledWholeIntoAScreenOfAnotherShape) {
    // The dummy driver's screen is 1024x768: in full screen the scene shrinks to 1024x576
    // between black bars of 96 rows, rather than losing its right quarter.
    game.toggleFullscreen();
    int w = 0;
    int h = 0;
    SDL_GetRendererOutputSize(game.renderer, &w, &h);
    ASSERT_EQ(w, 1024);
    ASSERT_EQ(h, 768);
    step();
    SDL_RenderSetLogicalSize(game.renderer, 0, 0);
    SDL_RenderSetScale(game.renderer, 1.0f, 1.0f);
    SDL_RenderSetViewport(game.renderer, nullptr);
    std::vector<Uint32> shown(static_cast<size_t>(w) * h);
    SDL_RenderReadPixels(game.renderer, nullptr, SDL_PIXELFORMAT_RGB888, shown.data(), w * 4);
    SDL_Surface* loaded = IMG_Load(CARPET_IMAGE);
    ASSERT_NE(loaded, nullptr);
    SDL_Surface* carpet = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(carpet, nullptr);
    auto carpetAt = [carpet](int x, int y) {
        return static_cast<const Uint32*>(carpet->pixels)[y * carpet->pitch / 4 + x] & 0xFFFFFF;
    };
    long barPixels = 0;
    long matching = 0;
    long compared = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; x += 3) {
            Uint32 p = shown[static_cast<size_t>(y) * w + x] & 0xFFFFFF;
            if (y < 96 || y >= 672) {
                barPixels += p == 0 ? 1 : 0;
                continue;
            }
            // Each shown pixel is one of the carpet's, a quarter again as far from the corner.
            int cx = CARPET_START_X + x * 5 / 4;
            int cy = CARPET_START_Y + (y - 96) * 5 / 4;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy) {
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    found = carpetAt(cx + dx, cy + dy) == p;
                }
            }
            ++compared;
            matching += found ? 1 : 0;
        }
    }
    SDL_FreeSurface(carpet);
    EXPECT_EQ(barPixels, 192L * ((w + 2) / 3));
    EXPECT_GT(matching * 100, compared * 97) << matching << " of " << compared;
}
