// Thrusters.cpp -- renderThrusters: the eight jets burning, frozen or thawing, and their two loops.
#include "shell/Channels.h"
#include "shell/Game.h"

namespace {

constexpr float VOLUME_QUARTER = 0.25f;
constexpr float VOLUME_FULL = 64.0f;
constexpr int FADE_OUT_MS = 500;

// Keeps a loop going on its channel at the given volume, or fades it out when nothing feeds it.
// The fade is asked for again every frame until the channel has stopped.
void driveLoop(int channel, Mix_Chunk* chunk, int count, int volume) {
    if (count == 0) {
        if (Mix_Playing(channel) != 0) {
            Mix_FadeOutChannel(channel, FADE_OUT_MS);
        }
        return;
    }
    Mix_VolumeChunk(chunk, volume);
    if (Mix_Playing(channel) == 0) {
        Mix_PlayChannelTimed(channel, chunk, -1, -1);
    }
}

} // namespace

void CGame::renderThrusters() {
    const bool thrusting[4] = {thrustX > 0, thrustY > 0, thrustX < 0, thrustY < 0};
    int burning = 0;
    int thawing = 0;

    for (int d = 0; d < 4; ++d) {
        for (int s = 0; s < 2; ++s) {
            int& timer = ship.timers[2 * d + s];
            if (timer == 0) {
                if (thrusting[d]) {
                    flames[d][s][Flames].render(renderer);
                    ++burning;
                }
            } else if (thrusting[d]) {
                // Thrusting the jet's way is the only thing that thaws it.
                flames[d][s][Heal].render(renderer);
                --timer;
                ++thawing;
            } else {
                flames[d][s][Ice].render(renderer);
            }
        }
    }

    // The hum grows by a quarter of 64 per burning jet; the thaw loop only sounds, at 64, when
    // all four thrust jets thaw at once, and runs silent below that.
    driveLoop(HUM_CHANNEL, sndThrustBase, burning,
              static_cast<int>(burning * VOLUME_QUARTER * VOLUME_FULL));
    driveLoop(THAW_CHANNEL, sndThrustFade, thawing,
              static_cast<int>(VOLUME_FULL) * static_cast<int>(thawing * VOLUME_QUARTER));
}
