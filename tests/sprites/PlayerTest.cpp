// PlayerTest.cpp -- CPlayer: the two edge rules of move(), loading with its colour key, failures.
#include "sprites/Player.h"
#include "sprites/LoadImage.h"
#include "support/SdlVideo.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

CPlayer sprite(bool bounded, int x, int y, int w, int h, int velX, int velY) {
    CPlayer p;
    p.bounded = bounded;
    p.state = 3;
    p.rect = {x, y, w, h};
    p.velX = velX;
    p.velY = velY;
    return p;
}

} // namespace

TEST(PlayerMove, BoundedBouncesBackToThePreviousCoordinate) {
    CPlayer p = sprite(true, 1176, 10, 100, 50, 4, 0);
    p.move(); // 1180 = 1280 - 100 is already out of range
    EXPECT_EQ(p.rect.x, 1176);
    EXPECT_EQ(p.velX, -4);

    p = sprite(true, 0, 10, 100, 50, -3, 0);
    p.move();
    EXPECT_EQ(p.rect.x, 0);
    EXPECT_EQ(p.velX, 3);

    p = sprite(true, 1175, 10, 100, 50, 4, 0);
    p.move(); // 1179 is the last reachable x
    EXPECT_EQ(p.rect.x, 1179);
    EXPECT_EQ(p.velX, 4);

    // Both axes out at once: both put back, both negated, in one call.
    p = sprite(true, 1176, 668, 100, 50, 4, 3);
    p.move();
    EXPECT_EQ(p.rect.x, 1176);
    EXPECT_EQ(p.rect.y, 668);
    EXPECT_EQ(p.velX, -4);
    EXPECT_EQ(p.velY, -3);
    EXPECT_EQ(p.state, 3); // a bounded sprite never turns inactive
}

TEST(PlayerMove, BoundedSpriteOutsideTheLimitsStaysPut) {
    CPlayer p = sprite(true, -50, 10, 100, 50, 0, 0);
    p.move();
    EXPECT_EQ(p.rect.x, -50);

    p = sprite(true, -50, 10, 100, 50, 3, 0);
    p.move();
    EXPECT_EQ(p.rect.x, -50);
    EXPECT_EQ(p.velX, -3);
    p.move();
    EXPECT_EQ(p.rect.x, -50);
    EXPECT_EQ(p.velX, 3);
}

TEST(PlayerMove, UnboundedLeavesOnlyOnePixelPastTheLine) {
    CPlayer p = sprite(false, -39, 10, 40, 40, -1, 0);
    p.move();
    EXPECT_EQ(p.rect.x, -40);
    EXPECT_EQ(p.state, 3);
    p.move();
    EXPECT_EQ(p.rect.x, -41);
    EXPECT_EQ(p.state, 0);

    p = sprite(false, 1270, 10, 40, 40, 10, 0);
    p.move();
    EXPECT_EQ(p.state, 3); // x exactly 1280
    p.move();
    EXPECT_EQ(p.state, 0);

    p = sprite(false, 10, 715, 40, 40, 0, 5);
    p.move();
    EXPECT_EQ(p.state, 3); // y exactly 720
    p.velY = 1;
    p.move();
    EXPECT_EQ(p.state, 0);

    p = sprite(false, 10, -39, 40, 40, 0, -1);
    p.move();
    EXPECT_EQ(p.state, 3); // y exactly -h
    p.move();
    EXPECT_EQ(p.state, 0);

    // Across a corner the horizontal test alone decides; the sprite still moved on both axes.
    p = sprite(false, 1275, 715, 40, 40, 10, 10);
    p.move();
    EXPECT_EQ(p.state, 0);
    EXPECT_EQ(p.rect.x, 1285);
    EXPECT_EQ(p.rect.y, 725);
}

TEST(PlayerPath, ComposesPiecesAndNeverOverflows) {
    CPlayer p;
    composePath(p.path, "./Sprite_Sheet/Iced/Ice_", "2", "B.png");
    EXPECT_STREQ(p.path, "./Sprite_Sheet/Iced/Ice_2B.png");

    std::string longName(300, 'x');
    composePath(p.path, longName.c_str(), "tail");
    EXPECT_EQ(std::string(p.path), std::string(255, 'x'));
    composePath(p.path, std::string(250, 'y').c_str(), "0123456789", "more");
    EXPECT_EQ(std::string(p.path), std::string(250, 'y') + "01234");
}

