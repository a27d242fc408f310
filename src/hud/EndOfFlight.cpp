// EndOfFlight.cpp -- once a flight has ended: how it ended, the score, and what to do next.
#include "hud/Overlay.h"
#include "shell/Game.h"

#include <cstdio>

void CGame::renderEndOfFlight(bool crashed) {
    // Made on the first frame after the end, when the score can no longer change.
    if (endTextures[0] == nullptr && endTextures[1] == nullptr) {
        char result[64];
        std::snprintf(result, sizeof result, "%s \u2014 Score %d",
                      crashed ? "Crashed" : "Launched away", score);
        endTextures[0] = makeOverlayText(renderer, font, result, &endRects[0]);
        endTextures[1] =
            makeOverlayText(renderer, font, "Enter: fly again \u00b7 Esc: quit", &endRects[1]);
        stackOverlayLines(endRects, 2);
    }
    drawOverlay(renderer, endTextures, endRects, 2);
}

void CGame::releaseEndOfFlight() {
    for (SDL_Texture*& texture : endTextures) {
        SDL_DestroyTexture(texture);
        texture = nullptr;
    }
}
