// GameFixture.cpp -- starting and stopping a real game for the tests, and small helpers.
#include "support/GameFixture.h"

#include "flight/Drift.h"
#include "hud/Hud.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

void resetStaticState() {
    driftX = 0;
    driftY = 0;
    alarmPlayed = false;
}

void releaseMixer() {
    while (Mix_QuerySpec(nullptr, nullptr, nullptr) != 0) {
        Mix_CloseAudio();
    }
}

void GameTest::SetUp() {
    resetStaticState();
    // The loop's waits move this clock on, so no test waits on the machine's time.
    game.manualClock = true;
    game.manualTicks = 1000000;
    useSceneSizedWindow(&game);
    if (smallWindow) {
        // A twentieth of the scene: what the frame does is the same, its drawing nearly free.
        game.settings.windowW = SCREEN_W / 20;
        game.settings.windowH = SCREEN_H / 20;
    }
    ASSERT_TRUE(game.init());
}

void useSceneSizedWindow(CGame* game) {
    // The dummy driver's only screen is 1024x768, to which the game would scale its scene in
    // software, a few times the cost of the frame itself. A window of the game's own size
    // draws it one to one, as on a 1280x720 screen.
    game->settings.fullscreen = false;
    game->settings.windowW = SCREEN_W;
    game->settings.windowH = SCREEN_H;
}

void GameTest::TearDown() {
    game.close();
    releaseMixer();
    // All the shell made is let go: a game closed can start again.
    std::vector<SDL_Texture*> made = {game.pauseSnapshot, game.noteTexture};
    made.insert(made.end(), std::begin(game.pauseTextures), std::end(game.pauseTextures));
    made.insert(made.end(), std::begin(game.endTextures), std::end(game.endTextures));
    made.insert(made.end(), std::begin(game.startTextures), std::end(game.startTextures));
    EXPECT_EQ(std::count(made.begin(), made.end(), nullptr), static_cast<long>(made.size()));
}

void GameTest::step(int frames) {
    for (int i = 0; i < frames; ++i) {
        game.stepFrame();
        game.nextFrameTicks += FRAME_MS;
    }
}

void GameTest::setJetTimers(int frames) {
    for (int& timer : game.ship.timers) {
        timer = frames;
    }
}

int GameTest::stepUntilState(int state, int limit) {
    int frames = 0;
    while (game.state != state && frames < limit) {
        step();
        ++frames;
    }
    return frames;
}

void GameTest::enterFlying() {
    stepUntilState(Flying);
}

void GameTest::parkFireballs() {
    for (auto& row : game.fireballs) {
        for (CPlayer& fireball : row) {
            fireball.state = 0;
        }
    }
}

long residentKilobytes() {
    long pages = 0;
    long resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm != nullptr) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void pushKey(SDL_Keycode key, Uint8 repeat) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    event.key.repeat = repeat;
    SDL_PushEvent(&event);
}

void sendKey(CGame& game, Uint32 type, SDL_Keycode key) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    game.handleEvent(&event);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string makeTempFile(const char* pattern) {
    std::string path = pattern;
    int fd = mkstemp(&path[0]);
    if (fd < 0) {
        return "";
    }
    ::close(fd);
    return path;
}

CommandResult runCommand(const std::string& command) {
    std::string outPath = makeTempFile("/tmp/vorlusk-out-XXXXXX");
    std::string errPath = makeTempFile("/tmp/vorlusk-err-XXXXXX");
    std::string full = "{ " + command + "; } >" + outPath + " 2>" + errPath;
    int raw = std::system(full.c_str());
    CommandResult result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(outPath),
                         readFile(errPath)};
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    return result;
}
