// StartScreen.cpp -- what the player sees before flying: the title over the carpet, the
// controls, how to thaw a jet, the best flights, and after a while alone the best flight
// replayed behind the title. The flight begins only when the player asks.
#include "flight/Rules.h"
#include "hud/Overlay.h"
#include "shell/Game.h"

#include <cstdio>
#include <ctime>

namespace {

// About twenty seconds alone before the attract replay starts, counted on the clock so that a
// busy machine's slower frames do not stretch it; and three after the replay ends before the
// title stands alone again.
constexpr Uint64 ATTRACT_AFTER_MS = 20000;
constexpr int ATTRACT_END_FRAMES = 150;
// A stick must be pushed well over to count as the player coming back.
constexpr int STICK_POKE = 16000;
constexpr int BEST_SHOWN = 5;

const char* const DEMO_REPLAY = "./Replays/demo.vrp";

// The groups of lines, each on a band of its own.
constexpr int TITLE_TOP = 50;
constexpr int HELP_TOP = 200;
constexpr int BEST_TOP = 390;
constexpr int FLY_TOP = 640;

const char* const HELP_LINES[4] = {
    "Arrows, WASD, the keypad or a pad: thrust",
    "P or Start: pause \u00b7 F11 or Alt+Enter: full screen \u00b7 M: mute \u00b7 \u2212 +: volume "
    "\u00b7 Esc: quit",
    "Fireballs freeze your jets. To thaw one, hold the key that fires it until it burns again.",
    "Clear every jet before the time runs out to launch away; eight frozen jets and you crash.",
};

enum StartInput {
    NoInput = 0,
    Poke = 1, // the player is there: ends the attract replay
    Fly = 2,
    Leave = 3, // Escape or Back: ends the replay, or the game on the bare start screen
};

bool isShellKey(SDL_Keycode key, Uint16 mod) {
    return key == SDLK_F11 || key == SDLK_m || key == SDLK_MINUS || key == SDLK_KP_MINUS ||
           key == SDLK_PLUS || key == SDLK_EQUALS || key == SDLK_KP_PLUS ||
           ((key == SDLK_RETURN || key == SDLK_KP_ENTER) && (mod & KMOD_ALT) != 0);
}

} // namespace

void CGame::makeStartScreen() {
    releaseStartScreen();
    int n = 0;
    auto line = [&](TTF_Font* face, const char* text) {
        startTextures[n] = makeOverlayText(renderer, face, text, &startRects[n]);
        ++n;
    };
    line(titleFont, "Vorlusk");
    stackOverlayLines(startRects, 1, TITLE_TOP);
    for (const char* help : HELP_LINES) {
        line(smallFont, help);
    }
    stackOverlayLines(startRects + 1, 4, HELP_TOP);
    if (scores.count > 0) {
        line(font, "Best flights");
        for (int i = 0; i < scores.count && i < BEST_SHOWN; ++i) {
            const CScoreEntry& entry = scores.entries[i];
            char date[16] = "";
            std::time_t when = static_cast<std::time_t>(entry.date);
            std::tm parts;
            if (localtime_r(&when, &parts) != nullptr) {
                std::strftime(date, sizeof date, "%Y-%m-%d", &parts);
            }
            char text[80];
            std::snprintf(text, sizeof text, "%d.  %d  \u00b7  %s  \u00b7  %s", i + 1, entry.score,
                          entry.ending == Crashed ? "crashed" : "launched away", date);
            line(smallFont, text);
        }
        stackOverlayLines(startRects + 5, n - 5, BEST_TOP);
    }
    line(font, "Enter, Space or A: fly");
    stackOverlayLines(startRects + n - 1, 1, FLY_TOP);
    startLines = n;
}

void CGame::drawStartScreen(bool attract) {
    drawOverlay(renderer, startTextures, startRects, 1);
    if (!attract) {
        drawOverlay(renderer, startTextures + 1, startRects + 1, 4);
        if (startLines > 6) {
            drawOverlay(renderer, startTextures + 5, startRects + 5, startLines - 6);
        }
    }
    drawOverlay(renderer, startTextures + startLines - 1, startRects + startLines - 1, 1);
}

void CGame::releaseStartScreen() {
    for (SDL_Texture*& texture : startTextures) {
        SDL_DestroyTexture(texture);
        texture = nullptr;
    }
    startLines = 0;
}

