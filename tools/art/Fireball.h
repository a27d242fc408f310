// The fireballs the aliens throw: a white-hot core with its flame trailing behind.
#pragma once

#include <cairo.h>
#include <cstdint>
#include <string>

namespace art {

// Draws a fireball flying towards +x, its core at (x, y); the seed varies its flicker.
void drawFireball(cairo_t* cr, double x, double y, double scale, std::uint64_t seed);

// Writes Fireball_RIGHT/DOWN/LEFT/UP, each the aliens' size with the core in the middle half.
void writeFireballs(const std::string& dataDir);

} // namespace art
