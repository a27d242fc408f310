// The ship's manoeuvring jets in their three states: burning, frozen and thawing.
#pragma once

#include "Ship.h"

#include <cairo.h>
#include <cstdint>
#include <string>

namespace art {

enum class JetKind { Flames, Ice, Heal };

// Draws one jet at its nozzle, in ship pixels; the seed varies the flicker between jets.
void drawJet(cairo_t* cr, JetKind kind, const Nozzle& nozzle, std::uint64_t seed);

// Writes the 24 jet images, each the ship's size and showing one jet.
void writeJets(const std::string& dataDir);

} // namespace art
