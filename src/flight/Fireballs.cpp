// Fireballs.cpp -- spawnFireball and updateFireballs: the aliens' shots, their misses and hits.
#include "flight/Directions.h"
#include "shell/Channels.h"
#include "shell/Game.h"
#include "sprites/TestRects.h"

#include <climits>
#include <cstdlib>

namespace {

constexpr float SPAWN_ODDS = 50.0f;
constexpr int BASE_SPEED = 6;
// Horizontal shots cross the wider screen in about the time vertical ones cross its height.
constexpr double HORIZONTAL_SPEED = 1.7778;
constexpr float ESCAPE_BONUS = 10.0f;
constexpr int HIT_PENALTY = 20;
constexpr int FREEZE_FRAMES = 125;

// The bonus is truncated from the double sum. A flight held open for hours at time-up, the
// speed factor rising all the while, would carry the score past what an int holds; it stops
// at the largest score instead of wrapping round to a negative one.
int addBonus(int score, double bonus) {
    double sum = score + bonus;
    if (sum >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    return static_cast<int>(sum);
}

} // namespace

void CGame::parkFireballs() {
    // Free, and far off the screen until thrown.
    for (auto& row : fireballs) {
        for (CPlayer& fireball : row) {
            fireball.rect.x = -SCREEN_W;
            fireball.rect.y = -SCREEN_H;
            fireball.state = Free;
        }
    }
}

void CGame::spawnFireball() {
    int a = std::rand() % 4;
    const CPlayer& alien = aliens[a];
    if (alien.state == Free) {
        return;
    }
    // The faster the flight, the smaller the divisor and the more often the aliens throw. The
    // clock stops at time-up but the speed factor goes on rising while frozen jets hold the
    // flight open; after some forty minutes the divisor would reach 0, so it stops at 1.
    int divisor = static_cast<int>(SPAWN_ODDS / speedFactor);
    if (divisor < 1) {
        divisor = 1;
    }
    if (std::rand() % divisor != 0) {
        return;
    }
    for (CPlayer& fireball : fireballs[a]) {
        if (fireball.state != Free) {
            continue;
        }
        fireball.rect.x = alien.rect.x;
        fireball.rect.y = alien.rect.y;
        // Truncated from the double products, so the speeds rise in whole pixels.
        fireball.velX = static_cast<int>((BASE_SPEED * dirX[a]) * HORIZONTAL_SPEED *
                                         static_cast<double>(speedFactor));
        fireball.velY = static_cast<int>((BASE_SPEED * dirY[a]) * static_cast<double>(speedFactor));
        fireball.state = Active;
        playOneShot(sndAlienShot);
        return;
    }
}

void CGame::updateFireballs() {
    const SDL_Rect& s = ship.rect;
    for (int i = 0; i < 4; ++i) {
        for (CPlayer& fireball : fireballs[i]) {
            if (fireball.state != Active) {
                continue;
            }
            // Fireballs ride the carpet: they move against the view as it scrolls.
            fireball.rect.x -= background.velX;
            fireball.rect.y -= background.velY;
            fireball.move();
            if (fireball.state == Free) {
                score = addBonus(score, static_cast<double>(ESCAPE_BONUS) *
                                            static_cast<double>(speedFactor));
            }

            const SDL_Rect& f = fireball.rect;
            if (testRects(s.x, s.y, s.w, s.h, f.x, f.y, f.w, f.h, false, true)) {
                // The jet with less freeze left is frozen anew; on a tie jet B.
                int* timers = ship.timers;
                if (timers[2 * i] < timers[2 * i + 1]) {
                    timers[2 * i] = FREEZE_FRAMES;
                } else {
                    timers[2 * i + 1] = FREEZE_FRAMES;
                }
                score = score <= HIT_PENALTY ? 0 : score - HIT_PENALTY;
                fireball.state = Free;
                fireball.rect.y = -fireball.rect.h;
                playOneShot(sndAlienHit);
                continue;
            }
            fireball.render(renderer);
        }
    }
}
