// Close.cpp -- teardown: the HUD texts, music and sounds, then the libraries.
#include "shell/Game.h"

#include <SDL_image.h>

void CGame::close() {
    // A window size still waiting to be written.
    if (settingsDirty) {
        saveSettingsNow();
    }
    SDL_DestroyTexture(scoreTexture);
    SDL_DestroyTexture(timeTexture);
    SDL_DestroyTexture(speedTexture);
    SDL_DestroyTexture(warningTexture);
    SDL_FreeSurface(scoreSurface);
    SDL_FreeSurface(timeSurface);
    SDL_FreeSurface(speedSurface);
    SDL_FreeSurface(warningSurface);
    scoreTexture = timeTexture = speedTexture = warningTexture = nullptr;
    scoreSurface = timeSurface = speedSurface = warningSurface = nullptr;

    Mix_HaltMusic();
    Mix_FreeMusic(music);
    Mix_FreeChunk(sndAlienShot);
    Mix_FreeChunk(sndAlienHit);
    Mix_FreeChunk(sndThrustBase);
    Mix_FreeChunk(sndThrustFade);
    Mix_FreeChunk(sndThrustRoar);
    Mix_FreeChunk(sndThrustAlarm);
    Mix_FreeChunk(sndShipExplosion);
    Mix_FreeChunk(sndShipCrash);
    music = nullptr;
    sndAlienShot = sndAlienHit = sndThrustBase = sndThrustFade = nullptr;
    sndThrustRoar = sndThrustAlarm = sndShipExplosion = sndShipCrash = nullptr;

    // What the game made beyond the flight.
    releaseEndOfFlight();
    SDL_DestroyTexture(pauseSnapshot);
    pauseSnapshot = nullptr;
    for (SDL_Texture*& texture : pauseTextures) {
        SDL_DestroyTexture(texture);
        texture = nullptr;
    }
    SDL_DestroyTexture(noteTexture);
    noteTexture = nullptr;
    releaseStartScreen();
    closePad();
    TTF_CloseFont(smallFont);
    TTF_CloseFont(titleFont);
    smallFont = titleFont = nullptr;

    // The sprites' textures, the renderer, the window, the joystick and the audio device are
    // not released one by one. SDL_Quit closes the window, the joystick and the audio device,
    // but in SDL 2 not the renderer: it and the textures in it stay allocated until the process
    // ends, which is the moment after (tools/sanitize/lsan.supp and tools/sanitize/memcheck.supp
    // name them). The mixer's own count of its opening stays up, which only matters to a second
    // game in one process.
    Mix_Quit();
    IMG_Quit();
    TTF_CloseFont(font);
    TTF_Quit();
    SDL_Quit();
}
