// Directions.h -- unit steps of the four directions, indexed 0 right, 1 down, 2 left, 3 up.
#pragma once

constexpr int dirX[4] = {1, 0, -1, 0};
constexpr int dirY[4] = {0, 1, 0, -1};
