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

// The highest peak of the blasts' sum as the crash sets them off, over every way the mixer may
// place them, and how high it may reach once decoded: the music, peaking near -10 dBFS, leaves
// it the rest of -3 dBFS.
double explosionStackPeak(const Stereo& blast);
constexpr double kExplosionStackDb = -8.0;

} // namespace snd
