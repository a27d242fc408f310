// AudioProbe.cpp -- exits 0 when SDL can open an audio device the way the game opens it, or with
// --video when SDL's video driver starts. The launcher asks it before starting the game, which
// would otherwise only end with a bare exit status.
#include "shared/GameFacts.h"

#include <SDL.h>

#include <cstring>
#include <unistd.h>

int main(int argc, char** argv) {
    // A sound server or display that takes the connection and never answers must not hold the
    // player up: SIGALRM's default action ends the process wherever it waits.
    alarm(2);
    if (argc > 1 && std::strcmp(argv[1], "--video") == 0) {
        if (SDL_Init(SDL_INIT_VIDEO) < 0) {
            return 1;
        }
        SDL_Quit();
        return 0;
    }
    if (SDL_Init(SDL_INIT_AUDIO) < 0) {
        return 1;
    }
    SDL_AudioSpec want{};
    want.freq = AUDIO_FREQUENCY;
    want.format = AUDIO_SAMPLE_FORMAT;
    want.channels = AUDIO_CHANNELS;
    want.samples = AUDIO_CHUNK_SAMPLES;
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    int status = device == 0 ? 1 : 0;
    if (device != 0) {
        SDL_CloseAudioDevice(device);
    }
    SDL_Quit();
    return status;
}
