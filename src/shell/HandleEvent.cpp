// HandleEvent.cpp -- input: quitting, and the arrow keys or joystick 0 turned into thrust; before
// them, what the shell around the flight makes of the player's keys and pads.
#include "shell/Game.h"
#include "shell/Stick.h"

namespace {

constexpr int KEY_THRUST_X = 7;
constexpr int KEY_THRUST_Y = 4;
// The result lines stay up about a second before a press can start the next flight, so a key
// held as the flight ends does not skip them.
constexpr int END_READ_FRAMES = 50;

bool isEnterOrSpace(SDL_Keycode key) {
    return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE;
}

// WASD and the keypad's arrows, by where the key sits rather than what it prints, so that every
// keyboard layout steers with the same hand: the arrow key each stands for, else 0.
SDL_Keycode arrowOfScancode(SDL_Scancode code) {
    switch (code) {
    case SDL_SCANCODE_D:
    case SDL_SCANCODE_KP_6:
        return SDLK_RIGHT;
    case SDL_SCANCODE_A:
    case SDL_SCANCODE_KP_4:
        return SDLK_LEFT;
    case SDL_SCANCODE_S:
    case SDL_SCANCODE_KP_2:
        return SDLK_DOWN;
    case SDL_SCANCODE_W:
    case SDL_SCANCODE_KP_8:
        return SDLK_UP;
    default:
        return 0;
    }
}

SDL_Keycode arrowOfButton(Uint8 button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return SDLK_RIGHT;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return SDLK_LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return SDLK_DOWN;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return SDLK_UP;
    default:
        return 0;
    }
}

} // namespace

int stickThrustX(Sint16 axis) {
    int steps = axis / 4681;
    return static_cast<int>(steps + 0.5);
}

int stickThrustY(Sint16 axis) {
    return static_cast<int>(axis / 8321.881800000001 + 0.5);
}

// The arrows' own rule, for a key, a d-pad button or a hat that steers as they do.
static void steerAsArrow(CGame* game, SDL_Keycode arrow, bool pressed) {
    if (game->state > Flying || game->mode != Playing) {
        return;
    }
    if (arrow == SDLK_RIGHT || arrow == SDLK_LEFT) {
        game->thrustX = !pressed ? 0 : arrow == SDLK_RIGHT ? KEY_THRUST_X : -KEY_THRUST_X;
    } else if (arrow == SDLK_DOWN || arrow == SDLK_UP) {
        game->thrustY = !pressed ? 0 : arrow == SDLK_DOWN ? KEY_THRUST_Y : -KEY_THRUST_Y;
    }
}

