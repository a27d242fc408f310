// The woven carpet the whole fight takes place over, seen from above.
#pragma once

#include <string>

namespace art {

// The game scrolls a 1280x720 window over the carpet and jumps back by one tile at its far
// edges, so the picture repeats itself with this tile's period.
constexpr int kTileWidth = 3200;
constexpr int kTileHeight = 1328;
constexpr int kCarpetWidth = 4480;
constexpr int kCarpetHeight = 2048;

// Writes BG_Carpet.jpg.
void writeCarpet(const std::string& dataDir);

} // namespace art
