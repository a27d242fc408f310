// Drift.h -- the thrust the closing sequences hand back to the carpet once they end.
#pragma once

// Zero at program start and again when the arrival starts; random in -3..4 for a launch-away or
// a crash. Kept outside CGame: the sequences restore the thrust from them.
extern int driftX;
extern int driftY;
