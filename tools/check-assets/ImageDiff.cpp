#include "Verdict.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
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
                       int levels, int block) {
    std::string error;
    CSurface a = loadRgba(expected, &error);
    if (!a) {
        return {false, "cannot be decoded: " + error};
    }
    CSurface b = loadRgba(actual, &error);
    if (!b) {
        return {false, "regenerated file cannot be decoded: " + error};
    }
    char text[200];
    if (a->w != b->w || a->h != b->h) {
        std::snprintf(text, sizeof text, "size %dx%d vs %dx%d", a->w, a->h, b->w, b->h);
        return {false, text};
    }
    double worst = 0.0;
    int worstX = 0;
    int worstY = 0;
    long over = 0;
    int pixelWorst = 0;
    for (int by = 0; by < a->h; by += block) {
        for (int bx = 0; bx < a->w; bx += block) {
            long sum[4] = {0, 0, 0, 0};
            long count = 0;
            for (int y = by; y < by + block && y < a->h; ++y) {
                const auto* rowA = static_cast<const Uint8*>(a->pixels) + y * a->pitch;
                const auto* rowB = static_cast<const Uint8*>(b->pixels) + y * b->pitch;
                for (int x = bx; x < bx + block && x < a->w; ++x) {
                    const Uint8* p = rowA + 4 * x;
                    const Uint8* q = rowB + 4 * x;
                    for (int c = 0; c < 4; ++c) {
                        const int d = c == 3
                                          ? p[3] - q[3]
                                          : premultiplied(p[c], p[3]) - premultiplied(q[c], q[3]);
                        sum[c] += d;
                        pixelWorst = std::max(pixelWorst, std::abs(d));
                    }
                    ++count;
                }
            }
            double diff = 0.0;
            for (long s : sum) {
                diff = std::max(diff, static_cast<double>(std::labs(s)) / count);
            }
            over += diff > levels ? 1 : 0;
            if (diff > worst) {
                worst = diff;
                worstX = bx;
                worstY = by;
            }
        }
    }
    if (block == 1) {
        std::snprintf(text, sizeof text, "max diff %.0f levels (limit %d)", worst, levels);
    } else {
        std::snprintf(text, sizeof text,
                      "max diff of %dx%d means %.2f levels (limit %d), of pixels %d levels", block,
                      block, worst, levels, pixelWorst);
    }
    std::string figure = text;
    if (worst > 0.0) {
        std::snprintf(text, sizeof text, " at %d,%d; %ld %s over", worstX, worstY, over,
                      block == 1 ? "pixels" : "blocks");
        figure += text;
    }
    return {worst <= levels, figure};
}
