// Aliens.cpp -- the four aliens: sliding in across their edges, patrolling, and their reset.
#include "flight/Directions.h"
#include "shell/Game.h"
#include "sprites/TestRects.h"

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