TEST(ColorKey, ChosenByTheSurfaceLayout) {
    struct Case {
        Uint32 format;
        Uint8 bytes[4];
        bool keyed;
        Uint32 key;
    };
    const Case cases[] = {
        {SDL_PIXELFORMAT_INDEX8, {7, 0, 0, 0}, true, 7},
        {SDL_PIXELFORMAT_RGB555, {0x00, 0xFC, 0, 0}, true, 0x7C00},
        {SDL_PIXELFORMAT_RGB565, {0x34, 0xFC, 0, 0}, true, 0xFC34},
        {SDL_PIXELFORMAT_RGB24, {0x10, 0x20, 0x30, 0}, true, 0x302010},
        {SDL_PIXELFORMAT_ARGB8888, {0x11, 0x22, 0x33, 0x44}, true, 0x44332211},
        {SDL_PIXELFORMAT_RGB332, {0x55, 0, 0, 0}, false, 0},
    };
    for (const Case& c : cases) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 0, c.format);
        ASSERT_NE(s, nullptr) << SDL_GetPixelFormatName(c.format);
        std::memcpy(s->pixels, c.bytes, s->format->BytesPerPixel);
        Uint32 key = 0;
        EXPECT_EQ(colorKeyOf(s, &key), c.keyed) << SDL_GetPixelFormatName(c.format);
        if (c.keyed) {
            EXPECT_EQ(key, c.key) << SDL_GetPixelFormatName(c.format);
        }
        SDL_FreeSurface(s);
    }

    // A paletted surface of another depth is keyed by its first byte all the same.
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 8, 2, 0, SDL_PIXELFORMAT_INDEX4MSB);
    ASSERT_NE(s, nullptr);
    static_cast<Uint8*>(s->pixels)[0] = 0x3A;
    Uint32 key = 0;
    EXPECT_TRUE(colorKeyOf(s, &key));
    EXPECT_EQ(key, 0x3Au);
    SDL_FreeSurface(s);
}

TEST(PlayerLoad, TopLeftColourBecomesTransparentWhenDrawn) {
    SdlVideo video;
    // A 24-bit image: red corner, a red pixel elsewhere, the rest green.
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 0, SDL_PIXELFORMAT_RGB24);
    SDL_FillRect(image, nullptr, SDL_MapRGB(image->format, 0, 255, 0));
    SDL_Rect corner = {0, 0, 1, 1};
    SDL_Rect inner = {5, 5, 1, 1};
    SDL_FillRect(image, &corner, SDL_MapRGB(image->format, 255, 0, 0));
    SDL_FillRect(image, &inner, SDL_MapRGB(image->format, 255, 0, 0));
    const char* file = "/tmp/vorlusk-player-test.bmp";
    ASSERT_EQ(SDL_SaveBMP(image, file), 0);
    SDL_FreeSurface(image);

    CPlayer p;
    composePath(p.path, file);
    p.rect.x = 100;
    p.rect.y = 50;
    ASSERT_EQ(p.load(video.renderer), 0);
    EXPECT_EQ(p.rect.w, 8);
    EXPECT_EQ(p.rect.h, 8);
    EXPECT_EQ(p.rect.x, 100); // load keeps the position
    ASSERT_NE(p.texture, nullptr);

    video.clear(0, 0, 255);
    p.render(video.renderer);
    EXPECT_EQ(video.pixel(100, 50), 0x0000FFu); // keyed: the blue behind shows
    EXPECT_EQ(video.pixel(105, 55), 0x0000FFu);
    EXPECT_EQ(video.pixel(101, 50), 0x00FF00u);
    std::remove(file);
}

TEST(PlayerLoad, MissingFileReportsAndLeavesTheSpriteSafe) {
    SdlVideo video;
    CPlayer p;
    composePath(p.path, "./no/such/image.png");
    p.rect.x = 7;
    testing::internal::CaptureStderr();
    EXPECT_EQ(p.load(video.renderer), -1);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("Couldn't load ./no/such/image.png: ", 0), 0u) << err;
    EXPECT_NE(err.back(), '\n');
    EXPECT_EQ(p.texture, nullptr);
    EXPECT_EQ(p.rect.w, 0);
    EXPECT_EQ(p.rect.x, 7);

    // Still safe to move and draw.
    p.velX = 3;
    p.move();
    p.render(video.renderer);
    EXPECT_EQ(p.rect.x, 10);
}
