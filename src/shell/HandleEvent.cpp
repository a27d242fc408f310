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

} // namespace

void CGame::handleEvent(SDL_Event* event) {
    if (event->type == SDL_QUIT) {
        running = false;
        return;
    }
    if (event->type == SDL_KEYDOWN && event->key.keysym.sym == SDLK_ESCAPE) {
        running = false;
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
