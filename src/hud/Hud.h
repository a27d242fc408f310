// Hud.h -- what the heads-up display keeps between frames: the jet warning's blink, and the text
// each HUD texture was last rendered from.
#pragma once

#include <SDL.h>

// True once the alarm has been started in the banner's current visible phase.
extern bool alarmPlayed;

// A HUD line's text and colour as its texture shows them.
struct CHudLine {
    char text[32] = "";
    SDL_Color color = {0, 0, 0, 0};
};
