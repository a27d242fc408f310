// MixerClock.cpp -- SDL's millisecond count as everything outside SDL itself in the test program
// reads it: the mixer's fades follow the tests' clock (SDL calls its own copy, so its drivers keep
// real time). Defined here, it takes the place of the library's for the mixer, which links to it.
#include "support/MixerClock.h"

#include <SDL_mixer.h>
#include <atomic>

namespace {

std::atomic<Uint32> ticks{1000};

void signalPass(void* done, Uint8*, int) {
    SDL_SemPost(static_cast<SDL_sem*>(done));
}

} // namespace

extern "C" Uint32 SDL_GetTicks(void) {
    return ticks.load();
}

void setMixerTicks(Uint32 ms) {
    ticks.store(ms);
}

Uint32 mixerTicks() {
    return ticks.load();
}

void awaitMixerPass() {
    // The post-mix hook is set under the audio lock: the first pass to call it began afterwards.
    SDL_sem* done = SDL_CreateSemaphore(0);
    Mix_SetPostMix(signalPass, done);
    SDL_SemWait(done);
    Mix_SetPostMix(nullptr, nullptr);
    SDL_DestroySemaphore(done);
}
