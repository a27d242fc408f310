// The carpet's repeated ornaments: rosettes, lobed medallion outlines, stars, leaves.
#pragma once

#include "Paint.h"

#include <cairo.h>
#include <cmath>

namespace art {

// A closed outline whose radius swells into `lobes` rounded lobes with sharp notches between.
void lobedPath(cairo_t* cr, double cx, double cy, double rx, double ry, int lobes, double depth,
               double phase = 0);
void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double turn = 0);
void diamondPath(cairo_t* cr, double cx, double cy, double rx, double ry);
void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
// A flower seen face on, outlined in dark wool.
void rosette(cairo_t* cr, double cx, double cy, double r, int petals, const Rgb& petal,
             const Rgb& heart, double turn = 0);
void leaf(cairo_t* cr, double x, double y, double angle, double length, double width,
          const Rgb& colour);
// Fills the current path in `fill` with a dark wool outline of `line` pixels; path used up.
void woolShape(cairo_t* cr, const Rgb& fill, double line);

// Calls draw(length) once per side of the rectangle, the canvas turned so that the side runs
// along +x from the origin and the inside of the rectangle lies towards +y.
template <class Draw>
void eachSide(cairo_t* cr, double x0, double y0, double x1, double y1, Draw draw) {
    const double corners[4][3] = {
        {x0, y0, 0}, {x1, y0, M_PI / 2}, {x1, y1, M_PI}, {x0, y1, 3 * M_PI / 2}};
    for (int side = 0; side < 4; ++side) {
        cairo_save(cr);
        cairo_translate(cr, corners[side][0], corners[side][1]);
        cairo_rotate(cr, corners[side][2]);
        draw(side % 2 == 0 ? x1 - x0 : y1 - y0);
        cairo_restore(cr);
    }
}

} // namespace art
