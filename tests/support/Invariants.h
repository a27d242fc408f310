// Invariants.h -- what must hold after every frame, whatever the player or the aliens do.
#pragma once

#include "shell/Game.h"

#include <string>

// Empty when every invariant holds; otherwise says which broke and how.
std::string brokenInvariant(const CGame& game);