bool CGame::handleShellEvent(const SDL_Event* event) {
    const bool ended = state == Finished && pauseReason == NotPaused;
    const bool mayFlyAgain = ended && endShownFrames >= END_READ_FRAMES;
    const bool fromController =
        controller != nullptr &&
        (event->type == SDL_JOYAXISMOTION || event->type == SDL_JOYBUTTONDOWN ||
         event->type == SDL_JOYBUTTONUP || event->type == SDL_JOYHATMOTION) &&
        event->jaxis.which == SDL_JoystickInstanceID(joystick);
    if (fromController) {
        // The same pad speaks again as a controller, with its layout known.
        return true;
    }
    switch (event->type) {
    case SDL_KEYDOWN: {
        const SDL_Keycode key = event->key.keysym.sym;
        const bool fresh = event->key.repeat == 0;
        if (key == SDLK_F11 ||
            (isEnterOrSpace(key) && key != SDLK_SPACE && (event->key.keysym.mod & KMOD_ALT) != 0)) {
            if (fresh) {
                toggleFullscreen();
            }
            return true;
        }
        if (key == SDLK_p) {
            if (fresh) {
                setPaused(pauseReason == NotPaused ? PausedByKey : NotPaused);
            }
            return true;
        }
        if (key == SDLK_m) {
            if (fresh) {
                setVolume(settings.volume, !settings.muted);
            }
            return true;
        }
        if (key == SDLK_MINUS || key == SDLK_KP_MINUS) {
            setVolume(settings.volume - VOLUME_STEP, false);
            return true;
        }
        if (key == SDLK_PLUS || key == SDLK_EQUALS || key == SDLK_KP_PLUS) {
            setVolume(settings.volume + VOLUME_STEP, false);
            return true;
        }
        if (isEnterOrSpace(key) && pauseReason != NotPaused) {
            if (fresh) {
                setPaused(NotPaused);
            }
            return true;
        }
        if (isEnterOrSpace(key) && ended) {
            if (fresh && mayFlyAgain) {
                flyAgain();
            }
            return true;
        }
        return false;
    }
    case SDL_WINDOWEVENT:
        if (event->window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
            // Coming back shows the pause; the player resumes when ready.
            hadFocus = true;
        } else if (event->window.event == SDL_WINDOWEVENT_FOCUS_LOST && hadFocus &&
                   pauseReason == NotPaused && gameTicks() >= focusGraceUntil) {
            setPaused(PausedByFocus);
        } else if (event->window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            windowResized();
        }
        return true;
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
        handleJoystickDevice(event);
        return true;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERDEVICEREMAPPED:
        // The joystick events of the same device open and close it.
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        if (controller == nullptr || event->cbutton.which != SDL_JoystickInstanceID(joystick)) {
            return true;
        }
        const bool down = event->type == SDL_CONTROLLERBUTTONDOWN;
        const Uint8 button = event->cbutton.button;
        if (arrowOfButton(button) != 0) {
            steerAsArrow(this, arrowOfButton(button), down);
        } else if (down && button == SDL_CONTROLLER_BUTTON_START) {
            setPaused(pauseReason == NotPaused ? PausedByKey : NotPaused);
        } else if (down && button == SDL_CONTROLLER_BUTTON_A && pauseReason != NotPaused) {
            setPaused(NotPaused);
        } else if (down && button == SDL_CONTROLLER_BUTTON_A && mayFlyAgain) {
            flyAgain();
        } else if (down && button == SDL_CONTROLLER_BUTTON_BACK && ended) {
            running = false;
        }
        return true;
    }
    case SDL_CONTROLLERAXISMOTION:
        if (controller != nullptr && event->caxis.which == SDL_JoystickInstanceID(joystick) &&
            (event->caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ||
             event->caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)) {
            readStick();
        }
        return true;
    case SDL_JOYHATMOTION:
        if (event->jhat.hat == 0) {
            steerAsArrow(this, SDLK_RIGHT, (event->jhat.value & SDL_HAT_RIGHT) != 0);
            if ((event->jhat.value & SDL_HAT_LEFT) != 0) {
                steerAsArrow(this, SDLK_LEFT, true);
            }
            steerAsArrow(this, SDLK_DOWN, (event->jhat.value & SDL_HAT_DOWN) != 0);
            if ((event->jhat.value & SDL_HAT_UP) != 0) {
                steerAsArrow(this, SDLK_UP, true);
            }
        }
        return true;
    case SDL_JOYBUTTONDOWN:
        if (event->jbutton.button == 0 && mayFlyAgain) {
            flyAgain();
        }
        return true;
    default:
        return false;
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
    if (handleShellEvent(event)) {
        return;
    }
    // A replay steers itself.
    if (mode != Playing) {
        return;
    }
    if (event->type == SDL_KEYDOWN || event->type == SDL_KEYUP) {
        SDL_Keycode arrow = arrowOfScancode(event->key.keysym.scancode);
        if (arrow != 0) {
            steerAsArrow(this, arrow, event->type == SDL_KEYDOWN);
            return;
        }
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
        thrustX = stickThrustX(SDL_JoystickGetAxis(joystick, 0));
        thrustY = stickThrustY(SDL_JoystickGetAxis(joystick, 1));
        break;
    default:
        break;
    }
}
