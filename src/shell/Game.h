// Game.h -- CGame, the one game object: every handle, sprite, sound and the flight's state.
#pragma once

#include "hud/Hud.h"
#include "records/Replay.h"
#include "records/Scores.h"
#include "records/Settings.h"
#include "shared/GameFacts.h"
#include "sprites/Player.h"
#include "sprites/ScrollPlayer.h"
#include "sprites/SpriteSheet.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

// Flight states, stored in CGame::state.
enum FlightState {
    Waiting = 0,
    LaunchIn = 1,
    Settled = 2,
    Flying = 3,
    LaunchOut = 4,
    Crashing = 5,
    Finished = 6,
};

// What a sprite's `state` means to the game: aliens enter then patrol, fireballs fly or are
// free. CPlayer itself only ever sets Free, when an unbounded sprite leaves the screen.
enum SpriteState {
    Free = 0,
    Entering = 1,
    Active = 3,
};

// Kinds of jet image, the last index of CGame::flames.
enum JetKind {
    Flames = 0,
    Ice = 1,
    Heal = 2,
};

// What the shell's loop is doing around the flight.
enum ShellMode {
    Playing = 0,  // the player's own flight (tests that call init and step it are here too)
    Watching = 1, // a replay, shown in the window
    Attract = 2,  // a replay behind the start screen's title
    Verifying = 3 // a replay checked frame by frame, shown nowhere
};

// Why the game is paused, if it is.
enum PauseReason {
    NotPaused = 0,
    PausedByKey = 1,
    PausedByFocus = 2,
};

class CGame {
  public:
    bool running = true;
    // Milliseconds of the game's clock (gameTicks): 64 bits, so the schedule never wraps.
    Uint64 nextFrameTicks = 0;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Joystick* joystick = nullptr;
    int thrustX = 0;
    int thrustY = 0;
    // Indexed by direction (0 right, 1 down, 2 left, 3 up), then slot.
    CPlayer fireballs[4][10];
    CPlayer aliens[4];
    CPlayer ship;
    // [direction][jet A, B][kind]
    CPlayer flames[4][2][3];
    Mix_Music* music = nullptr;
    Mix_Chunk* sndThrustBase = nullptr;
    Mix_Chunk* sndThrustFade = nullptr;
    Mix_Chunk* sndThrustRoar = nullptr;
    Mix_Chunk* sndThrustAlarm = nullptr;
    Mix_Chunk* sndShipExplosion = nullptr;
    Mix_Chunk* sndShipCrash = nullptr;
    Mix_Chunk* sndAlienShot = nullptr;
    Mix_Chunk* sndAlienHit = nullptr;
    CSpriteSheet boostSheet;
    CSpriteSheet crashSheet;
    SDL_Rect boostRect = {0, 0, 0, 0};
    SDL_Rect crashRect = {0, 0, 0, 0};
    int state = Waiting;
    bool warningActive = false;
    int seqFrame = 0;
    CScroll_Player background;
    float speedFactor = FLIGHT_START.speedFactor;
    int score = FLIGHT_START.score;
    float timeLeft = FLIGHT_START.timeLeft;
    TTF_Font* font = nullptr;
    // Alpha 0 as stored: solid text ignores the colour's alpha, so the texts still show.
    SDL_Color textColor = {HUD_TEXT_COLOR.r, HUD_TEXT_COLOR.g, HUD_TEXT_COLOR.b, 0};
    SDL_Color warningColor = {WARNING_COLOR.r, WARNING_COLOR.g, WARNING_COLOR.b, 0};
    SDL_Surface* scoreSurface = nullptr;
    SDL_Surface* timeSurface = nullptr;
    SDL_Surface* speedSurface = nullptr;
    SDL_Surface* warningSurface = nullptr;
    SDL_Texture* scoreTexture = nullptr;
    SDL_Texture* timeTexture = nullptr;
    SDL_Texture* speedTexture = nullptr;
    SDL_Texture* warningTexture = nullptr;
    SDL_Rect scoreRect = {0, 0, 0, 0};
    SDL_Rect timeRect = {0, 0, 0, 0};
    SDL_Rect speedRect = {0, 0, 0, 0};
    SDL_Rect warningRect = {0, 0, 0, 0};
    // What each HUD texture shows, so that it is rendered again only when that changes.
    CHudLine speedLine;
    CHudLine timeLine;
    CHudLine scoreLine;

    // Beyond the flight itself: the pause, the end-of-flight lines and the game's clock.
    int pauseReason = NotPaused;
    // Losing focus pauses only once the window has had it (a headless window never has).
    bool hadFocus = false;
    // True once the pause holds a frame on screen: the one drawn as it began, read back before
    // it was presented and shown under "Paused" until the pause ends.
    bool pauseShown = false;
    SDL_Texture* pauseSnapshot = nullptr;
    // How the flight ended and what to do next, made once when it has ended.
    SDL_Texture* endTextures[2] = {nullptr, nullptr};
    SDL_Rect endRects[2] = {{0, 0, 0, 0}, {0, 0, 0, 0}};
    // Added to SDL's tick count: lets a test stand the clock anywhere, near 2^32 say.
    Uint64 clockOffset = 0;
    // A clock the tests own: gameTicks reads manualTicks and every wait moves it on instead of
    // sleeping.
    bool manualClock = false;
    Uint64 manualTicks = 0;

