// Turns the drawn rug into knotted wool: knot by knot colour, pile relief, dye lots and wear.
#include "CarpetWeave.h"

#include "Carpet.h"
#include "CarpetPalette.h"
#include "Random.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

// Knots are about 4 px apart, each one in its own 4x4 cell but anywhere inside it. A lattice of
// knots would be the strongest pattern in the carpet, and as the carpet scrolls by whole pixels
// it would stand still at some speeds, flicker or creep backwards at others; scattered knots
// spread that energy over every frequency, so no speed picks one out.
constexpr int kKnot = 4;
constexpr int kCellsX = kTileWidth / kKnot;
constexpr int kCellsY = kTileHeight / kKnot;
static_assert(kCellsX * kKnot == kTileWidth && kCellsY * kKnot == kTileHeight,
              "the knots must repeat with the tile");

// A knot is a tuft of yarn leaning the same way as its neighbours, seen from above as a little
// slanted oval: distances are measured in its own frame, longer along the lean.
constexpr double kLeanCos = 0.8;
constexpr double kLeanSin = -0.6;
constexpr double kAlong = 1.0 / 1.6;
constexpr double kAcross = 1.0 / 0.75;

// Where each cell's knot sits within it, as an offset from the cell's corner.
struct Knots {
    std::vector<double> dx;
    std::vector<double> dy;
    Knots() : dx(kCellsX * kCellsY), dy(kCellsX * kCellsY) {
        for (int j = 0; j < kCellsY; ++j) {
            for (int i = 0; i < kCellsX; ++i) {
                dx[j * kCellsX + i] = latticeHash(i, j, 23) * kKnot;
                dy[j * kCellsX + i] = latticeHash(i, j, 29) * kKnot;
            }
        }
    }
};

struct NearestKnot {
    int cell;     // index into the wrapped cells
    double depth; // 0 at the knot's crown, 1 where it meets its neighbour
    double lit;   // -1 .. 1: on the side facing the top-left light, or away from it
};

NearestKnot nearestKnot(const Knots& knots, int x, int y) {
    const double px = x + 0.5;
    const double py = y + 0.5;
    const int ci = x / kKnot;
    const int cj = y / kKnot;
    double best = 1e9;
    double second = 1e9;
    int bi = ci;
    int bj = cj;
    double bx = 0;
    double by = 0;
    for (int j = cj - 2; j <= cj + 2; ++j) {
        for (int i = ci - 2; i <= ci + 2; ++i) {
            // Cells past the tile's edges are those of its far side: the tile wraps.
            const int cell = (j + kCellsY) % kCellsY * kCellsX + (i + kCellsX) % kCellsX;
            const double kx = i * kKnot + knots.dx[cell];
            const double ky = j * kKnot + knots.dy[cell];
            const double u = ((px - kx) * kLeanCos + (py - ky) * kLeanSin) * kAlong;
            const double v = ((py - ky) * kLeanCos - (px - kx) * kLeanSin) * kAcross;
            const double d = u * u + v * v;
            if (d < best) {
                second = best;
                best = d;
                bi = i;
                bj = j;
                bx = px - kx;
                by = py - ky;
            } else if (d < second) {
                second = d;
            }
        }
    }
    const double toward = -(bx + by) / (std::hypot(bx, by) + 1.0);
    return {(bj + kCellsY) % kCellsY * kCellsX + (bi + kCellsX) % kCellsX, std::sqrt(best / second),
            toward};
}

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
    const Knots scatter;
    // Each knot is one colour: the average of the drawing over its cell.
    std::vector<double> knots(static_cast<std::size_t>(kCellsX) * kCellsY * 3);
    for (int ky = 0; ky < kCellsY; ++ky) {
        for (int kx = 0; kx < kCellsX; ++kx) {
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                for (int j = 0; j < kKnot; ++j) {
                    for (int i = 0; i < kKnot; ++i) {
                        sum += channel(kx * kKnot + i, ky * kKnot + j, c);
                    }
                }
                knots[(static_cast<std::size_t>(ky) * kCellsX + kx) * 3 + c] =
                    sum / (kKnot * kKnot);
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
            const bool pile = inPile(x, y);
            double rgb[3];
            double light = 1.0;
            double grey = 0.0;
            if (pile) {
                const NearestKnot knot = nearestKnot(scatter, x, y);
                for (int c = 0; c < 3; ++c) {
                    rgb[c] = knots[static_cast<std::size_t>(knot.cell) * 3 + c];
                }
                // The crown of each tuft catches the light on its top-left side; the crevice
                // between tufts lies in shade.
                light *= 1.05 + 0.05 * knot.lit - 0.16 * knot.depth * knot.depth;
                light *= 1.0 + 0.10 * (latticeHash(knot.cell, 0, 11) - 0.5);
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
