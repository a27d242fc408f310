// Volume.cpp -- the player's own level for the whole mix, and a short note that shows it.
#include "shell/Game.h"

#include "hud/Overlay.h"

#include <cstdio>

namespace {

// About a second and a half.
constexpr int NOTE_FRAMES = 75;
// Top right, clear of the HUD's lines on the left.
constexpr int NOTE_MARGIN = 20;

} // namespace

void CGame::setVolume(int volume, bool muted) {
    settings.volume = SDL_clamp(volume, 0, VOLUME_MAX);
    settings.muted = muted;
    applyVolume();
    char text[32];
    if (settings.muted) {
        std::snprintf(text, sizeof text, "Muted");
    } else {
        std::snprintf(text, sizeof text, "Volume %d%%", settings.volume);
    }
    showNote(text);
    saveSettingsNow();
}

void CGame::applyVolume() {
    // The mixer scales every effect channel by the master volume on top of the flight's own
    // channel volumes, so their balance stays as the flight sets it; the music has its own knob.
    int percent = settings.muted ? 0 : settings.volume;
    if (mode == Attract) {
        // Behind the start screen the flight plays quietly.
        percent /= 3;
    }
    Mix_MasterVolume(MIX_MAX_VOLUME * percent / VOLUME_MAX);
    Mix_VolumeMusic(MIX_MAX_VOLUME * (settings.muted ? 0 : settings.volume) / VOLUME_MAX);
}

void CGame::showNote(const char* text) {
    SDL_DestroyTexture(noteTexture);
    noteTexture = makeOverlayText(renderer, smallFont, text, &noteRect);
    noteRect.x = SCREEN_W - noteRect.w - NOTE_MARGIN;
    noteRect.y = NOTE_MARGIN;
    noteFrames = NOTE_FRAMES;
}

void CGame::drawNote() {
    if (noteFrames <= 0) {
        return;
    }
    drawOverlay(renderer, &noteTexture, &noteRect, 1);
    if (--noteFrames == 0) {
        SDL_DestroyTexture(noteTexture);
        noteTexture = nullptr;
    }
}
