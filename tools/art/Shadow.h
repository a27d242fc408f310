// Soft shadows cast down and to the right, away from the top-left light, onto the carpet.
#pragma once

#include <cairo.h>

namespace art {

// Returns a new surface: `sprite` over its own blurred shadow, shifted by (dx, dy).
cairo_surface_t* withShadow(cairo_surface_t* sprite, int dx, int dy, int blur, double strength);

} // namespace art
