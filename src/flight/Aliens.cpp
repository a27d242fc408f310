// Aliens.cpp -- the four aliens: sliding in across their edges, patrolling, and their reset.
#include "flight/Directions.h"
#include "shell/Game.h"
#include "sprites/TestRects.h"

void CGame::placeAliens() {
    // Each alien waits just beyond its own edge, already moving along it.
    SDL_Rect& right = aliens[0].rect;
    right.x = -right.w;
    right.y = (SCREEN_H - right.h) / 2;
    SDL_Rect& down = aliens[1].rect;
    down.x = (SCREEN_W - down.w) / 2;
    down.y = -down.h;
    SDL_Rect& left = aliens[2].rect;
    left.x = SCREEN_W;
    left.y = (SCREEN_H - left.h) / 2;
    SDL_Rect& up = aliens[3].rect;
    up.x = (SCREEN_W - up.w) / 2;
    up.y = SCREEN_H;
    const int patrolX[4] = {0, 6, 0, -6};
    const int patrolY[4] = {-3, 0, 3, 0};
    for (int i = 0; i < 4; ++i) {
        aliens[i].velX = patrolX[i];
        aliens[i].velY = patrolY[i];
        aliens[i].state = Entering;
    }
}

void CGame::updateAliens() {
    const SDL_Rect& screen = background.destRect;
    for (int i = 0; i < 4; ++i) {
        CPlayer& alien = aliens[i];
        // The entry step comes before move(), so the bounce of a partly off-screen alien never
        // undoes it: it keeps sliding in by a pixel a frame.
        if (alien.state == Entering) {
            alien.rect.x += dirX[i];
            alien.rect.y += dirY[i];
        }
        alien.move();
        alien.render(renderer);
        const SDL_Rect& r = alien.rect;
        if (!testRects(screen.x, screen.y, screen.w, screen.h, r.x, r.y, r.w, r.h, true, false)) {
            alien.state = Active;
        }
    }
}

void CGame::resetAlienVelocities() {
    // Each alien leaves its edge toward the middle, still patrolling along the other axis.
    for (int i = 0; i < 4; ++i) {
        if (dirX[i] != 0) {
            aliens[i].velX = dirX[i];
        }
        if (dirY[i] != 0) {
            aliens[i].velY = dirY[i];
        }
    }
}
