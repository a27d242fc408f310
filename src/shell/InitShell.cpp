// InitShell.cpp -- start-up of what the player's desktop adds around the flight: pads through
// SDL's controller layer, the smaller texts' fonts and the player's volume.
#include "shared/AssetNames.h"
#include "shell/Game.h"

namespace {

constexpr int SMALL_FONT_SIZE = 20;
constexpr int TITLE_FONT_SIZE = 88;

} // namespace

bool CGame::initShell() {
    // The flight opened joystick 0 as a plain joystick; it is opened again through the
    // controller layer when SDL knows its layout.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0 && joystick != nullptr &&
        controller == nullptr) {
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        openPad(0);
    }
    smallFont = TTF_OpenFont(FONT_FILE, SMALL_FONT_SIZE);
    titleFont = TTF_OpenFont(FONT_FILE, TITLE_FONT_SIZE);
    applyVolume();
    return true;
}

bool CGame::startWithPlayerFiles() {
    // The window opens as the player left it, and the start screen knows the best flights.
    loadSettings(&settings);
    loadScores(&scores);
    if (!init()) {
        return false;
    }
    return initShell();
}
