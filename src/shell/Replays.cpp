// Replays.cpp -- a recorded flight flown again from its seed and thrust: watched in the window,
// behind the start screen, or checked frame by frame against its fingerprints.
#include "flight/Rules.h"
#include "shell/Game.h"
#include "shell/StandardStreams.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// `last` and `best` are the player's own; anything else is a path.
std::string replayFilePath(const char* file) {
    const std::string name = file;
    if (name == "last" || name == "best") {
        const std::string folder = userFolderPath(DataFolder);
        return folder.empty() ? name + ".vrp" : folder + "/" + name + ".vrp";
    }
    return name;
}

// A replay that can be flown under these rules, or false with the line already printed.
bool loadFlyableReplay(const char* file, CReplay* replay) {
    const std::string path = replayFilePath(file);
    std::string error;
    if (!loadReplay(path, replay, &error)) {
        std::fprintf(stderr, "vorlusk: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    if (replay->rulesVersion != FLIGHT_RULES_VERSION) {
        std::fprintf(stderr,
                     "vorlusk: %s: recorded under flight rules %u, this game flies by rules %u\n",
                     path.c_str(), static_cast<unsigned>(replay->rulesVersion),
                     static_cast<unsigned>(FLIGHT_RULES_VERSION));
        return false;
    }
    return true;
}

} // namespace

void CGame::startPlayback(int playMode) {
    resetFlight();
    mode = playMode;
    // The same draws as the flight that was recorded: its seed, then the track's number.
    std::srand(playback.seed);
    (void)(std::rand() % 5);
    playbackRun = 0;
    playbackRunStart = 0;
    playbackDeparted = 0;
    applyVolume();
    restartSchedule();
}

void CGame::feedPlayback() {
    // After the end the sequences own the thrust, as they did when it was recorded.
    if (state == Finished) {
        return;
    }
    int x = 0;
    int y = 0;
    thrustAt(playback, flightFrame, &playbackRun, &playbackRunStart, &x, &y);
    thrustX = x;
    thrustY = y;
}

int CGame::watchReplay(const char* file) {
    guardStandardStreams();
    if (!loadFlyableReplay(file, &playback)) {
        return 2;
    }
    if (!startWithPlayerFiles()) {
        return -1;
    }
    startPlayback(Watching);
    SDL_Event event;
    while (running) {
        loopOnce(&event);
    }
    close();
    return 0;
}

int CGame::verifyReplays(int count, char** files) {
    guardStandardStreams();
    // Checked, not shown: no display and no sound device, and a window too small to cost much.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    mode = Verifying;
    settings.fullscreen = false;
    settings.windowW = SCREEN_W / 20;
    settings.windowH = SCREEN_H / 20;
    // Every file is read before anything starts, so a bad one costs no flight.
    std::vector<CReplay> replays(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (!loadFlyableReplay(files[i], &replays[static_cast<std::size_t>(i)])) {
            return 2;
        }
    }
    if (!init()) {
        std::fprintf(stderr, "vorlusk: cannot start the flight to verify: %s\n", SDL_GetError());
        return 2;
    }
    int status = 0;
    for (int i = 0; i < count; ++i) {
        const std::string path = replayFilePath(files[i]);
        playback = replays[static_cast<std::size_t>(i)];
        startPlayback(Verifying);
        while (flightFrame < playback.frameCount && state != Finished && playbackDeparted == 0) {
            const int before = state;
            feedPlayback();
            stepFrame();
            noteFlightStep(before);
        }
        const char* const ending = flightEnding == Crashed ? "crashed" : "launched away";
        if (playbackDeparted != 0) {
            std::fprintf(stderr, "vorlusk: %s: the flight departs from the recording by frame %u\n",
                         path.c_str(), static_cast<unsigned>(playbackDeparted));
        } else if (state != Finished || flightFrame != playback.frameCount) {
            std::fprintf(
                stderr, "vorlusk: %s: the flight %s at frame %u, the recording ends at frame %u\n",
                path.c_str(), state == Finished ? "ended" : "still flies",
                static_cast<unsigned>(flightFrame), static_cast<unsigned>(playback.frameCount));
        } else if (flightEnding != playback.ending || score != playback.score) {
            std::fprintf(stderr,
                         "vorlusk: %s: the flight %s with score %d at frame %u, the recording "
                         "with score %d\n",
                         path.c_str(), ending, score, static_cast<unsigned>(flightFrame),
                         static_cast<int>(playback.score));
        } else {
            std::printf("%s: verified, %u frames, %s, score %d\n", path.c_str(),
                        static_cast<unsigned>(flightFrame), ending, score);
            continue;
        }
        status = 1;
    }
    close();
    return status;
}
