// The desktop icon: the ship over a square of the carpet, at the sizes the desktop asks for.
#pragma once

#include <string>

namespace art {

// Writes icons/vorlusk-{48,64,128,256}.png, each drawn afresh at its size so small ones stay sharp.
void writeIcons(const std::string& dataDir);

} // namespace art
