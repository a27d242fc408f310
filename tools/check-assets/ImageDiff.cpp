#include "Verdict.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct CSurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using CSurface = std::unique_ptr<SDL_Surface, CSurfaceFree>;

// Whatever the file's layout (palette, grey, RGB, RGBA), one byte each of R, G, B, A.
CSurface loadRgba(const std::filesystem::path& path, std::string* error) {
    CSurface raw(IMG_Load(path.c_str()));
    if (!raw) {
        *error = IMG_GetError();
        return nullptr;
    }
    CSurface rgba(SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba) {
        *error = SDL_GetError();
    }
    return rgba;
}

// Straight colour under little alpha is nearly invisible, and the encoder's division by alpha
// turns a premultiplied rounding of 1 at alpha 3 into a jump of 85 levels: compare what is seen.
int premultiplied(int colour, int alpha) {
    return (colour * alpha + 127) / 255;
}

} // namespace

CVerdict compareImages(const std::filesystem::path& expected, const std::filesystem::path& actual,
                       int levels) {
    std::string error;
    CSurface a = loadRgba(expected, &error);
    if (!a) {
        return {false, "cannot be decoded: " + error};
    }
    CSurface b = loadRgba(actual, &error);
    if (!b) {
        return {false, "regenerated file cannot be decoded: " + error};
    }
    char text[160];
    if (a->w != b->w || a->h != b->h) {
        std::snprintf(text, sizeof text, "size %dx%d vs %dx%d", a->w, a->h, b->w, b->h);
        return {false, text};
    }
    int worst = 0;
    int worstX = 0;
    int worstY = 0;
    long over = 0;
    for (int y = 0; y < a->h; ++y) {
        const auto* rowA = static_cast<const Uint8*>(a->pixels) + y * a->pitch;
        const auto* rowB = static_cast<const Uint8*>(b->pixels) + y * b->pitch;
        for (int x = 0; x < a->w; ++x) {
            const Uint8* p = rowA + 4 * x;
            const Uint8* q = rowB + 4 * x;
            int diff = std::abs(p[3] - q[3]);
            for (int c = 0; c < 3; ++c) {
                const int d = std::abs(premultiplied(p[c], p[3]) - premultiplied(q[c], q[3]));
                diff = d > diff ? d : diff;
            }
            if (diff > levels) {
                ++over;
            }
            if (diff > worst) {
                worst = diff;
                worstX = x;
                worstY = y;
            }
        }
    }
    if (worst == 0) {
        std::snprintf(text, sizeof text, "max diff 0 levels (limit %d), %dx%d", levels, a->w, a->h);
    } else {
        std::snprintf(text, sizeof text, "max diff %d levels (limit %d) at %d,%d; %ld pixels over",
                      worst, levels, worstX, worstY, over);
    }
    return {worst <= levels, text};
}
