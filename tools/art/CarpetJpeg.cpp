// Writes the carpet: draws one rug, weaves it, repeats it to the full size and stores a JPEG
// whose top-left pixel, the game's see-through colour, occurs nowhere else.
#define SDL_MAIN_HANDLED
#include "Carpet.h"

#include "CarpetDesign.h"
#include "CarpetWeave.h"
#include "Paint.h"
#include "Random.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace art {

namespace {

constexpr int kQuality = 85;

std::vector<std::uint8_t> drawTile() {
    cairo_surface_t* design =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kTileWidth, kTileHeight);
    cairo_t* cr = cairo_create(design);
    drawRugEnds(cr);
    drawRugBorder(cr);
    drawRugField(cr);
    cairo_destroy(cr);
    std::vector<std::uint8_t> tile = weaveTile(design);
    cairo_surface_destroy(design);
    return tile;
}

std::vector<std::uint8_t> repeatTile(const std::vector<std::uint8_t>& tile) {
    std::vector<std::uint8_t> full(static_cast<std::size_t>(kCarpetWidth) * kCarpetHeight * 3);
    for (int y = 0; y < kCarpetHeight; ++y) {
        const std::uint8_t* row = &tile[static_cast<std::size_t>(y % kTileHeight) * kTileWidth * 3];
        for (int x = 0; x < kCarpetWidth; ++x) {
            for (int c = 0; c < 3; ++c) {
                full[(static_cast<std::size_t>(y) * kCarpetWidth + x) * 3 + c] =
                    row[(x % kTileWidth) * 3 + c];
            }
        }
    }
    return full;
}

void saveJpeg(std::vector<std::uint8_t>& pixels, const std::string& path) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(
        pixels.data(), kCarpetWidth, kCarpetHeight, 24, kCarpetWidth * 3, SDL_PIXELFORMAT_RGB24);
    if (s == nullptr) {
        throw std::runtime_error(std::string("cannot wrap the carpet: ") + SDL_GetError());
    }
    const int result = IMG_SaveJPG(s, path.c_str(), kQuality);
    SDL_FreeSurface(s);
    if (result != 0) {
        throw std::runtime_error("cannot write " + path + ": " + IMG_GetError());
    }
}

// True when no pixel but the top-left one has its exact colour once the file is read back.
bool cornerIsUnique(const std::string& path) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        throw std::runtime_error("cannot read back " + path);
    }
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(loaded);
    const auto* p = static_cast<const std::uint8_t*>(s->pixels);
    int matches = 0;
    for (int y = 0; y < s->h; ++y) {
        const std::uint8_t* row = p + static_cast<std::size_t>(y) * s->pitch;
        for (int x = 0; x < s->w; ++x) {
            if (row[x * 3] == p[0] && row[x * 3 + 1] == p[1] && row[x * 3 + 2] == p[2]) {
                ++matches;
            }
        }
    }
    SDL_FreeSurface(s);
    return matches == 1;
}

} // namespace

void writeCarpet(const std::string& dataDir) {
    std::vector<std::uint8_t> full = repeatTile(drawTile());
    const std::string path = dataDir + "/Sprite_Sheet/BG_Carpet.jpg";
    makeParent(path);
    // The corner lies on the dark floor, whose colour recurs everywhere between the fringes. Its
    // one pixel becomes the game's see-through colour, over a grey screen: make it a grey of its
    // own, trying others until no other pixel decodes to the same value.
    const std::uint8_t grey[3] = {160, 160, 160};
    for (int c = 0; c < 3; ++c) {
        full[c] = grey[c];
    }
    Random rng(1400);
    for (int attempt = 0; attempt < 64; ++attempt) {
        saveJpeg(full, path);
        if (cornerIsUnique(path)) {
            return;
        }
        for (int c = 0; c < 3; ++c) {
            full[c] = static_cast<std::uint8_t>(grey[c] + rng.below(81) - 40);
        }
    }
    throw std::runtime_error("no colour for the carpet's corner occurs only once");
}

} // namespace art
