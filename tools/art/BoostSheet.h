// The ship with its main engine roaring, twelve frames of its flame, for arrival and launch.
#pragma once

#include <cairo.h>
#include <string>

namespace art {

// Writes Fireboost_Sprite_SheetB.png on the game's grid (BOOST_* in shared/GameFacts.h); `ship` is
// pasted unchanged at the left of every frame.
void writeBoostSheet(const std::string& dataDir, cairo_surface_t* ship);

} // namespace art
