// The four directions aliens face and fireballs fly, and how to turn a drawing made facing right.
#pragma once

#include <cairo.h>
#include <cmath>

namespace art {

struct Facing {
    double angle; // clockwise on screen from "right"
};

// In the game's order of directions: right, down, left, up.
inline constexpr Facing kFacings[4] = {{0.0}, {M_PI / 2}, {M_PI}, {-M_PI / 2}};

// Turns a square canvas about its middle so that a drawing facing +x faces `facing`.
inline void turnTowards(cairo_t* cr, const Facing& facing, int size) {
    const double half = size / 2.0;
    cairo_translate(cr, half, half);
    cairo_rotate(cr, facing.angle);
    cairo_translate(cr, -half, -half);
}

} // namespace art
