// The fire-throwing aliens that patrol the four screen edges, each facing the middle.
#pragma once

#include <string>

namespace art {

constexpr int kAlienSize = 72;

// Writes Alien_RIGHT/DOWN/LEFT/UP: one species, turned to face the centre from each edge.
void writeAliens(const std::string& dataDir);

} // namespace art
