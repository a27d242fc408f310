// The rug's edges: the floor between rugs, fringes at the short ends, bound long edges.
#include "CarpetDesign.h"

#include "CarpetPalette.h"
#include "Random.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace art {

namespace {

void fringe(cairo_t* cr, double rugEdge, double outward, Random& rng) {
    // Warp threads knotted together in tassels, fanning out and curling at their ends. Knotted by
    // hand: four to seven threads a tassel, the gaps between threads and between tassels strewn
    // at random, so neither repeats at any one distance. Evenly spaced threads (4 px) or tassels
    // (22 px) stood still or crawled backwards at some scroll speeds.
    double top = kPileTop + 3;
    for (;;) {
        const int perTassel = 4 + rng.below(4);
        double threads[7] = {0};
        for (int i = 1; i < perTassel; ++i) {
            threads[i] = threads[i - 1] + std::min(1.8 + rng.exponential(2.6), 8.0);
        }
        const double width = threads[perTassel - 1] + 4;
        const double tassel = width + rng.exponential(4.0);
        if (top + tassel >= kPileBottom) {
            break;
        }
        const double knotX = rugEdge + outward * 7;
        const double knotY = top + width / 2;
        const double len = kFringe - rng.range(3, 8);
        const double sway = rng.range(-3, 3);
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < perTassel; ++i) {
                const double y0 = top + 1 + threads[i];
                const double spread = (threads[i] - threads[perTassel - 1] / 2) * 1.1;
                const double x1 = rugEdge + outward * (len - rng.range(0, 3) * pass);
                cairo_move_to(cr, rugEdge, y0);
                cairo_curve_to(cr, knotX - outward * 2, y0, knotX, knotY, knotX + outward * 3,
                               knotY + spread * 0.3);
                cairo_curve_to(cr, knotX + outward * 8, knotY + spread * 0.8, x1 - outward * 6,
                               knotY + spread + sway, x1, knotY + spread + sway * 1.5);
                if (pass == 0) {
                    // A shadow under each thread, only a little darker than the floor: the
                    // fringe is wide enough for a word to land on it.
                    setColour(cr, darker(kFloor, 0.15));
                    cairo_set_line_width(cr, 3.4);
                } else {
                    setColour(cr, mix(kWheat, kOchre, rng.range(0.0, 0.35)));
                    cairo_set_line_width(cr, 1.8);
                }
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                cairo_stroke(cr);
            }
        }
        cairo_save(cr);
        cairo_translate(cr, knotX + outward * 1.5, knotY);
        cairo_scale(cr, 3.5, width / 4);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        setColour(cr, darker(kWheat, 0.1));
        cairo_fill_preserve(cr);
        setColour(cr, darker(kFloor, 0.3));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        top += tassel;
    }
}

void kilim(cairo_t* cr, double x) {
    // Flat weave: camel ground, two thin spruce stripes either side of a rose one.
    cairo_rectangle(cr, x, kPileTop, kKilimBand, kPileBottom - kPileTop);
    setColour(cr, kCamel);
    cairo_fill(cr);
    const double stripes[3][2] = {{3, 2}, {7, 2}, {11, 2}};
    const Rgb colours[3] = {kSpruce, kRose, kSpruce};
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, x + stripes[i][0], kPileTop, stripes[i][1], kPileBottom - kPileTop);
        setColour(cr, colours[i]);
        cairo_fill(cr);
    }
}

void selvedge(cairo_t* cr, double y) {
    // The long edges are wrapped in umber wool, stitched over in short slanting turns.
    cairo_rectangle(cr, kFringe, y, kTileWidth - 2 * kFringe, kPileTop);
    setColour(cr, kUmber);
    cairo_fill(cr);
    // Hand stitching, strewn at random and each turn leaning its own way, in a shade only a little
    // darker than the wool: even 3 to 5.5 px apart, strong turns still crawled as the carpet
    // scrolled.
    Random rng(1210 + static_cast<std::uint64_t>(y));
    for (double x = kFringe; x < kTileWidth - kFringe; x += 1.5 + rng.exponential(3.25)) {
        cairo_move_to(cr, x, y + 1);
        cairo_line_to(cr, x + rng.range(2.0, 4.0), y + kPileTop - 1);
    }
    setColour(cr, darker(kUmber, 0.15));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

} // namespace

void drawRugEnds(cairo_t* cr) {
    setColour(cr, kFloor);
    cairo_paint(cr);
    Random rng(1200);
    fringe(cr, kFringe + 1, -1.0, rng);
    fringe(cr, kTileWidth - kFringe - 1, 1.0, rng);
    kilim(cr, kFringe);
    kilim(cr, kPileRight);
    selvedge(cr, 0);
    selvedge(cr, kPileBottom);
}

} // namespace art
