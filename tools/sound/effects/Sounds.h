// The game's sound effects, each rendered from scratch by its own file.
#pragma once

#include "dsp/Signal.h"

namespace snd {

Stereo alienShot();     // an alien hurls a fireball
Stereo alienHit();      // a fireball strikes and freezes a jet
Stereo thrustBase();    // the engine hum, a seamless loop
Stereo thrustFade();    // ice thawing off the jets, a seamless loop
Stereo thrustRoar();    // the full roar of arrival and launch
Stereo thrustAlarm();   // the frozen-jet warning
Stereo shipExplosion(); // one blast of the ship breaking apart
Stereo shipCrash();     // the wreck hitting the ground, debris raining after

} // namespace snd
