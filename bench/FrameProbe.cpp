// FrameProbe.cpp -- preloaded into the real game (LD_PRELOAD) to count, time and end its frames.
//
// The game presents exactly once a frame, so wrapping SDL_RenderPresent sees every frame of the
// unmodified executable without a line of test code inside it:
//   VORLUSK_PROBE_QUIT_AFTER=N  pushes one SDL_QUIT right after the N-th present; the game then
//                               steps one more frame and ends as if the player had quit.
//   VORLUSK_PROBE_LOG=FILE      writes the CLOCK_MONOTONIC time in microseconds of each present,
//                               one a line, to FILE when the process exits.
//   VORLUSK_PROBE_FLY=1         presses Enter right after the first present, on the start screen,
//                               so that the frames counted are a flight's.
//   VORLUSK_PROBE_UNSCALED=1    keeps the game from scaling its scene to the screen. On SDL's
//                               dummy driver, whose only screen is 1024x768, the scene is then
//                               drawn one to one with its right and bottom edges cut off, as
//                               the game drew it before it scaled: figures compare with older
//                               ones, and valgrind's runs are not spent scaling in software.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <time.h>

namespace {

// About five and a half hours of frames at 50 a second; the pages are only touched as frames
// come, and a frame never allocates, so the timing stays off the allocator.
constexpr long MAX_LOGGED = 1000000;
long long presentTimes[MAX_LOGGED];
long presents = 0;

long quitAfter = 0;
const char* logPath = nullptr;
bool unscaled = false;
bool fly = false;

// Both come from the SDL the game loaded, looked up rather than linked, so the probe is harmless
// in a process without SDL (a shell that passes LD_PRELOAD on to the game).
using PresentFunction = void (*)(SDL_Renderer*);
using PushEventFunction = int (*)(SDL_Event*);
using LogicalSizeFunction = int (*)(SDL_Renderer*, int, int);
PresentFunction realPresent = nullptr;
PushEventFunction pushEvent = nullptr;
LogicalSizeFunction realLogicalSize = nullptr;

long long monotonicMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

__attribute__((constructor)) void readSettings() {
    const char* quit = std::getenv("VORLUSK_PROBE_QUIT_AFTER");
    if (quit != nullptr) {
        quitAfter = std::strtol(quit, nullptr, 10);
    }
    logPath = std::getenv("VORLUSK_PROBE_LOG");
    const char* scaling = std::getenv("VORLUSK_PROBE_UNSCALED");
    unscaled = scaling != nullptr && scaling[0] == '1';
    const char* flying = std::getenv("VORLUSK_PROBE_FLY");
    fly = flying != nullptr && flying[0] == '1';
    // SDL's own exported symbol, the one the game would have called.
    realPresent = reinterpret_cast<PresentFunction>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
    pushEvent = reinterpret_cast<PushEventFunction>(dlsym(RTLD_NEXT, "SDL_PushEvent"));
    realLogicalSize =
        reinterpret_cast<LogicalSizeFunction>(dlsym(RTLD_NEXT, "SDL_RenderSetLogicalSize"));
}

// Runs at exit, after main has returned and the game has shut SDL down. A process that never
// presented (a shell or `timeout` that passed LD_PRELOAD on to the game) leaves the file alone.
__attribute__((destructor)) void writeLog() {
    if (logPath == nullptr || presents == 0) {
        return;
    }
    std::FILE* file = std::fopen(logPath, "w");
    if (file == nullptr) {
        std::fprintf(stderr, "frame probe: cannot write %s\n", logPath);
        return;
    }
    long logged = presents < MAX_LOGGED ? presents : MAX_LOGGED;
    for (long i = 0; i < logged; ++i) {
        std::fprintf(file, "%lld\n", presentTimes[i]);
    }
    std::fclose(file);
}

} // namespace

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer) {
    if (realPresent != nullptr) {
        realPresent(renderer);
    }
    if (presents < MAX_LOGGED) {
        presentTimes[presents] = monotonicMicroseconds();
    }
    ++presents;
    if (presents == 1 && fly && pushEvent != nullptr) {
        SDL_Event enter{};
        enter.type = SDL_KEYDOWN;
        enter.key.state = SDL_PRESSED;
        enter.key.keysym.sym = SDLK_RETURN;
        enter.key.keysym.scancode = SDL_SCANCODE_RETURN;
        pushEvent(&enter);
    }
    if (presents == quitAfter && pushEvent != nullptr) {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        pushEvent(&quit);
    }
}

extern "C" int SDL_RenderSetLogicalSize(SDL_Renderer* renderer, int w, int h) {
    if (unscaled || realLogicalSize == nullptr) {
        return 0;
    }
    return realLogicalSize(renderer, w, h);
}
