// Hud.cpp -- renderHud: speed, time and score in the corner, and the blinking jet warning.
#include "hud/Hud.h"

#include "shell/Channels.h"
#include "shell/Game.h"

#include <cstdio>

bool alarmPlayed = false;

namespace {

// Renders one line of text at (x, y), replacing the surface and texture the previous frame
// left in the same fields, so each text holds exactly one of each.
void drawText(SDL_Renderer* renderer, TTF_Font* font, const char* text, SDL_Color color, int x,
              int y, SDL_Surface** surface, SDL_Texture** texture, SDL_Rect* rect) {
    SDL_Surface* newSurface = TTF_RenderText_Solid(font, text, color);
    SDL_FreeSurface(*surface);
    *surface = newSurface;

    SDL_Texture* newTexture =
        newSurface != nullptr ? SDL_CreateTextureFromSurface(renderer, newSurface) : nullptr;
    if (*texture != nullptr) {
        SDL_DestroyTexture(*texture);
    }
    *texture = newTexture;

    int w = 0;
    int h = 0;
    if (newTexture != nullptr) {
        SDL_QueryTexture(newTexture, nullptr, nullptr, &w, &h);
        *rect = {x, y, w, h};
        SDL_RenderCopy(renderer, newTexture, nullptr, rect);
    } else {
        *rect = {x, y, w, h};
    }
}

} // namespace

void CGame::renderHud() {
    char text[64];
    std::snprintf(text, sizeof text, "Speed: %3.1f", static_cast<double>(speedFactor));
    drawText(renderer, font, text, textColor, 5, 5, &speedSurface, &speedTexture, &speedRect);
    std::snprintf(text, sizeof text, "Time: %3.1f", static_cast<double>(timeLeft));
    drawText(renderer, font, text, warningActive ? warningColor : textColor, 5, 40, &timeSurface,
             &timeTexture, &timeRect);
    std::snprintf(text, sizeof text, "Score: %d", score);
    drawText(renderer, font, text, textColor, 5, 75, &scoreSurface, &scoreTexture, &scoreRect);

    // The blink runs on the frame schedule, not the wall clock: 500 ms shown, 500 ms hidden.
    Uint32 t = nextFrameTicks;
    bool visiblePhase = t % 1000 < 500;
    if (visiblePhase && warningActive) {
        SDL_RenderCopy(renderer, warningTexture, nullptr, &warningRect);
        if (!alarmPlayed) {
            playOneShot(sndThrustAlarm);
            alarmPlayed = true;
        }
    } else {
        alarmPlayed = false;
    }
}
