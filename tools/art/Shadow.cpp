// Soft shadows cast down and to the right, away from the top-left light, onto the carpet.
#include "Shadow.h"

#include "Paint.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace art {

namespace {

// A shadow's colour, premultiplied by nothing yet: deep umber, the carpet's wool in shade. Not
// black, since the game keys out every pixel of a sprite's see-through corner colour, which is
// black, whatever its alpha.
constexpr double kShade[3] = {40, 28, 16};

// One pass of a box blur along rows (step 1) or columns (step = width).
void boxPass(std::vector<double>& a, int w, int h, int radius, bool alongRows) {
    std::vector<double> out(a.size(), 0.0);
    const int lines = alongRows ? h : w;
    const int length = alongRows ? w : h;
    for (int line = 0; line < lines; ++line) {
        for (int i = 0; i < length; ++i) {
            double sum = 0;
            for (int k = -radius; k <= radius; ++k) {
                const int j = i + k;
                if (j >= 0 && j < length) {
                    sum += alongRows ? a[std::size_t(line) * w + j] : a[std::size_t(j) * w + line];
                }
            }
            const std::size_t at =
                alongRows ? std::size_t(line) * w + i : std::size_t(i) * w + line;
            out[at] = sum / (2 * radius + 1);
        }
    }
    a.swap(out);
}

} // namespace

cairo_surface_t* withShadow(cairo_surface_t* sprite, int dx, int dy, int blur, double strength) {
    cairo_surface_flush(sprite);
    const int w = cairo_image_surface_get_width(sprite);
    const int h = cairo_image_surface_get_height(sprite);
    const int stride = cairo_image_surface_get_stride(sprite);
    const unsigned char* src = cairo_image_surface_get_data(sprite);
    std::vector<double> alpha(std::size_t(w) * h, 0.0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int sx = x - dx;
            const int sy = y - dy;
            if (sx >= 0 && sy >= 0 && sx < w && sy < h) {
                std::uint32_t px = 0;
                std::memcpy(&px, src + sy * stride + sx * 4, 4);
                alpha[std::size_t(y) * w + x] = (px >> 24) / 255.0;
            }
        }
    }
    for (int pass = 0; pass < 2; ++pass) {
        boxPass(alpha, w, h, blur, true);
        boxPass(alpha, w, h, blur, false);
    }
    cairo_surface_t* out = newSurface(w, h);
    cairo_surface_flush(out);
    unsigned char* dst = cairo_image_surface_get_data(out);
    const int outStride = cairo_image_surface_get_stride(out);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double a = std::clamp(alpha[std::size_t(y) * w + x] * strength, 0.0, 1.0);
            std::uint32_t px = static_cast<std::uint32_t>(a * 255.0 + 0.5) << 24;
            for (int c = 0; c < 3; ++c) {
                px |= static_cast<std::uint32_t>(kShade[c] * a + 0.5) << (16 - 8 * c);
            }
            std::memcpy(dst + y * outStride + x * 4, &px, 4);
        }
    }
    cairo_surface_mark_dirty(out);
    cairo_t* cr = cairo_create(out);
    cairo_set_source_surface(cr, sprite, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(out);
    return out;
}

} // namespace art
