// The rug's field: an olive ground under a flowered lattice, with medallions and corner pieces.
#include "CarpetDesign.h"

#include "CarpetMotifs.h"
#include "CarpetPalette.h"
#include "Random.h"

#include <cmath>

namespace art {

namespace {

constexpr double kLeft = kPileLeft + kFieldInset;
constexpr double kTop = kPileTop + kFieldInset;
constexpr double kRight = kPileRight - kFieldInset;
constexpr double kBottom = kPileBottom - kFieldInset;
constexpr double kMidX = (kLeft + kRight) / 2;
constexpr double kMidY = (kTop + kBottom) / 2;

void lattice(cairo_t* cr) {
    const double step = 84;
    setColour(cr, kOlive);
    cairo_paint(cr);
    // Two families of diagonals: x - y = a0 + n * step and x + y = b0 + m * step.
    const double a0 = kLeft - kTop;
    const double b0 = kLeft + kTop;
    const int reach = static_cast<int>((kRight - kLeft + kBottom - kTop) / step) + 2;
    cairo_set_line_width(cr, 3);
    setColour(cr, kOchre);
    for (int n = -reach; n <= reach; ++n) {
        const double a = a0 + n * step;
        cairo_move_to(cr, kTop - 10 + a, kTop - 10);
        cairo_line_to(cr, kBottom + 10 + a, kBottom + 10);
        const double b = b0 + n * step + reach * step;
        cairo_move_to(cr, b - (kTop - 10), kTop - 10);
        cairo_line_to(cr, b - (kBottom + 10), kBottom + 10);
    }
    cairo_stroke(cr);
    // Dots where the diagonals cross, flowers in the diamonds; colours follow a fixed cycle.
    const Rgb petals[4] = {kSpruce, kWheat, kOchre, kSage};
    for (int twice = 0; twice < 2; ++twice) {
        const double offset = twice * 0.5;
        for (int n = -2 * reach; n <= 2 * reach; ++n) {
            for (int m = -2 * reach; m <= 2 * reach; ++m) {
                const double a = a0 + (n + offset) * step;
                const double b = b0 + (m + offset) * step;
                const double x = (a + b) / 2;
                const double y = (b - a) / 2;
                if (x < kLeft - 20 || x > kRight + 20 || y < kTop - 20 || y > kBottom + 20) {
                    continue;
                }
                if (twice == 0) {
                    ellipsePath(cr, x, y, 4, 4);
                    woolShape(cr, kWheat, 1.2);
                } else {
                    const int k = ((n + m) % 4 + 4) % 4;
                    rosette(cr, x, y, 12, 4, petals[k], kRose, M_PI / 4);
                }
            }
        }
    }
}

void medallion(cairo_t* cr, double cx, double cy, double rx, double ry) {
    lobedPath(cr, cx, cy, rx * 1.03, ry * 1.03, 16, 0.12, M_PI / 2);
    woolShape(cr, kWheat, 2);
    lobedPath(cr, cx, cy, rx, ry, 16, 0.12, M_PI / 2);
    woolShape(cr, kSpruce, 2);
    // A ring of small flowers on the spruce.
    for (int i = 0; i < 24; ++i) {
        const double a = 2 * M_PI * i / 24;
        rosette(cr, cx + rx * 0.84 * std::cos(a), cy + ry * 0.84 * std::sin(a), 14, 6,
                i % 2 ? kWheat : kOchre, kRose, a);
    }
    lobedPath(cr, cx, cy, rx * 0.7, ry * 0.7, 8, 0.2, M_PI / 2);
    woolShape(cr, kOchre, 2);
    lobedPath(cr, cx, cy, rx * 0.62, ry * 0.62, 8, 0.2, M_PI / 2);
    woolShape(cr, kTobacco, 2);
    for (int i = 0; i < 16; ++i) {
        const double a = 2 * M_PI * i / 16 + M_PI / 16;
        leaf(cr, cx + rx * 0.3 * std::cos(a), cy + ry * 0.3 * std::sin(a), a, rx * 0.22, 9,
             i % 2 ? kSpruce : kSage);
    }
    starPath(cr, cx, cy, rx * 0.32, rx * 0.2, 8);
    woolShape(cr, kSpruce, 2);
    starPath(cr, cx, cy, rx * 0.22, rx * 0.14, 8, M_PI / 8);
    woolShape(cr, kWheat, 2);
    rosette(cr, cx, cy, rx * 0.12, 12, kSage, kOchre);
}

void pendant(cairo_t* cr, double x, double y, double dir, double size) {
    // A lozenge and a finial hanging from the medallion along its axis.
    diamondPath(cr, x, y + dir * size * 0.6, size * 0.45, size * 0.7);
    woolShape(cr, kWheat, 2);
    diamondPath(cr, x, y + dir * size * 0.6, size * 0.35, size * 0.58);
    woolShape(cr, kSpruce, 2);
    rosette(cr, x, y + dir * size * 0.6, size * 0.2, 6, kOchre, kRose);
    ellipsePath(cr, x, y + dir * size * 1.45, size * 0.16, size * 0.16);
    woolShape(cr, kOchre, 2);
}

void sideMedallion(cairo_t* cr, double cx, double cy, double r) {
    starPath(cr, cx, cy, r, r * 0.78, 8, M_PI / 8);
    woolShape(cr, kWheat, 2);
    starPath(cr, cx, cy, r * 0.93, r * 0.71, 8, M_PI / 8);
    woolShape(cr, kSpruce, 2);
    lobedPath(cr, cx, cy, r * 0.62, r * 0.62, 8, 0.18);
    woolShape(cr, kOchre, 2);
    lobedPath(cr, cx, cy, r * 0.52, r * 0.52, 8, 0.18);
    woolShape(cr, kTobacco, 2);
    for (int i = 0; i < 8; ++i) {
        const double a = 2 * M_PI * i / 8;
        rosette(cr, cx + r * 0.77 * std::cos(a + M_PI / 8), cy + r * 0.77 * std::sin(a + M_PI / 8),
                13, 6, kWheat, kRose);
    }
    rosette(cr, cx, cy, r * 0.36, 8, kWheat, kOchre);
    rosette(cr, cx, cy, r * 0.16, 8, kSage, kOchre, M_PI / 8);
}

void cornerPieces(cairo_t* cr) {
    // Each corner of the field holds a quarter of a smaller medallion.
    const double corners[4][2] = {
        {kLeft, kTop}, {kRight, kTop}, {kLeft, kBottom}, {kRight, kBottom}};
    for (const auto& c : corners) {
        medallion(cr, c[0], c[1], 300, 250);
    }
}

} // namespace

void drawRugField(cairo_t* cr) {
    cairo_save(cr);
    cairo_rectangle(cr, kLeft, kTop, kRight - kLeft, kBottom - kTop);
    cairo_clip(cr);
    lattice(cr);
    cornerPieces(cr);
    const double rx = 390;
    const double ry = 330;
    medallion(cr, kMidX, kMidY, rx, ry);
    pendant(cr, kMidX, kMidY - ry * 1.03, -1, 90);
    pendant(cr, kMidX, kMidY + ry * 1.03, 1, 90);
    const double side = 920;
    sideMedallion(cr, kMidX - side, kMidY, 200);
    sideMedallion(cr, kMidX + side, kMidY, 200);
    cairo_restore(cr);
    cairo_rectangle(cr, kLeft, kTop, kRight - kLeft, kBottom - kTop);
    setColour(cr, kWoolInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

} // namespace art
