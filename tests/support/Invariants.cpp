// Invariants.cpp -- the checks behind brokenInvariant.
#include "support/Invariants.h"

#include <sstream>

namespace {

// Inside the screen, or beyond it by no more than the sprite's own size: where a sprite may be
// while it slides in or before it counts as gone.
bool nearScreen(const SDL_Rect& r) {
    return r.x >= -r.w && r.x <= SCREEN_W && r.y >= -r.h && r.y <= SCREEN_H;
}

std::string describe(const char* what, int index, const SDL_Rect& r) {
    std::ostringstream text;
    text << what << " " << index << " at (" << r.x << ", " << r.y << ") size " << r.w << "x" << r.h;
    return text.str();
}

} // namespace

std::string brokenInvariant(const CGame& game) {
    if (game.state < Waiting || game.state > Finished) {
        return "flight state " + std::to_string(game.state);
    }
    if (game.score < 0) {
        return "score " + std::to_string(game.score);
    }
    for (int jet = 0; jet < 8; ++jet) {
        int timer = game.ship.timers[jet];
        if (timer < 0 || timer > 125) {
            return "jet " + std::to_string(jet) + " timer " + std::to_string(timer);
        }
    }
    for (int d = 0; d < 4; ++d) {
        for (int slot = 0; slot < 10; ++slot) {
            const CPlayer& fireball = game.fireballs[d][slot];
            if (fireball.state != Free && fireball.state != Active) {
                return "fireball state " + std::to_string(fireball.state);
            }
            if (fireball.state == Active && !nearScreen(fireball.rect)) {
                return describe("fireball in flight", d * 10 + slot, fireball.rect);
            }
        }
        if (!nearScreen(game.aliens[d].rect)) {
            return describe("alien", d, game.aliens[d].rect);
        }
    }
    const SDL_Rect& ship = game.ship.rect;
    if (ship.x != (SCREEN_W - ship.w) / 2 || ship.y != (SCREEN_H - ship.h) / 2) {
        return describe("ship", 0, ship);
    }
    const CScroll_Player& carpet = game.background;
    const SDL_Rect& window = carpet.srcRect;
    if (window.x < 0 || window.y < 0 || window.x > carpet.rect.w - SCREEN_W ||
        window.y > carpet.rect.h - SCREEN_H) {
        return describe("carpet window", 0, window);
    }
    return "";
}
