// EndOfFlight.cpp -- once a flight has ended: how it ended, the score, and what to do next.
#include "hud/Overlay.h"
#include "shell/Game.h"

#include <cstdio>

void CGame::renderEndOfFlight(bool crashed) {
    // Made on the first frame after the end, when the score can no longer change.
    if (endTextures[0] == nullptr && endTextures[1] == nullptr) {
        // The shell has it with the best score when it kept the flight.
        char result[96];
        if (endLine[0] != '\0') {
            std::snprintf(result, sizeof result, "%s", endLine);
        } else {
            std::snprintf(result, sizeof result, "%s \u2014 Score %d",
                          crashed ? "Crashed" : "Launched away", score);
        }
        endTextures[0] = makeOverlayText(renderer, font, result, &endRects[0]);
        const char* hint = mode == Watching  ? "Enter: watch again \u00b7 Esc: quit"
                           : mode == Attract ? "The best flight, replayed"
                                             : "Enter: fly again \u00b7 Esc: quit";
        endTextures[1] = makeOverlayText(renderer, font, hint, &endRects[1]);
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
