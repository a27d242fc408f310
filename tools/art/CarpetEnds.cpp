// The rug's edges: the floor between rugs, fringes at the short ends, bound long edges.
#include "CarpetDesign.h"

#include "CarpetPalette.h"
#include "Random.h"

#include <cmath>
#include <cstdint>

namespace art {

namespace {

void fringe(cairo_t* cr, double rugEdge, double outward, Random& rng) {
    // Warp threads knotted together in tassels of five, fanning out and curling at their ends.
    const double pitch = 4.0;
    const int perTassel = 5;
    const double tassel = pitch * perTassel + 2;
    for (double top = kPileTop + 3; top + tassel < kPileBottom; top += tassel) {
        const double knotX = rugEdge + outward * 7;
        const double knotY = top + tassel / 2;
        const double len = kFringe - rng.range(3, 8);
        const double sway = rng.range(-3, 3);
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < perTassel; ++i) {
                const double y0 = top + 1 + i * pitch;
                const double spread = (i - (perTassel - 1) / 2.0) * pitch * 1.1;
                const double x1 = rugEdge + outward * (len - rng.range(0, 3) * pass);
                cairo_move_to(cr, rugEdge, y0);
                cairo_curve_to(cr, knotX - outward * 2, y0, knotX, knotY, knotX + outward * 3,
                               knotY + spread * 0.3);
                cairo_curve_to(cr, knotX + outward * 8, knotY + spread * 0.8, x1 - outward * 6,
                               knotY + spread + sway, x1, knotY + spread + sway * 1.5);
                if (pass == 0) {
                    // A shadow under each thread, only a little darker than the floor: the
                    // fringe is wide enough for a word to land on it.
                    setColour(cr, darker(kFloor, 0.3));
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
        cairo_scale(cr, 3.5, 5.5);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        setColour(cr, darker(kWheat, 0.1));
        cairo_fill_preserve(cr);
        setColour(cr, kWoolInk);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
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
    // Hand stitching, so no two turns lie quite the same distance apart: an even pitch would
    // stand still or crawl as the carpet scrolls.
    Random rng(1210 + static_cast<std::uint64_t>(y));
    for (double x = kFringe; x < kTileWidth - kFringe; x += rng.range(3.0, 5.5)) {
        cairo_move_to(cr, x, y + 1);
        cairo_line_to(cr, x + 3, y + kPileTop - 1);
    }
    setColour(cr, darker(kUmber, 0.3));
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
