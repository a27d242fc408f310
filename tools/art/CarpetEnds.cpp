// The rug's edges: dark floor between rugs, fringes at the short ends, bound long edges.
#include "CarpetDesign.h"

#include "CarpetPalette.h"
#include "Random.h"

#include <cmath>

namespace art {

namespace {

void fringe(cairo_t* cr, double rugEdge, double outward, Random& rng) {
    // Warp threads gathered into knotted tassels, spreading and curling a little at their ends.
    const double pitch = 6.0;
    for (double y = kPileTop + 4; y < kPileBottom - 2; y += pitch) {
        const double len = kFringe - rng.range(2, 9);
        const double bend = rng.range(-3, 3);
        const double x0 = rugEdge;
        const double x1 = rugEdge + outward * len;
        cairo_move_to(cr, x0, y);
        cairo_curve_to(cr, x0 + outward * len * 0.5, y, x1 - outward * 4, y + bend * 0.5, x1,
                       y + bend);
        setColour(cr, kWoolInk);
        cairo_set_line_width(cr, 4.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
        setColour(cr, mix(kIvory, kSaffron, rng.range(0.0, 0.3)));
        cairo_set_line_width(cr, 2.6);
        cairo_stroke(cr);
    }
    for (double y = kPileTop + 10; y < kPileBottom - 6; y += 4 * pitch) {
        const double kx = rugEdge + outward * 7;
        cairo_save(cr);
        cairo_translate(cr, kx, y + pitch * 0.5);
        cairo_scale(cr, 4, 7);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        setColour(cr, darker(kIvory, 0.15));
        cairo_fill_preserve(cr);
        setColour(cr, kWoolInk);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

void kilim(cairo_t* cr, double x) {
    // Flat weave: madder ground, two thin indigo and saffron stripes.
    cairo_rectangle(cr, x, kPileTop, kKilimBand, kPileBottom - kPileTop);
    setColour(cr, kMadderDeep);
    cairo_fill(cr);
    const double stripes[3][2] = {{3, 2}, {7, 2}, {11, 2}};
    const Rgb colours[3] = {kIndigo, kSaffron, kIndigo};
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, x + stripes[i][0], kPileTop, stripes[i][1], kPileBottom - kPileTop);
        setColour(cr, colours[i]);
        cairo_fill(cr);
    }
}

void selvedge(cairo_t* cr, double y) {
    // The long edges are wrapped in dark wool, stitched over in short slanting turns.
    cairo_rectangle(cr, kFringe, y, 3200 - 2 * kFringe, kPileTop);
    setColour(cr, kWalnut);
    cairo_fill(cr);
    for (double x = kFringe; x < 3200 - kFringe; x += 4) {
        cairo_move_to(cr, x, y + 1);
        cairo_line_to(cr, x + 3, y + kPileTop - 1);
    }
    setColour(cr, darker(kWalnut, 0.45));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

} // namespace

void drawRugEnds(cairo_t* cr) {
    setColour(cr, kFloor);
    cairo_paint(cr);
    Random rng(1200);
    fringe(cr, kFringe + 1, -1.0, rng);
    fringe(cr, 3200 - kFringe - 1, 1.0, rng);
    kilim(cr, kFringe);
    kilim(cr, kPileRight);
    selvedge(cr, 0);
    selvedge(cr, kPileBottom);
}

} // namespace art
