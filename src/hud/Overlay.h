// Overlay.h -- lines of text on a dark band that read over every part of the carpet: the end of
// a flight and the pause.
#pragma once

#include "shared/GameFacts.h"

#include <SDL.h>
#include <SDL_ttf.h>

// The texts' colour: the HUD's, at full strength (anti-aliased text honours the alpha).
constexpr SDL_Color OVERLAY_TEXT_COLOR = {HUD_TEXT_COLOR.r, HUD_TEXT_COLOR.g, HUD_TEXT_COLOR.b,
                                          255};
// The first line's top: below the ship, and below the wreck of a crash.
constexpr int OVERLAY_TOP = 470;

// Renders `text` (UTF-8) and gives `rect` its size; null, and a size of 0, when it cannot.
SDL_Texture* makeOverlayText(SDL_Renderer* renderer, TTF_Font* font, const char* text,
                             SDL_Rect* rect);

// Centres `count` lines across the screen one under the other from `top`.
void stackOverlayLines(SDL_Rect* rects, int count, int top = OVERLAY_TOP);

// Draws one dark band behind the `count` lines, then the lines.
void drawOverlay(SDL_Renderer* renderer, SDL_Texture* const* textures, const SDL_Rect* rects,
                 int count);
