// AudioProbe.cpp -- exits 0 when SDL can open an audio device the way the game opens it.
#include <SDL.h>

int main(int, char**) {
    if (SDL_Init(SDL_INIT_AUDIO) < 0) {
        return 1;
    }
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16LSB;
    want.channels = 2;
    want.samples = 2048;
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    int status = device == 0 ? 1 : 0;
    if (device != 0) {
        SDL_CloseAudioDevice(device);
    }
    SDL_Quit();
    return status;
}
