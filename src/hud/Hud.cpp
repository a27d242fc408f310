// Hud.cpp -- renderHud: speed, time and score in the corner, and the blinking jet warning.
#include "hud/Hud.h"

#include "shell/Channels.h"
#include "shell/Game.h"

#include <cstdio>
#include <cstring>

bool alarmPlayed = false;

namespace {

bool sameColor(SDL_Color a, SDL_Color b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// Draws one line of text at (x, y). The texts change a few times a second at most, so a line is
// rendered and uploaded again only when its text or colour has changed; it then replaces the
// surface and texture it held, so each line holds exactly one of each.
void drawText(SDL_Renderer* renderer, TTF_Font* font, const char* text, SDL_Color color, int x,
              int y, CHudLine* line, SDL_Surface** surface, SDL_Texture** texture, SDL_Rect* rect) {
    if (std::strcmp(line->text, text) != 0 || !sameColor(line->color, color)) {
        std::snprintf(line->text, sizeof line->text, "%s", text);
        line->color = color;
        SDL_Surface* newSurface = TTF_RenderText_Solid(font, text, color);
        SDL_FreeSurface(*surface);
        *surface = newSurface;
        SDL_Texture* newTexture =
            newSurface != nullptr ? SDL_CreateTextureFromSurface(renderer, newSurface) : nullptr;
        if (*texture != nullptr) {
            SDL_DestroyTexture(*texture);
        }
        *texture = newTexture;
        // The size, and so the rectangle, changes only with the text.
        int w = 0;
        int h = 0;
        if (newTexture != nullptr) {
            SDL_QueryTexture(newTexture, nullptr, nullptr, &w, &h);
        }
        *rect = {x, y, w, h};
    }
    if (*texture != nullptr) {
        SDL_RenderCopy(renderer, *texture, nullptr, rect);
    }
}

} // namespace

void CGame::renderHud() {
    char text[64];
    std::snprintf(text, sizeof text, "Speed: %3.1f", static_cast<double>(speedFactor));
    drawText(renderer, font, text, textColor, HUD_LINE_X, HUD_LINE_Y[0], &speedLine, &speedSurface,
             &speedTexture, &speedRect);
    std::snprintf(text, sizeof text, "Time: %3.1f", static_cast<double>(timeLeft));
    drawText(renderer, font, text, warningActive ? warningColor : textColor, HUD_LINE_X,
             HUD_LINE_Y[1], &timeLine, &timeSurface, &timeTexture, &timeRect);
    std::snprintf(text, sizeof text, "Score: %d", score);
    drawText(renderer, font, text, textColor, HUD_LINE_X, HUD_LINE_Y[2], &scoreLine, &scoreSurface,
             &scoreTexture, &scoreRect);

    // The blink runs on the frame schedule, not the wall clock: 500 ms shown, 500 ms hidden.
    Uint64 t = nextFrameTicks;
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
