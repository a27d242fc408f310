// RecordReplays.cpp -- flies the replays kept in the repository: scripted hands through the real
// loop, each flight kept by the game's own writer and copied where the tests and the start
// screen find it. `make record-replays` runs it from data/.
//
// Usage: vorlusk-record-replays TESTS_FOLDER DEMO_FILE
#include "shell/Game.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

enum Hands {
    Idle = 0,     // never thrusts: the jets freeze one by one until the ship crashes
    Thaw = 1,     // thrusts toward every frozen jet at once, all flight long
    LateThaw = 2, // idle until the time is up, then clears the jets
    PadThaw = 3,  // as Thaw, through a pad's stick
};

struct CScript {
    const char* name;
    int hands;
    int ending;
};

const CScript SCRIPTS[] = {
    {"idle-crash", Idle, Crashed},
    {"launch-away", Thaw, LaunchedAway},
    {"time-up-then-cleared", LateThaw, LaunchedAway},
    {"pad-launch-away", PadThaw, LaunchedAway},
};

// The longest a scripted flight may take before it counts as stuck.
constexpr int FRAME_LIMIT = 20000;

bool frozen(const CGame& game, int direction) {
    return game.ship.timers[2 * direction] != 0 || game.ship.timers[2 * direction + 1] != 0;
}

// The thrust that thaws what is frozen: right before left, down before up.
void thawThrust(const CGame& game, int* x, int* y) {
    *x = frozen(game, 0) ? 1 : frozen(game, 2) ? -1 : 0;
    *y = frozen(game, 1) ? 1 : frozen(game, 3) ? -1 : 0;
}

void releaseMixer() {
    while (Mix_QuerySpec(nullptr, nullptr, nullptr) != 0) {
        Mix_CloseAudio();
    }
}

// Flies one scripted flight from `seed`; true when it ended as the script wants, with the
// recording in the data folder's last.vrp.
bool fly(const CScript& script, Uint32 seed, bool* sawWarning) {
    CGame game;
    game.manualClock = true;
    game.settings.fullscreen = false;
    game.settings.windowW = SCREEN_W / 20;
    game.settings.windowH = SCREEN_H / 20;
    if (!game.init()) {
        return false;
    }
    game.initShell();
    int pad = -1;
    SDL_Joystick* stick = nullptr;
    SDL_Event event;
    if (script.hands == PadThaw) {
        pad = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 15, 0);
        while (SDL_PollEvent(&event)) {
            game.handleEvent(&event);
        }
        stick = game.joystick;
    }
    game.beginFlight(false, seed);
    *sawWarning = false;
    for (int frame = 0; frame < FRAME_LIMIT && !(game.state == Finished); ++frame) {
        int x = 0;
        int y = 0;
        if (script.hands == Thaw || script.hands == PadThaw ||
            (script.hands == LateThaw && game.timeLeft <= 0)) {
            thawThrust(game, &x, &y);
        }
        if (stick != nullptr) {
            SDL_JoystickSetVirtualAxis(stick, 0, static_cast<Sint16>(x * 32767));
            SDL_JoystickSetVirtualAxis(stick, 1, static_cast<Sint16>(y * 32767));
        } else if (game.state <= Flying) {
            game.thrustX = x * 7;
            game.thrustY = y * 4;
        }
        game.loopOnce(&event);
        *sawWarning = *sawWarning || game.warningActive;
    }
    const bool wanted = game.state == Finished && game.flightEnding == script.ending &&
                        (script.hands != LateThaw || *sawWarning);
    if (pad >= 0) {
        SDL_JoystickDetachVirtual(pad);
    }
    game.close();
    releaseMixer();
    return wanted;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorlusk-record-replays TESTS_FOLDER DEMO_FILE\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
    char home[] = "/tmp/vorlusk-record-XXXXXX";
    if (mkdtemp(home) == nullptr) {
        return 1;
    }
    setenv("XDG_DATA_HOME", home, 1);
    const std::string last = std::string(home) + "/vorlusk/last.vrp";
    int status = 0;
    for (const CScript& script : SCRIPTS) {
        // The first seed, counting up, whose flight ends as the script wants.
        bool done = false;
        bool warned = false;
        Uint32 seed = 1;
        for (; seed <= 100 && !done; ++seed) {
            done = fly(script, seed, &warned);
        }
        const std::string to = std::string(argv[1]) + "/" + script.name + ".vrp";
        std::error_code error;
        if (!done || !std::filesystem::copy_file(
                         last, to, std::filesystem::copy_options::overwrite_existing, error)) {
            std::fprintf(stderr, "vorlusk-record-replays: %s: no flight ended as wanted\n",
                         script.name);
            status = 1;
            continue;
        }
        std::printf("%s: seed %u\n", to.c_str(), static_cast<unsigned>(seed - 1));
        if (script.hands == Thaw) {
            std::filesystem::copy_file(last, argv[2],
                                       std::filesystem::copy_options::overwrite_existing, error);
        }
    }
    std::filesystem::remove_all(home);
    return status;
}
