// Stick.h -- a pad's stick turned into thrust, the same for every kind of pad.
#pragma once

#include <SDL.h>

// The two axes map unevenly on purpose: the horizontal one by integer steps, the vertical one by
// a finer floating divisor, each nudged by a half before truncation.
int stickThrustX(Sint16 axis);
int stickThrustY(Sint16 axis);
