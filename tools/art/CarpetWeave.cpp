// Turns the drawn rug into knotted wool: knot by knot colour, pile relief, dye lots and wear.
#include "CarpetWeave.h"

#include "Carpet.h"
#include "CarpetPalette.h"
#include "Random.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr int kKnot = 4;

// How each of a knot's 4x4 pixels catches the light from the top-left: the knot's crown is
// bright, the crevice below and to its right in shadow.
constexpr double kRelief[kKnot][kKnot] = {{1.05, 1.10, 1.08, 0.97},
                                          {1.04, 1.09, 1.06, 0.95},
                                          {1.00, 1.04, 1.01, 0.92},
                                          {0.88, 0.90, 0.89, 0.84}};

// Smooth noise whose lattice wraps around the tile, so the texture repeats with it.
double wrappedNoise(double x, double y, int cellsX, int cellsY, std::uint32_t salt) {
    const double fx = x / kTileWidth * cellsX;
    const double fy = y / kTileHeight * cellsY;
    const int ix = static_cast<int>(std::floor(fx));
    const int iy = static_cast<int>(std::floor(fy));
    const double tx = fx - ix;
    const double ty = fy - iy;
    const double sx = tx * tx * (3 - 2 * tx);
    const double sy = ty * ty * (3 - 2 * ty);
    auto at = [&](int i, int j) {
        return latticeHash(static_cast<std::uint32_t>((i % cellsX + cellsX) % cellsX),
                           static_cast<std::uint32_t>((j % cellsY + cellsY) % cellsY), salt);
    };
    const double top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * sx;
    const double bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * sx;
    return top + (bottom - top) * sy;
}

bool inPile(int x, int y) {
    return x >= kPileLeft && x < kPileRight && y >= kPileTop && y < kPileBottom;
}

} // namespace

std::vector<std::uint8_t> weaveTile(cairo_surface_t* design) {
    cairo_surface_flush(design);
    const unsigned char* data = cairo_image_surface_get_data(design);
    const int stride = cairo_image_surface_get_stride(design);
    auto channel = [&](int x, int y, int c) {
        // cairo keeps pixels as native-endian 0xAARRGGBB words.
        const std::uint32_t px = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
        return static_cast<double>((px >> (16 - 8 * c)) & 0xFF);
    };
    const int knotsX = kTileWidth / kKnot;
    const int knotsY = kTileHeight / kKnot;
    // Each knot is one colour: the average of the drawing over it.
    std::vector<double> knots(static_cast<std::size_t>(knotsX) * knotsY * 3);
    for (int ky = 0; ky < knotsY; ++ky) {
        for (int kx = 0; kx < knotsX; ++kx) {
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                for (int j = 0; j < kKnot; ++j) {
                    for (int i = 0; i < kKnot; ++i) {
                        sum += channel(kx * kKnot + i, ky * kKnot + j, c);
                    }
                }
                knots[(static_cast<std::size_t>(ky) * knotsX + kx) * 3 + c] = sum / (kKnot * kKnot);
            }
        }
    }
    // Dye lots change along the length of the rug in soft stripes across it.
    std::vector<double> abrash(kTileWidth);
    for (int x = 0; x < kTileWidth; ++x) {
        abrash[x] = wrappedNoise(x, 0, 16, 1, 7) - 0.5;
    }
    std::vector<std::uint8_t> out(static_cast<std::size_t>(kTileWidth) * kTileHeight * 3);
    for (int y = 0; y < kTileHeight; ++y) {
        for (int x = 0; x < kTileWidth; ++x) {
            const int kx = x / kKnot;
            const int ky = y / kKnot;
            const bool pile = inPile(x, y);
            double rgb[3];
            double light = 1.0;
            double grey = 0.0;
            if (pile) {
                for (int c = 0; c < 3; ++c) {
                    rgb[c] = knots[(static_cast<std::size_t>(ky) * knotsX + kx) * 3 + c];
                }
                light *= kRelief[y % kKnot][x % kKnot];
                light *= 1.0 + 0.10 * (latticeHash(kx, ky, 11) - 0.5);
                // Worn patches: paler, greyer, the pile flattened.
                const double wear = std::max(0.0, wrappedNoise(x, y, 20, 8, 13) * 0.7 +
                                                      wrappedNoise(x, y, 40, 16, 17) * 0.3 - 0.55);
                light *= 1.0 + 0.25 * wear;
                grey = 0.9 * wear;
                rgb[0] *= 1.0 + 0.08 * abrash[x];
                rgb[1] *= 1.0 + 0.03 * abrash[x];
            } else {
                for (int c = 0; c < 3; ++c) {
                    rgb[c] = channel(x, y, c);
                }
            }
            // Single fibres: a faint grain on every pixel.
            light *= 1.0 + 0.06 * (latticeHash(x, y, 19) - 0.5);
            const double mean = (rgb[0] + rgb[1] + rgb[2]) / 3.0;
            for (int c = 0; c < 3; ++c) {
                const double v = (rgb[c] + (mean - rgb[c]) * grey) * light;
                out[(static_cast<std::size_t>(y) * kTileWidth + x) * 3 + c] =
                    static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
            }
        }
    }
    return out;
}

} // namespace art
