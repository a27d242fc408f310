// Writes the carpet: draws one rug, weaves it, repeats it to the full size and stores a JPEG.
#define SDL_MAIN_HANDLED
#include "Carpet.h"

#include "CarpetDesign.h"
#include "CarpetWeave.h"
#include "Paint.h"
#include "shared/AssetNames.h"

#include <SDL.h>
#include <SDL_image.h>
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
    std::vector<std::uint8_t> full(static_cast<std::size_t>(CARPET_W) * CARPET_H * 3);
    for (int y = 0; y < CARPET_H; ++y) {
        const std::uint8_t* row = &tile[static_cast<std::size_t>(y % kTileHeight) * kTileWidth * 3];
        for (int x = 0; x < CARPET_W; ++x) {
            for (int c = 0; c < 3; ++c) {
                full[(static_cast<std::size_t>(y) * CARPET_W + x) * 3 + c] =
                    row[(x % kTileWidth) * 3 + c];
            }
        }
    }
    return full;
}

void saveJpeg(std::vector<std::uint8_t>& pixels, const std::string& path) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), CARPET_W, CARPET_H, 24,
                                                        CARPET_W * 3, SDL_PIXELFORMAT_RGB24);
    if (s == nullptr) {
        throw std::runtime_error(std::string("cannot wrap the carpet: ") + SDL_GetError());
    }
    const int result = IMG_SaveJPG(s, path.c_str(), kQuality);
    SDL_FreeSurface(s);
    if (result != 0) {
        throw std::runtime_error("cannot write " + path + ": " + IMG_GetError());
    }
}

} // namespace

void writeCarpet(const std::string& dataDir) {
    // The game draws the carpet opaque, so no colour of it is special, its corner's included.
    std::vector<std::uint8_t> full = repeatTile(drawTile());
    const std::string path = inData(dataDir, CARPET_IMAGE);
    makeParent(path);
    saveJpeg(full, path);
}

} // namespace art
