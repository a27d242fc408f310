// The fire-throwing aliens that patrol the four screen edges, each facing the middle.
#include "Alien.h"

#include "Facing.h"
#include "Paint.h"
#include "Shadow.h"
#include "shared/AssetNames.h"

#include <cairo.h>
#include <cmath>

namespace art {

namespace {

// Orchid and plum: no dye of the carpet (olives, greens, browns, a faded rose) comes near that
// hue, and the pale skin is lighter than any of its wool, so an alien reads by its body and not
// only by its outline. The turquoise crest is the one cool note on it.
const Rgb kSkin = rgb255(242, 178, 252);
const Rgb kSkinDark = rgb255(178, 106, 208);
const Rgb kCrest = rgb255(48, 190, 206);
const Rgb kEye = rgb255(255, 226, 72);
const Rgb kClaw = rgb255(236, 226, 196);

void ellipse(cairo_t* cr, double x, double y, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

// A thick limb: an ink stroke under a skin stroke, with a light line along its upper edge.
void limb(cairo_t* cr, double x0, double y0, double cx, double cy, double x1, double y1,
          double width) {
    for (int pass = 0; pass < 2; ++pass) {
        cairo_move_to(cr, x0, y0);
        cairo_curve_to(cr, cx, cy, cx, cy, x1, y1);
        cairo_save(cr);
        cairo_identity_matrix(cr);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, pass == 0 ? width + 2 * kOutline : width);
        setColour(cr, pass == 0 ? kInk : kSkin);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

void tentacle(cairo_t* cr, double y, double bend) {
    cairo_move_to(cr, 18, y - 3.5);
    cairo_curve_to(cr, 12, y - 3 + bend, 8, y - 2 - bend, 3, y + bend * 0.5);
    cairo_curve_to(cr, 8, y + 1 - bend, 12, y + 3 + bend, 18, y + 3.5);
    cairo_close_path(cr);
    litShape(cr, kSkinDark, 0.8);
}

void hand(cairo_t* cr, double x, double y, int side) {
    // Three claws pointing forward, then the palm glowing with the next fireball.
    for (int c = -1; c <= 1; ++c) {
        const double a = c * 0.5 + side * 0.15;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        cairo_move_to(cr, 2, -1.6);
        cairo_curve_to(cr, 5, -1.6, 7, -0.8, 8.5, 0.5);
        cairo_curve_to(cr, 6.5, 0.4, 4, 1.6, 2, 1.6);
        cairo_close_path(cr);
        cairo_restore(cr);
        litShape(cr, kClaw, 0.7, 1.0);
    }
    ellipse(cr, x, y, 4.6, 4.6);
    litShape(cr, kSkin, 1.0);
    glow(cr, x + 2, y, 6, rgb255(255, 150, 40), 0.75);
}

void eye(cairo_t* cr, double x, double y, double r) {
    ellipse(cr, x, y, r, r);
    fillLit(cr, kEye, 0.6);
    strokeDevice(cr, kInk, kOutline);
    cairo_new_path(cr);
    // Slit pupil turned towards the front.
    ellipse(cr, x + r * 0.3, y, r * 0.28, r * 0.75);
    setColour(cr, kInk);
    cairo_fill(cr);
    shine(cr, x, y, r * 0.7, 0.9);
}

void crest(cairo_t* cr, double x) {
    cairo_move_to(cr, x + 4, 36 - 3);
    cairo_line_to(cr, x - 7, 36);
    cairo_line_to(cr, x + 4, 36 + 3);
    cairo_close_path(cr);
    litShape(cr, kCrest, 1.0, 1.0);
}

// The alien facing +x in a 72 px square; the caller turns the canvas.
void drawAlien(cairo_t* cr) {
    tentacle(cr, 27, 2.5);
    tentacle(cr, 36, -2.0);
    tentacle(cr, 45, 2.0);
    limb(cr, 30, 20, 38, 10, 54, 19, 5.5);
    limb(cr, 30, 52, 38, 62, 54, 53, 5.5);
    ellipse(cr, 30, 36, 17, 19);
    litShape(cr, kSkin, 1.0);
    // Darker mottling on the back.
    ellipse(cr, 25, 26, 4, 3);
    ellipse(cr, 22, 45, 3.5, 2.8);
    ellipse(cr, 33, 48, 2.6, 2.2);
    setColour(cr, kSkinDark, 0.7);
    cairo_fill(cr);
    crest(cr, 17);
    crest(cr, 25);
    crest(cr, 33);
    hand(cr, 55, 19, -1);
    hand(cr, 55, 53, 1);
    // Tusks, then the head over them.
    for (int s = -1; s <= 1; s += 2) {
        cairo_move_to(cr, 52, 36 + s * 5);
        cairo_curve_to(cr, 57, 36 + s * 6.5, 60, 36 + s * 4, 61.5, 36 + s * 1.5);
        cairo_curve_to(cr, 58, 36 + s * 3, 56, 36 + s * 3, 52, 36 + s * 2);
        cairo_close_path(cr);
        litShape(cr, kClaw, 0.7, 1.0);
    }
    ellipse(cr, 45, 36, 11.5, 12.5);
    litShape(cr, lighter(kSkin, 0.1), 1.0);
    eye(cr, 51, 36, 4.8);
    eye(cr, 46.5, 27.5, 3.0);
    eye(cr, 46.5, 44.5, 3.0);
}

} // namespace

void writeAliens(const std::string& dataDir) {
    for (int d = 0; d < 4; ++d) {
        const Facing& f = kFacings[d];
        cairo_surface_t* body = newSurface(kAlienSize, kAlienSize);
        cairo_t* cr = cairo_create(body);
        turnTowards(cr, f, kAlienSize);
        drawAlien(cr);
        cairo_destroy(cr);
        // It crouches on the carpet: a close, soft shadow.
        cairo_surface_t* s = withShadow(body, 2, 3, 2, 0.5);
        savePng(s, inData(dataDir, std::string(ALIEN_IMAGE_PREFIX) + DIRECTION_IMAGE_SUFFIX[d]));
        cairo_surface_destroy(s);
        cairo_surface_destroy(body);
    }
}

} // namespace art
