// Channels.cpp -- one-shot effects kept off the two loop channels.
#include "shell/Channels.h"

void groupEffectChannels() {
    Mix_GroupChannels(0, THAW_CHANNEL - 1, EFFECTS_GROUP);
}

void playOneShot(Mix_Chunk* chunk) {
    int channel = Mix_GroupAvailable(EFFECTS_GROUP);
    if (channel == -1) {
        return;
    }
    Mix_PlayChannelTimed(channel, chunk, 0, -1);
}
