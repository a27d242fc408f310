// The player's ship seen from above, nose to the left, and the places its jets come out of.
#pragma once

#include <cairo.h>

namespace art {

constexpr int kShipWidth = 92;
constexpr int kShipHeight = 101;

// Where a manoeuvring jet leaves the hull and which way it blows, in ship pixels.
struct Nozzle {
    double x;
    double y;
    double dx;
    double dy;
};

// Thrust direction 0..3 (right, down, left, up); which 0 is jet A, 1 is jet B.
Nozzle shipNozzle(int direction, int which);

// Mouth of the main engine at the ship's tail, where the boost flame starts.
constexpr double kEngineX = 81.0;
constexpr double kEngineY = 50.5;

// Draws the ship with its top-left at the current origin.
void drawShip(cairo_t* cr);
// The ship and its shadow on a surface of its own size; the caller destroys it.
cairo_surface_t* renderShip();

} // namespace art
