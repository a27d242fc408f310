// The four battle tracks a flight can be scored with.
#pragma once

#include "music/Song.h"

namespace snd {

Song civilBattle();    // driving minor-key synth battle
Song colonialBattle(); // martial, brass and galloping bass
Song rockmanBattle();  // fast chip-tune rock
Song zoltanBattle();   // eerie, glassy and half-time

} // namespace snd
