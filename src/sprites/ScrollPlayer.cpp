// ScrollPlayer.cpp -- the background window: loading, drawing, and the jump-wrap at the image's
// edges.
#include "sprites/ScrollPlayer.h"

int CScroll_Player::load(SDL_Renderer* renderer) {
    int result = CPlayer::load(renderer);
    destRect = {0, 0, SCREEN_W, SCREEN_H};
    velX = 0;
    velY = 0;
    return result;
}

void CScroll_Player::render(SDL_Renderer* renderer) {
    if (texture != nullptr) {
        SDL_RenderCopy(renderer, texture, &srcRect, &destRect);
    }
}

void CScroll_Player::scroll() {
    srcRect.y += velY;
    srcRect.x += velX;

    // A jump to the far side, not a modulo: what the step carried past the edge is dropped.
    int limitY = rect.h - destRect.h;
    if (srcRect.y >= limitY) {
        srcRect.y = 0;
    } else if (srcRect.y < 0) {
        srcRect.y = limitY;
    }
    int limitX = rect.w - destRect.w;
    if (srcRect.x >= limitX) {
        srcRect.x = 0;
    } else if (srcRect.x < 0) {
        srcRect.x = limitX;
    }
}
