// The ship with its main engine roaring, twelve frames of a growing flame, for arrival and launch.
#pragma once

#include <cairo.h>
#include <string>

namespace art {

constexpr int kBoostFrameWidth = 221;
constexpr int kBoostFrameHeight = 101;
constexpr int kBoostColumns = 4;
constexpr int kBoostRows = 3;

// Writes Fireboost_Sprite_SheetB.png; `ship` is pasted unchanged at the left of every frame.
void writeBoostSheet(const std::string& dataDir, cairo_surface_t* ship);

} // namespace art
