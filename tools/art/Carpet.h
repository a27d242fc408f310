// The woven carpet the whole fight takes place over, seen from above.
#pragma once

#include "shared/GameFacts.h"

#include <string>

namespace art {

// The game scrolls a screen-sized window over the carpet and jumps back by one wrap period at
// its far edges, so one rug fills one period and the picture repeats with it.
constexpr int kTileWidth = CARPET_PERIOD_X;
constexpr int kTileHeight = CARPET_PERIOD_Y;

// Writes BG_Carpet.jpg.
void writeCarpet(const std::string& dataDir);

} // namespace art