    // The player's desktop: settings kept between runs, the window, the pads, the volume.
    CSettings settings;
    CFileComplaint settingsComplaint;
    // A change not yet written; a window being dragged to a new size is saved once it rests.
    bool settingsDirty = false;
    Uint64 settingsDueTicks = 0;
    // A switch between full screen and window makes the window lose focus for a moment; that is
    // not the player leaving.
    Uint64 focusGraceUntil = 0;
    // The open pad when SDL knows its layout; its stick and buttons then come as controller
    // events, and `joystick` is the same device underneath.
    SDL_GameController* controller = nullptr;
    TTF_Font* smallFont = nullptr;
    TTF_Font* titleFont = nullptr;
    // The start screen's lines, made once it shows.
    SDL_Texture* startTextures[16] = {};
    SDL_Rect startRects[16] = {};
    int startLines = 0;
    // Since when the start screen has been left alone, and the replay it shows then.
    Uint64 startIdleSince = 0;
    CReplay attractReplay;
    bool attractTried = false;
    bool haveAttract = false;
    SDL_Texture* noteTexture = nullptr;
    SDL_Rect noteRect = {0, 0, 0, 0};
    int noteFrames = 0;
    SDL_Texture* pauseTextures[3] = {nullptr, nullptr, nullptr};
    SDL_Rect pauseRects[3] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
    // Frames the end-of-flight lines have been up: fly again waits until they can be read.
    int endShownFrames = 0;

    // Every flight kept: the best scores, and the flight as its seed and each frame's thrust.
    int mode = Playing;
    CScoreTable scores;
    CFileComplaint scoresComplaint;
    bool recording = false;
    CReplay replay;
    // The recording being played back (Watching, Attract, Verifying).
    CReplay playback;
    std::size_t playbackRun = 0;
    Uint32 playbackRunStart = 0;
    // The first fingerprint frame at which the playback differed from its recording, or 0.
    Uint32 playbackDeparted = 0;
    // Frames of this flight stepped so far, and how it ended.
    Uint32 flightFrame = 0;
    int flightEnding = NotEnded;
    // The end-of-flight's first line, made by the shell when the scores are known.
    char endLine[96] = "";

    // The shell: start-up, teardown, loop and input.
    bool init();
    bool openWindow();
    void close();
    int run();
    void loopOnce(SDL_Event* event);
    void handleEvent(SDL_Event* event);
    void endFrame();
    Uint32 framesTimeLeft();
    Uint64 gameTicks() const;
    void waitMs(Uint32 ms);
    void restartSchedule();
    void waitWhilePaused();

    // What a player expects of a desktop game beyond the flight: pausing, flying again, and a
    // pad plugged in or out while the game runs.
    void setPaused(int reason);
    void holdPausedFrame();
    void showPause();
    void flyAgain();
    void handleJoystickDevice(const SDL_Event* event);
    bool handleShellEvent(const SDL_Event* event);

    // The shell around the flight (main.cpp runs one of these).
    int runProgram(int argc, char** argv);
    bool initShell();
    bool startWithPlayerFiles();
    bool runStartScreen();
    bool startScreenOnce(SDL_Event* event);
    void startAttract();
    void stopAttract();
    // A new flight from `seed`, or from a fresh one when it is 0.
    void beginFlight(bool freshTrack, Uint32 seed = 0);
    void resetFlight();
    void recordFrame();
    void noteFlightStep(int stateBefore);
    void finishFlight();
    int watchReplay(const char* file);
    int verifyReplays(int count, char** files);
    void startPlayback(int playMode);
    void feedPlayback();
    void makeStartScreen();
    void drawStartScreen(bool attract);
    void releaseStartScreen();

    // The window, the sound's level and the pads.
    void toggleFullscreen();
    void windowResized();
    void setVolume(int volume, bool muted);
    void applyVolume();
    void showNote(const char* text);
    void drawNote();
    void openPad(int deviceIndex);
    void closePad();
    void readStick();
    void saveSettingsNow();
    void saveSettingsWhenDue();

    // The flight, one frame at a time.
    void stepFrame();
    void clearScreen();
    int driftBackground(int vx, int vy);
    void spawnFireball();
    void updateFireballs();
    void renderThrusters();
    void updateAliens();
    void resetAlienVelocities();
    void playLaunch(bool outward);
    void playCrash();

    // The heads-up display.
    void renderHud();
    void renderEndOfFlight(bool crashed);
    void releaseEndOfFlight();

    // Start-up of the members that the flight drives, called last by init.
    void setupBackground();
    void setupBoostSheet();
    void setupCrashSheet();

    // Puts every sprite, sheet and the carpet's window where a flight starts; start-up and
    // flying again share them.
    void placeAliens();
    void parkFireballs();
    void placeBoostSheet();
    void placeCrashSheet();
    void resetBackground();
    void startMusic();
    void startTrack(int track);
};
