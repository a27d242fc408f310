// Rules.h -- the version of the flight's rules that recordings are made under.
#pragma once

#include <SDL.h>

// Raised whenever a change makes the same seed and the same thrust fly differently; replays
// recorded under another version are refused rather than shown departing from what was flown.
constexpr Uint32 FLIGHT_RULES_VERSION = 1;
