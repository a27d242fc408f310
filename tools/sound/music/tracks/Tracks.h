// The four battle tracks a flight can be scored with.
#pragma once

#include "music/Song.h"

namespace snd {

Song civilBattle();    // F# minor, 140 BPM: driving synth battle, supersaw lead
Song colonialBattle(); // C minor, 12/8 at 100: fife-and-drum march that keeps growing
Song rockmanBattle();  // G mixolydian, 168 BPM shuffle: chip-tune rock, pulse lead
Song zoltanBattle();   // B lydian, 76 BPM half time: eerie and glassy, theremin lead

} // namespace snd