bool CGame::runStartScreen() {
    makeStartScreen();
    restartSchedule();
    startIdleSince = gameTicks();
    SDL_Event event;
    bool fly = false;
    while (running && !fly) {
        fly = startScreenOnce(&event);
    }
    releaseStartScreen();
    return fly;
}

bool CGame::startScreenOnce(SDL_Event* event) {
    int input = NoInput;
    while (SDL_PollEvent(event)) {
        switch (event->type) {
        case SDL_QUIT:
            running = false;
            break;
        case SDL_KEYDOWN:
            if (event->key.repeat != 0) {
                break;
            }
            if (isShellKey(event->key.keysym.sym, event->key.keysym.mod)) {
                handleShellEvent(event);
            } else if (event->key.keysym.sym == SDLK_ESCAPE) {
                input = Leave;
            } else if (event->key.keysym.sym == SDLK_RETURN ||
                       event->key.keysym.sym == SDLK_KP_ENTER ||
                       event->key.keysym.sym == SDLK_SPACE) {
                input = Fly;
            } else if (input == NoInput) {
                input = Poke;
            }
            break;
        case SDL_CONTROLLERBUTTONDOWN:
            if (event->cbutton.button == SDL_CONTROLLER_BUTTON_A ||
                event->cbutton.button == SDL_CONTROLLER_BUTTON_START) {
                input = Fly;
            } else if (event->cbutton.button == SDL_CONTROLLER_BUTTON_BACK) {
                input = Leave;
            } else if (input == NoInput) {
                input = Poke;
            }
            break;
        case SDL_JOYBUTTONDOWN:
            // A pad SDL knows speaks through the controller events instead.
            if (controller == nullptr && event->jbutton.button == 0) {
                input = Fly;
            } else if (input == NoInput) {
                input = Poke;
            }
            break;
        case SDL_CONTROLLERAXISMOTION:
        case SDL_JOYAXISMOTION:
            if ((event->caxis.value > STICK_POKE || event->caxis.value < -STICK_POKE) &&
                input == NoInput) {
                input = Poke;
            }
            break;
        case SDL_JOYHATMOTION:
        case SDL_MOUSEBUTTONDOWN:
            if (input == NoInput) {
                input = Poke;
            }
            break;
        case SDL_WINDOWEVENT:
            if (event->window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                hadFocus = true;
            } else if (event->window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                windowResized();
            }
            break;
        case SDL_JOYDEVICEADDED:
        case SDL_JOYDEVICEREMOVED:
            handleJoystickDevice(event);
            break;
        default:
            break;
        }
    }
    if (input != NoInput) {
        startIdleSince = gameTicks();
        if (mode == Attract) {
            // Back to the bare start screen, the replay's sounds stopped; Escape or Back only
            // end the replay.
            stopAttract();
            input = input == Leave ? Poke : input;
        }
        if (input == Leave) {
            running = false;
        }
    }
    if (!running || input == Fly) {
        return input == Fly;
    }
    saveSettingsWhenDue();
    if (mode == Attract) {
        const int before = state;
        feedPlayback();
        stepFrame();
        noteFlightStep(before);
        if (endShownFrames > ATTRACT_END_FRAMES) {
            stopAttract();
            startIdleSince = gameTicks();
        }
    } else {
        clearScreen();
        background.render(renderer);
    }
    drawStartScreen(mode == Attract);
    drawNote();
    endFrame();
    if (mode != Attract && gameTicks() - startIdleSince >= ATTRACT_AFTER_MS) {
        startIdleSince = gameTicks();
        startAttract();
    }
    return false;
}

void CGame::startAttract() {
    // The player's best flight, else the one that comes with the game. Read once, so a broken
    // file costs one line at most, not one every twenty seconds.
    if (!attractTried) {
        attractTried = true;
        std::string error;
        const std::string best = userFolderPath(DataFolder) + "/best.vrp";
        haveAttract = loadReplay(best, &attractReplay, &error) &&
                      attractReplay.rulesVersion == FLIGHT_RULES_VERSION;
        if (!haveAttract) {
            haveAttract = loadReplay(DEMO_REPLAY, &attractReplay, &error) &&
                          attractReplay.rulesVersion == FLIGHT_RULES_VERSION;
        }
    }
    if (haveAttract) {
        playback = attractReplay;
        startPlayback(Attract);
    }
}

void CGame::stopAttract() {
    resetFlight();
    mode = Playing;
    applyVolume();
}
