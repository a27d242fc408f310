// Player.h -- CPlayer, the plain sprite: one image, an integer position and velocity, an edge rule.
#pragma once

#include "shared/GameFacts.h"

#include <SDL.h>

// Fills a 256-byte path field from up to three pieces. The field always ends in a NUL, however
// long the pieces: a too-long name is cut short rather than written past the field.
void composePath(char (&path)[256], const char* first, const char* second = "",
                 const char* third = "");

class CPlayer {
  public:
    // true: bounce and stay on screen; false: may leave the screen and then turn inactive.
    bool bounded = false;
    int state = 0;
    int timers[8] = {};
    // w and h stay 0 until a load succeeds, so a sprite whose image is missing draws and tests
    // as an empty rectangle instead of garbage.
    SDL_Rect rect = {0, 0, 0, 0};
    int velX = 0;
    int velY = 0;
    char path[256] = "";
    SDL_Texture* texture = nullptr;

    int load(SDL_Renderer* renderer);
    void render(SDL_Renderer* renderer);
    void move();
};
