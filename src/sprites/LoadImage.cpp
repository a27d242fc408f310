// LoadImage.cpp -- image file to colour-keyed texture, the one way every picture enters the game.
#include "sprites/LoadImage.h"

#include <SDL_image.h>
#include <cstdio>
#include <cstring>

bool colorKeyOf(const SDL_Surface* surface, Uint32* key) {
    const Uint8* first = static_cast<const Uint8*>(surface->pixels);
    if (surface->format->palette != nullptr) {
        *key = first[0];
        return true;
    }
    Uint16 word16 = 0;
    Uint32 word32 = 0;
    switch (surface->format->BitsPerPixel) {
    case 15:
        std::memcpy(&word16, first, sizeof word16);
        *key = word16 & 0x7FFF;
        return true;
    case 16:
        std::memcpy(&word16, first, sizeof word16);
        *key = word16;
        return true;
    case 24:
        // Three bytes, read as a little-endian number, without reaching past the pixel.
        *key = first[0] | (first[1] << 8) | (first[2] << 16);
        return true;
    case 32:
        std::memcpy(&word32, first, sizeof word32);
        *key = word32;
        return true;
    default:
        return false;
    }
}

int loadImageTexture(SDL_Renderer* renderer, const char* path, int* w, int* h,
                     SDL_Texture** texture) {
    SDL_Surface* surface = IMG_Load(path);
    // Some decoders take a file with no picture in it for an image of width or height 0, with
    // no pixels at all; that is no image either.
    if (surface != nullptr && (surface->w <= 0 || surface->h <= 0 || surface->pixels == nullptr)) {
        SDL_SetError("the image is empty (%dx%d)", surface->w, surface->h);
        SDL_FreeSurface(surface);
        surface = nullptr;
    }
    if (surface == nullptr) {
        std::fprintf(stderr, "Couldn't load %s: %s", path, SDL_GetError());
        return -1;
    }
    *w = surface->w;
    *h = surface->h;

    Uint32 key = 0;
    if (SDL_LockSurface(surface) == 0) {
        bool keyed = colorKeyOf(surface, &key);
        SDL_UnlockSurface(surface);
        if (keyed) {
            SDL_SetColorKey(surface, SDL_TRUE, key);
        }
    }

    *texture = SDL_CreateTextureFromSurface(renderer, surface);
    if (*texture == nullptr) {
        std::fprintf(stderr, "Couldn't create texture: %s\n", SDL_GetError());
        SDL_FreeSurface(surface);
        return -1;
    }
    SDL_FreeSurface(surface);
    return 0;
}
