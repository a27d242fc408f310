// Overlay.cpp -- text lines on a translucent dark band, centred below the ship.
#include "hud/Overlay.h"

#include "shared/GameFacts.h"

namespace {

constexpr int BAND_PAD_X = 24;
constexpr int BAND_PAD_Y = 10;
constexpr int LINE_GAP = 6;
// Dark enough that the light text reads over the brightest dye of the carpet.
constexpr SDL_Color BAND_COLOR = {0, 0, 0, 180};

} // namespace

SDL_Texture* makeOverlayText(SDL_Renderer* renderer, TTF_Font* font, const char* text,
                             SDL_Rect* rect) {
    *rect = {0, 0, 0, 0};
    SDL_Surface* surface = TTF_RenderUTF8_Blended(font, text, OVERLAY_TEXT_COLOR);
    if (surface == nullptr) {
        return nullptr;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    if (texture != nullptr) {
        rect->w = surface->w;
        rect->h = surface->h;
    }
    SDL_FreeSurface(surface);
    return texture;
}

void stackOverlayLines(SDL_Rect* rects, int count, int top) {
    int y = top;
    for (int i = 0; i < count; ++i) {
        rects[i].x = (SCREEN_W - rects[i].w) / 2;
        rects[i].y = y;
        y += rects[i].h + LINE_GAP;
    }
}

void drawOverlay(SDL_Renderer* renderer, SDL_Texture* const* textures, const SDL_Rect* rects,
                 int count) {
    SDL_Rect band = {0, 0, 0, 0};
    for (int i = 0; i < count; ++i) {
        if (rects[i].w == 0) {
            continue;
        }
        SDL_Rect padded = {rects[i].x - BAND_PAD_X, rects[i].y - BAND_PAD_Y,
                           rects[i].w + 2 * BAND_PAD_X, rects[i].h + 2 * BAND_PAD_Y};
        if (band.w == 0) {
            band = padded;
        } else {
            SDL_UnionRect(&band, &padded, &band);
        }
    }
    if (band.w == 0) {
        return;
    }
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, BAND_COLOR.r, BAND_COLOR.g, BAND_COLOR.b, BAND_COLOR.a);
    SDL_RenderFillRect(renderer, &band);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    for (int i = 0; i < count; ++i) {
        if (textures[i] != nullptr) {
            SDL_RenderCopy(renderer, textures[i], nullptr, &rects[i]);
        }
    }
}
