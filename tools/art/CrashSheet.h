// The crash, 48 frames from the ship freezing up and bursting to a charred wreck on the carpet.
#pragma once

#include <cairo.h>
#include <string>

namespace art {

// Writes Crash_Sprite_Sheet.png; `frozenShip` is the ship with all its jets iced over.
void writeCrashSheet(const std::string& dataDir, cairo_surface_t* frozenShip);

} // namespace art
