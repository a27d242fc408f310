// The rug's border: narrow guard stripes either side of a wide tobacco band with a flowering vine.
#include "CarpetDesign.h"

#include "CarpetMotifs.h"
#include "CarpetPalette.h"
#include "Random.h"

#include <cmath>

namespace art {

namespace {

void band(cairo_t* cr, double length, double from, double width, const Rgb& colour) {
    // Bands nest like picture frames: each starts as far along the side as it lies inside.
    cairo_rectangle(cr, from, from, length - 2 * from, width);
    setColour(cr, colour);
    cairo_fill(cr);
}

void outerGuard(cairo_t* cr, double length) {
    band(cr, length, 0, kOuterGuard, kSpruce);
    band(cr, length, 4, 12, kOchre);
    // Reciprocal teeth: spruce triangles biting into the ochre stripe.
    const double tooth = 12;
    for (double s = 4; s + tooth < length - 4; s += tooth) {
        cairo_move_to(cr, s, 16);
        cairo_line_to(cr, s + tooth * 0.5, 5);
        cairo_line_to(cr, s + tooth, 16);
        cairo_close_path(cr);
    }
    setColour(cr, kSpruce);
    cairo_fill(cr);
    band(cr, length, 3, 1.5, kWoolInk);
    band(cr, length, 16, 1.5, kWoolInk);
}

void vine(cairo_t* cr, double length) {
    const double from = kOuterGuard + kMainBorder;
    const double to = length - from;
    const double mid = kOuterGuard + kMainBorder / 2;
    const double amp = 24;
    const int halves = std::max(2, static_cast<int>(std::lround((to - from) / 70.0)));
    const double half = (to - from) / halves;
    auto yAt = [&](double s) { return mid + amp * std::sin(M_PI * (s - from) / half); };
    cairo_move_to(cr, from, yAt(from));
    for (double s = from; s <= to; s += 2) {
        cairo_line_to(cr, s, yAt(s));
    }
    setColour(cr, kWoolInk);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    setColour(cr, kOchre);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    for (int i = 0; i < halves; ++i) {
        const double crest = from + half * (i + 0.5);
        const double side = i % 2 == 0 ? 1.0 : -1.0;
        // A flower sits in the hollow of each wave, a pair of leaves where the vine crosses.
        // Only the flowers' hearts keep a dot of rose.
        const Rgb petal = i % 4 < 2 ? kSage : kWheat;
        rosette(cr, crest, mid - side * 14, 17, 8, petal, kRose, M_PI / 8 * (i % 2));
        const double cross = from + half * i;
        if (i > 0) {
            leaf(cr, cross, mid, -M_PI / 2 - 0.6 * side, 22, 6, kSpruce);
            leaf(cr, cross, mid, M_PI / 2 - 0.6 * side, 22, 6, kSpruce);
        }
        ellipsePath(cr, crest, mid + side * 30, 3.5, 3.5);
        woolShape(cr, kWheat, 1.2);
    }
}

void mainBorder(cairo_t* cr, double length) {
    band(cr, length, kOuterGuard, kMainBorder, kTobacco);
    band(cr, length, kOuterGuard + 4, 1.5, kOchre);
    band(cr, length, kOuterGuard + kMainBorder - 5.5, 1.5, kOchre);
    vine(cr, length);
}

void innerGuard(cairo_t* cr, double length, Random& rng) {
    const double top = kOuterGuard + kMainBorder;
    band(cr, length, top, kInnerGuard, kWheat);
    band(cr, length, top + 3, kInnerGuard - 6, kSpruce);
    // A dark line along the outer edge only: the field's outline already runs along the inner
    // one, and two dark lines side by side would swallow a dark red word.
    band(cr, length, top + 2, 1.5, kWoolInk);
    // Small flowers strewn at random, at least 14 px apart: a row at one pitch (26 px) stood
    // still or crawled backwards at some scroll speeds.
    for (double s = top + 12; s < length - top; s += 14 + rng.exponential(12)) {
        rosette(cr, s, top + kInnerGuard / 2, 6, 4, kWheat, kOchre, M_PI / 4);
    }
}

void cornerBlock(cairo_t* cr) {
    const double c = kOuterGuard + kMainBorder / 2;
    cairo_rectangle(cr, kOuterGuard, kOuterGuard, kMainBorder, kMainBorder);
    setColour(cr, kSpruce);
    cairo_fill(cr);
    diamondPath(cr, c, c, 44, 44);
    woolShape(cr, kOchre, 2);
    diamondPath(cr, c, c, 34, 34);
    woolShape(cr, kTobacco, 1.5);
    rosette(cr, c, c, 24, 8, kWheat, kRose);
}

} // namespace

void drawRugBorder(cairo_t* cr) {
    const double x0 = kPileLeft;
    const double y0 = kPileTop;
    const double x1 = kPileRight;
    const double y1 = kPileBottom;
    eachSide(cr, x0, y0, x1, y1, [cr](double length) { outerGuard(cr, length); });
    eachSide(cr, x0, y0, x1, y1, [cr](double length) { mainBorder(cr, length); });
    Random rng(1300);
    eachSide(cr, x0, y0, x1, y1, [cr, &rng](double length) { innerGuard(cr, length, rng); });
    eachSide(cr, x0, y0, x1, y1, [cr](double) { cornerBlock(cr); });
}

} // namespace art
