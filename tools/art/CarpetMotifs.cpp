// The carpet's repeated ornaments: rosettes, lobed medallion outlines, stars, leaves.
#include "CarpetMotifs.h"

#include "CarpetPalette.h"

#include <algorithm>
#include <cmath>

namespace art {

void lobedPath(cairo_t* cr, double cx, double cy, double rx, double ry, int lobes, double depth,
               double phase) {
    const int steps = 720;
    for (int i = 0; i < steps; ++i) {
        const double a = 2 * M_PI * i / steps;
        const double notch = std::pow(0.5 - 0.5 * std::cos(lobes * (a - phase)), 2.0);
        const double k = 1.0 - depth * (1.0 - std::pow(1.0 - notch, 6.0));
        const double x = cx + rx * k * std::cos(a);
        const double y = cy + ry * k * std::sin(a);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
}

void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double turn) {
    for (int i = 0; i < 2 * points; ++i) {
        const double a = turn + M_PI * i / points - M_PI / 2;
        const double r = i % 2 == 0 ? outer : inner;
        if (i == 0) {
            cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        } else {
            cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        }
    }
    cairo_close_path(cr);
}

void diamondPath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_move_to(cr, cx - rx, cy);
    cairo_line_to(cr, cx, cy - ry);
    cairo_line_to(cr, cx + rx, cy);
    cairo_line_to(cr, cx, cy + ry);
    cairo_close_path(cr);
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void woolShape(cairo_t* cr, const Rgb& fill, double line) {
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    if (line > 0) {
        setColour(cr, kWoolInk);
        cairo_set_line_width(cr, line);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
}

void rosette(cairo_t* cr, double cx, double cy, double r, int petals, const Rgb& petal,
             const Rgb& heart, double turn) {
    const double spread = M_PI / petals * 0.95;
    // Big flowers keep a thin outline: a thick dark ring would swallow a dark red word.
    const double outline = std::clamp(r * 0.08, 1.0, 2.0);
    for (int i = 0; i < petals; ++i) {
        const double a = turn + 2 * M_PI * i / petals;
        const double tx = cx + r * std::cos(a);
        const double ty = cy + r * std::sin(a);
        cairo_move_to(cr, cx, cy);
        cairo_curve_to(cr, cx + r * 0.75 * std::cos(a - spread),
                       cy + r * 0.75 * std::sin(a - spread), tx + r * 0.25 * std::cos(a - M_PI / 2),
                       ty + r * 0.25 * std::sin(a - M_PI / 2), tx, ty);
        cairo_curve_to(cr, tx + r * 0.25 * std::cos(a + M_PI / 2),
                       ty + r * 0.25 * std::sin(a + M_PI / 2), cx + r * 0.75 * std::cos(a + spread),
                       cy + r * 0.75 * std::sin(a + spread), cx, cy);
        cairo_close_path(cr);
        woolShape(cr, petal, outline);
    }
    ellipsePath(cr, cx, cy, r * 0.32, r * 0.32);
    woolShape(cr, heart, outline);
}

void leaf(cairo_t* cr, double x, double y, double angle, double length, double width,
          const Rgb& colour) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -width, length * 0.7, -width, length, 0);
    cairo_curve_to(cr, length * 0.7, width, length * 0.3, width, 0, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
    woolShape(cr, colour, 1.5);
}

} // namespace art
