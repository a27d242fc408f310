// PlayerTest.cpp -- CPlayer: the two edge rules of move(), its path field, and the colour key.
#include "sprites/Player.h"
#include "sprites/LoadImage.h"
#include "support/Checks.h"
#include "support/GameFixture.h"
#include "support/SdlVideo.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Each edge's limit is pinned from both sides, on a sprite whose width and height differ so that
// a swapped w and h shows.
TEST(PlayerMove, BoundedBouncesBackAndUnboundedLeavesAPixelPastTheLine) {
    const struct {
        bool bounded;
        int x, y, velX, velY;
        int wantX, wantY, wantVelX, wantVelY, wantState;
    } cases[] = {
        {true, 1175, 10, 4, 0, 1179, 10, 4, 0, 3},     // 1179 is the last x reachable
        {true, 1176, 10, 4, 0, 1176, 10, -4, 0, 3},    // put back, not clamped to 1179
        {true, 1176, 668, 4, 3, 1176, 668, -4, -3, 3}, // both axes at once; 670 is out
        {true, 10, 665, 0, 4, 10, 669, 0, 4, 3},       // 669 is the last y reachable
        {true, -50, 10, 3, 0, -50, 10, -3, 0, 3},      // outside the limits it stays put
        {false, -99, 10, -1, 0, -100, 10, -1, 0, 3},   // x exactly -w: still there
        {false, -100, 10, -1, 0, -101, 10, -1, 0, 0},  // a pixel past it: gone
        {false, 1270, 10, 10, 0, 1280, 10, 10, 0, 3},  // x exactly 1280
        {false, 1271, 10, 10, 0, 1281, 10, 10, 0, 0},  //
        {false, 10, 715, 0, 5, 10, 720, 0, 5, 3},      // y exactly 720
        {false, 10, 720, 0, 1, 10, 721, 0, 1, 0},      //
        {false, 10, -49, 0, -1, 10, -50, 0, -1, 3},    // y exactly -h
        {false, 10, -50, 0, -1, 10, -51, 0, -1, 0},    //
    };
    for (const auto& c : cases) {
        CPlayer p{c.bounded, 3, {}, {c.x, c.y, 100, 50}, c.velX, c.velY};
        p.move();
        EXPECT_EQ((std::vector<int>{p.rect.x, p.rect.y, p.velX, p.velY, p.state}),
                  (std::vector<int>{c.wantX, c.wantY, c.wantVelX, c.wantVelY, c.wantState}))
            << "from (" << c.x << ", " << c.y << ")";
    }
}

TEST(PlayerPath, ComposesPiecesAndNeverOverflows) {
    CPlayer p;
    composePath(p.path, "./Sprite_Sheet/Iced/Ice_", "2", "B.png");
    EXPECT_STREQ(p.path, "./Sprite_Sheet/Iced/Ice_2B.png");
    composePath(p.path, std::string(250, 'y').c_str(), "0123456789", "more");
    EXPECT_EQ(std::string(p.path), std::string(250, 'y') + "01234");
}

TEST(PlayerLoad, TheTopLeftPixelOfAnyLayoutIsTheTransparentColour) {
    const struct {
        Uint32 format;
        Uint8 bytes[4];
        Uint32 key; // 0: not keyed
    } cases[] = {
        {SDL_PIXELFORMAT_INDEX8, {7, 0, 0, 0}, 7},
        {SDL_PIXELFORMAT_INDEX4MSB, {0x3A, 0, 0, 0}, 0x3A}, // any paletted depth
        {SDL_PIXELFORMAT_RGB555, {0x00, 0xFC, 0, 0}, 0x7C00},
        {SDL_PIXELFORMAT_RGB565, {0x34, 0xFC, 0, 0}, 0xFC34},
        {SDL_PIXELFORMAT_RGB24, {0x10, 0x20, 0x30, 0x40}, 0x302010},
        {SDL_PIXELFORMAT_ARGB8888, {0x11, 0x22, 0x33, 0x44}, 0x44332211},
        {SDL_PIXELFORMAT_RGB332, {0x55, 0, 0, 0}, 0},
    };
    for (const auto& c : cases) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 0, c.format);
        std::memcpy(s->pixels, c.bytes, 4);
        Uint32 key = 0;
        EXPECT_EQ(colorKeyOf(s, &key), c.key != 0) << SDL_GetPixelFormatName(c.format);
        EXPECT_EQ(key, c.key) << SDL_GetPixelFormatName(c.format);
        SDL_FreeSurface(s);
    }

    // Loaded and drawn: the corner's red is see-through, the rest is not.
    SdlVideo video;
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 8, 6, 0, SDL_PIXELFORMAT_RGB24);
    SDL_Rect corner = {0, 0, 1, 1};
    SDL_FillRect(image, nullptr, SDL_MapRGB(image->format, 0, 255, 0));
    SDL_FillRect(image, &corner, SDL_MapRGB(image->format, 255, 0, 0));
    const std::string file = makeTempFile("/tmp/vorlusk-player-XXXXXX");
    ASSERT_EQ(SDL_SaveBMP(image, file.c_str()), 0);
    SDL_FreeSurface(image);
    CPlayer p;
    composePath(p.path, file.c_str());
    p.rect = {100, 50, 0, 0};
    ASSERT_EQ(p.load(video.renderer), 0);
    std::remove(file.c_str());
    expectRect(p.rect, 100, 50, 8, 6); // sized by the image, the position kept
    video.clear(0, 0, 255);
    p.render(video.renderer);
    EXPECT_EQ(video.pixel(100, 50), 0x0000FFu);
    EXPECT_EQ(video.pixel(101, 50), 0x00FF00u);
}
