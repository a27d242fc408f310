// Player.cpp -- CPlayer's loading, drawing and the two edge rules of its movement.
#include "sprites/Player.h"

#include "sprites/LoadImage.h"

#include <cstring>

void composePath(char (&path)[256], const char* first, const char* second, const char* third) {
    std::strncpy(path, first, sizeof path - 1);
    path[sizeof path - 1] = '\0';
    std::strncat(path, second, sizeof path - 1 - std::strlen(path));
    std::strncat(path, third, sizeof path - 1 - std::strlen(path));
}

int CPlayer::load(SDL_Renderer* renderer) {
    return loadImageTexture(renderer, path, &rect.w, &rect.h, &texture);
}

void CPlayer::render(SDL_Renderer* renderer) {
    // A sprite without a texture has nothing to show; SDL would only report the null.
    if (texture != nullptr) {
        SDL_RenderCopy(renderer, texture, nullptr, &rect);
    }
}

void CPlayer::move() {
    int oldX = rect.x;
    int oldY = rect.y;
    rect.x += velX;
    rect.y += velY;

    if (bounded) {
        // The bounce puts the coordinate back rather than clamping it, so the far edge stops one
        // pixel short of the screen's edge, and a sprite outside the limits stays where it is.
        if (rect.x < 0 || rect.x >= SCREEN_W - rect.w) {
            rect.x = oldX;
            velX = -velX;
        }
        if (rect.y < 0 || rect.y >= SCREEN_H - rect.h) {
            rect.y = oldY;
            velY = -velY;
        }
        return;
    }

    // Gone only once wholly a pixel past the line where it left sight.
    if (rect.x < -rect.w || rect.x > SCREEN_W) {
        state = 0;
    } else if (rect.y > SCREEN_H || rect.y < -rect.h) {
        state = 0;
    }
}
