// Turns the drawn rug into knotted wool: knot by knot colour, pile relief, dye lots and wear.
#pragma once

#include <cairo.h>
#include <cstdint>
#include <vector>

namespace art {

// Returns the tile as packed RGB bytes, row after row; `design` is the drawn rug at tile size.
std::vector<std::uint8_t> weaveTile(cairo_surface_t* design);

} // namespace art
