// Channels.h -- the mixer's channel plan: two fixed loop channels, the rest for one-shot effects.
#pragma once

#include <SDL_mixer.h>

constexpr int MIX_CHANNELS_TOTAL = 16;
// The launch roar, and the thrust hum between launches.
constexpr int ROAR_CHANNEL = 15;
constexpr int HUM_CHANNEL = 15;
// The thaw loop.
constexpr int THAW_CHANNEL = 14;
// Channels 0 to 13 carry the one-shot effects.
constexpr int EFFECTS_GROUP = 1;

// Sets the channel plan up once the mixer is open.
void groupEffectChannels();

// Plays an effect once on the lowest free effects channel. One-shots never take the loop
// channels: an effect there would hold off the hum until it ended, or be cut by the hum's fade.
// With every effects channel busy the effect is skipped.
void playOneShot(Mix_Chunk* chunk);
