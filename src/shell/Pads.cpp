// Pads.cpp -- the pad the player steers with: opened through SDL's controller layer when SDL
// knows its layout, as a plain joystick otherwise, and replaced when it is pulled out.
#include "shell/Game.h"
#include "shell/Stick.h"

void CGame::openPad(int deviceIndex) {
    // Through the controller layer only once it is up: before, its events would never come.
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0 && SDL_IsGameController(deviceIndex)) {
        controller = SDL_GameControllerOpen(deviceIndex);
        joystick = controller != nullptr ? SDL_GameControllerGetJoystick(controller) : nullptr;
    } else {
        joystick = SDL_JoystickOpen(deviceIndex);
    }
}

void CGame::closePad() {
    if (controller != nullptr) {
        SDL_GameControllerClose(controller);
    } else if (joystick != nullptr) {
        SDL_JoystickClose(joystick);
    }
    controller = nullptr;
    joystick = nullptr;
}

void CGame::readStick() {
    // A stick already held when a flight starts steers at once, not from its next movement.
    if (state > Flying || mode != Playing) {
        return;
    }
    if (controller != nullptr) {
        thrustX = stickThrustX(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX));
        thrustY = stickThrustY(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY));
    } else if (joystick != nullptr && SDL_JoystickNumAxes(joystick) >= 2) {
        thrustX = stickThrustX(SDL_JoystickGetAxis(joystick, 0));
        thrustY = stickThrustY(SDL_JoystickGetAxis(joystick, 1));
    }
}

void CGame::handleJoystickDevice(const SDL_Event* event) {
    if (event->type == SDL_JOYDEVICEADDED) {
        // A pad plugged in while none is open takes over; the one already open stays.
        if (joystick == nullptr) {
            openPad(event->jdevice.which);
        }
        return;
    }
    if (event->type != SDL_JOYDEVICEREMOVED || joystick == nullptr ||
        SDL_JoystickInstanceID(joystick) != event->jdevice.which) {
        return;
    }
    closePad();
    // A stick pushed when it was pulled out would otherwise push the ship for good.
    if (state <= Flying) {
        thrustX = 0;
        thrustY = 0;
    }
    // Another pad already plugged in takes over at once.
    if (SDL_NumJoysticks() > 0) {
        openPad(0);
        readStick();
    }
}
