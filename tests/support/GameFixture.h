// GameFixture.h -- a game started for real from data/ on SDL's dummy drivers, and test helpers.
#pragma once

#include "shell/Game.h"

#include <gtest/gtest.h>
#include <string>

// Puts the values that live outside CGame back to their program-start state, as a fresh process
// would have them.
void resetStaticState();

// Stops what the mixer still holds after close(), so that a further game can start in the same
// process (close() leaves the audio device to SDL_Quit).
void releaseMixer();

// Sets a game not yet started to open a 1280x720 window.
void useSceneSizedWindow(CGame* game);

// Starts a real game in SetUp and tears it down in TearDown.
class GameTest : public ::testing::Test {
  protected:
    CGame game;
    // Set before SetUp by tests that run many frames and look at none of their pixels.
    bool smallWindow = false;

    void SetUp() override;
    void TearDown() override;

    // Steps frames as the main loop would, less the pacing: each frame's schedule moves on 20 ms.
    void step(int frames = 1);
    // Sets all eight jet freeze timers to `frames` (0 thaws them all).
    void setJetTimers(int frames);
    // Steps frames until `state` is reached (or the limit runs out); returns frames stepped.
    int stepUntilState(int state, int limit = 6000);
    // Advances the flight into Flying with no thrust, the aliens already on patrol.
    void enterFlying();
    // Holds every fireball out of play so a test can drive one alone.
    void parkFireballs();
};

// This process's resident memory, in kilobytes.
long residentKilobytes();

// Puts one key press on SDL's queue, as the keyboard would.
void pushKey(SDL_Keycode key, Uint8 repeat = 0);

// Sends one key press or release through handleEvent.
void sendKey(CGame& game, Uint32 type, SDL_Keycode key);

// A whole file's bytes; empty when it cannot be read.
std::string readFile(const std::string& path);

// Creates an empty file from a mkstemp pattern ("/tmp/name-XXXXXX"); its path, or "" on failure.
std::string makeTempFile(const char* pattern);

// Runs `command` through the shell; returns its exit status and captures stdout and stderr.
struct CommandResult {
    int status;
    std::string out;
    std::string err;
};
CommandResult runCommand(const std::string& command);
