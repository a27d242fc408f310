// MixerClock.h -- the mixer's clock, owned by the test program.
//
// SDL_mixer times a channel's fade and expiry by SDL's millisecond count, read on its audio thread.
// The test program defines that function itself, so the mixer reads a clock the tests set: a fade
// then lasts exactly as many of its milliseconds as the game asked for, however fast the machine.
#pragma once

#include <SDL.h>

// Stands the mixer's clock at `ms` (it starts at 1000 and moves only when set).
void setMixerTicks(Uint32 ms);
Uint32 mixerTicks();

// Returns once the mixer has mixed a whole pass begun after this call, so it has seen the clock
// as it now stands. The mixer must be open.
void awaitMixerPass();
