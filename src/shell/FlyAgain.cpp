// FlyAgain.cpp -- a new flight, from Waiting as after start-up, with everything already loaded:
// the first from the start screen, and each one after a flight has ended.
#include "flight/Drift.h"
#include "flight/Rules.h"
#include "hud/Hud.h"
#include "shell/Game.h"

#include <cstdlib>
#include <ctime>

namespace {

// Longer than the longest flight, clean-up included: a track with less than this left would
// end before the flight does.
constexpr double TRACK_NEEDED_SECONDS = 125.0;

bool trackRunsOutSoon(Mix_Music* music) {
    if (music == nullptr || Mix_PlayingMusic() == 0) {
        return true;
    }
    double length = Mix_MusicDuration(music);
    double position = Mix_GetMusicPosition(music);
    return length <= 0 || position < 0 || length - position < TRACK_NEEDED_SECONDS;
}

Uint32 freshSeed() {
    Uint64 counter = SDL_GetPerformanceCounter();
    Uint32 seed = static_cast<Uint32>(counter ^ (counter >> 32)) ^
                  static_cast<Uint32>(std::time(nullptr)) * 2654435761u;
    return seed != 0 ? seed : 1;
}

} // namespace

void CGame::resetFlight() {
    Mix_HaltChannel(-1);
    setPaused(NotPaused);

    state = Waiting;
    warningActive = false;
    seqFrame = 0;
    speedFactor = FLIGHT_START.speedFactor;
    score = FLIGHT_START.score;
    timeLeft = FLIGHT_START.timeLeft;
    thrustX = 0;
    thrustY = 0;
    for (int& timer : ship.timers) {
        timer = 0;
    }
    driftX = 0;
    driftY = 0;
    alarmPlayed = false;

    placeAliens();
    parkFireballs();
    // As start-up leaves them: a fireball's speed is set when it is thrown, but a replay's
    // fingerprint reads every field.
    for (auto& lane : fireballs) {
        for (CPlayer& fireball : lane) {
            fireball.velX = 0;
            fireball.velY = 0;
        }
    }
    placeBoostSheet();
    placeCrashSheet();
    resetBackground();
    releaseEndOfFlight();
    endLine[0] = '\0';
    endShownFrames = 0;
    flightFrame = 0;
    flightEnding = NotEnded;
    recording = false;
}

void CGame::beginFlight(bool freshTrack, Uint32 seed) {
    resetFlight();
    // The seed and each frame's thrust decide the whole flight: they are what a replay keeps.
    if (seed == 0) {
        seed = freshSeed();
    }
    std::srand(seed);
    // Drawn in every flight, so that a replay's draws line up whether or not the track changed.
    const int track = std::rand() % 5;
    if (freshTrack || trackRunsOutSoon(music)) {
        Mix_HaltMusic();
        Mix_FreeMusic(music);
        music = nullptr;
        startTrack(track);
    }
    mode = Playing;
    applyVolume();
    replay = CReplay{};
    replay.rulesVersion = FLIGHT_RULES_VERSION;
    replay.seed = seed;
    recording = true;
    readStick();
    restartSchedule();
}

void CGame::flyAgain() {
    if (mode == Watching) {
        startPlayback(Watching);
    } else {
        beginFlight(true);
    }
}
