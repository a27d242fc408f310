// LoadImage.h -- turns an image file into a colour-keyed texture; shared by sprites and sheets.
#pragma once

#include <SDL.h>

// The raw value of the surface's top-left pixel that becomes its transparent colour, by the
// surface's layout. Returns false for a depth the game does not key (the image is then used
// as it is).
bool colorKeyOf(const SDL_Surface* surface, Uint32* key);

// Loads `path`, keys it by its top-left pixel and makes a texture. On an unreadable file nothing
// is written; otherwise the size is written and then the texture, null when it could not be
// made. Returns 0 or -1, having printed the reason.
int loadImageTexture(SDL_Renderer* renderer, const char* path, int* w, int* h,
                     SDL_Texture** texture);
