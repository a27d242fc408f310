// HandleEvent.cpp -- input: quitting, and the arrow keys or joystick 0 turned into thrust.
#include "shell/Game.h"

namespace {

constexpr int KEY_THRUST_X = 7;
constexpr int KEY_THRUST_Y = 4;

// The joystick's two axes map unevenly on purpose: the horizontal one by integer steps, the
// vertical one by a finer floating divisor, each nudged by a half before truncation.
int joystickThrustX(Sint16 axis) {
    int steps = axis / 4681;
    return static_cast<int>(steps + 0.5);
}

int joystickThrustY(Sint16 axis) {
    return static_cast<int>(axis / 8321.881800000001 + 0.5);
}

bool asksToFlyAgain(const SDL_Event* event) {
    if (event->type == SDL_JOYBUTTONDOWN) {
        return event->jbutton.button == 0;
    }
    if (event->type != SDL_KEYDOWN) {
        return false;
    }
    SDL_Keycode key = event->key.keysym.sym;
    return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE;
}

} // namespace

void CGame::handleJoystickDevice(const SDL_Event* event) {
    if (event->type == SDL_JOYDEVICEADDED) {
        // A pad plugged in while none is open takes over; the one already open stays.
        if (joystick == nullptr) {
            joystick = SDL_JoystickOpen(event->jdevice.which);
        }
        return;
    }
    if (joystick != nullptr && SDL_JoystickInstanceID(joystick) == event->jdevice.which) {
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        // A stick pushed when it was pulled out would otherwise push the ship for good.
        if (state <= Flying) {
            thrustX = 0;
            thrustY = 0;
        }
    }
}

void CGame::handleEvent(SDL_Event* event) {
    if (event->type == SDL_QUIT) {
        running = false;
        return;
    }
    if (event->type == SDL_KEYDOWN && event->key.keysym.sym == SDLK_ESCAPE) {
        running = false;
        return;
    }

    // Beyond the flight, in every state: pausing, a pad plugged in or out, flying again.
    switch (event->type) {
    case SDL_KEYDOWN:
        if (event->key.keysym.sym == SDLK_p && event->key.repeat == 0) {
            setPaused(pauseReason == NotPaused ? PausedByKey : NotPaused);
            return;
        }
        break;
    case SDL_WINDOWEVENT:
        if (event->window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
            hadFocus = true;
            if (pauseReason == PausedByFocus) {
                setPaused(NotPaused);
            }
        } else if (event->window.event == SDL_WINDOWEVENT_FOCUS_LOST && hadFocus &&
                   pauseReason == NotPaused) {
            setPaused(PausedByFocus);
        }
        return;
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
        handleJoystickDevice(event);
        return;
    default:
        break;
    }
    if (state == Finished && pauseReason == NotPaused && asksToFlyAgain(event)) {
        flyAgain();
        return;
    }
    // Once the flight is over the ship is no longer the player's to steer.
    if (state > Flying) {
        return;
    }

    switch (event->type) {
    case SDL_KEYDOWN:
        switch (event->key.keysym.sym) {
        case SDLK_RIGHT:
            thrustX = KEY_THRUST_X;
            break;
        case SDLK_LEFT:
            thrustX = -KEY_THRUST_X;
            break;
        case SDLK_DOWN:
            thrustY = KEY_THRUST_Y;
            break;
        case SDLK_UP:
            thrustY = -KEY_THRUST_Y;
            break;
        default:
            break;
        }
        break;
    case SDL_KEYUP:
        switch (event->key.keysym.sym) {
        case SDLK_LEFT:
        case SDLK_RIGHT:
            thrustX = 0;
            break;
        case SDLK_DOWN:
        case SDLK_UP:
            thrustY = 0;
            break;
        case SDLK_ESCAPE:
            running = false;
            break;
        default:
            break;
        }
        break;
    case SDL_JOYAXISMOTION:
        // Whichever axis moved, both are read afresh from joystick 0.
        thrustX = joystickThrustX(SDL_JoystickGetAxis(joystick, 0));
        thrustY = joystickThrustY(SDL_JoystickGetAxis(joystick, 1));
        break;
    default:
        break;
    }
}
