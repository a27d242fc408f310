// Hud.h -- state of the jet warning's blink, kept between frames.
#pragma once

// True once the alarm has been started in the banner's current visible phase.
extern bool alarmPlayed;
