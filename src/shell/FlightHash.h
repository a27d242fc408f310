// FlightHash.h -- a fingerprint of the flight's state, for telling when a replay departs from
// what was recorded.
#pragma once

#include <SDL.h>

class CGame;

// FNV-1a over everything a flight's future depends on: the state and its counters, the clock,
// the score, the thrust and drift, the ship's freeze timers, every alien and fireball, the
// carpet's window and the two sheets.
Uint32 hashFlight(const CGame& game);
