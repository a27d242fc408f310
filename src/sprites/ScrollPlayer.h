// ScrollPlayer.h -- CScroll_Player, a screen-sized window sliding over an image larger than the
// screen.
#pragma once

#include "sprites/Player.h"

class CScroll_Player : public CPlayer {
  public:
    SDL_Rect destRect = {0, 0, 0, 0};
    SDL_Rect srcRect = {0, 0, 0, 0};

    virtual ~CScroll_Player() {}

    int load(SDL_Renderer* renderer);
    void render(SDL_Renderer* renderer);
    void scroll();
};
