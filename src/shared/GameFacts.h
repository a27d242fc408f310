// GameFacts.h -- the numbers the game, its asset generators and its tests must agree on: the
// screen and its frame, the sound device, the HUD, where a flight starts, the two animation
// sheets' grids, the sequences' timelines and the carpet's size. The files' names are in
// AssetNames.h beside it.
//
// Plain constants only, with no library behind them, so the generators include it as it is.
#pragma once

#include <cstdint>

constexpr int SCREEN_W = 1280;
constexpr int SCREEN_H = 720;

// One step of the flight: the game runs 50 frames a second on a fixed schedule, and everything
// timed in frames (the clock, the sheets, the explosions) is heard and drawn on it.
constexpr std::uint32_t FRAME_MS = 20;
constexpr double FRAME_SECONDS = FRAME_MS / 1000.0;

// The sound device as the game opens it, and the launcher's probe asks for it. The sounds are
// made at its rate, so the mixer never has to convert them. The sample format is SDL's
// AUDIO_S16LSB (signed 16 bits, little-endian), by its number: there is no SDL here to name it.
constexpr int AUDIO_FREQUENCY = 44100;
constexpr std::uint16_t AUDIO_SAMPLE_FORMAT = 0x8010;
constexpr int AUDIO_CHANNELS = 2;
constexpr int AUDIO_CHUNK_SAMPLES = 2048;

// A colour as the game draws it, without its alpha: solid and blended text treat that apart.
struct CRgb {
    unsigned char r;
    unsigned char g;
    unsigned char b;
};

// The HUD: speed, time and score one under the other in the top-left corner, in light blue; the
// time in dark red while the jets must be cleared, and the banner that says so.
constexpr CRgb HUD_TEXT_COLOR = {82, 197, 255};
constexpr CRgb WARNING_COLOR = {144, 0, 0};
constexpr int HUD_FONT_SIZE = 30;
constexpr int HUD_LINE_X = 5;
// The tops of the speed, time and score lines.
constexpr int HUD_LINE_Y[3] = {5, 40, 75};
constexpr const char* WARNING_TEXT = "Clear your Jets!";
// What shows where no carpet covers the scene: while the game loads, and when the carpet's file
// could not be read.
constexpr CRgb BACKDROP_COLOR = {160, 160, 160};

// Where every flight starts, after start-up and again each time the player flies again.
struct CFlightStart {
    float timeLeft;
    float speedFactor;
    int score;
};
constexpr CFlightStart FLIGHT_START = {102.0f, 1.0f, 0};

// The boost sheet: the ship with its booster lit, for the arrival and the launch-away.
constexpr int BOOST_FRAMES = 12;
constexpr int BOOST_FRAME_W = 221;
constexpr int BOOST_FRAME_H = 101;
constexpr int BOOST_COLUMNS = 4;
constexpr int BOOST_ROWS = 3;
// Each sheet frame stays up for this many game frames.
constexpr int FRAMES_PER_BOOST_FRAME = 7;
// The arrival joins the animation at this sheet frame, as if its first calls had already run.
constexpr int ARRIVAL_FIRST_FRAME = 5;
constexpr int ARRIVAL_FIRST_CALL = ARRIVAL_FIRST_FRAME * FRAMES_PER_BOOST_FRAME;

// The crash sheet: the frozen ship bursting into a wreck.
constexpr int CRASH_FRAMES = 48;
constexpr int CRASH_FRAME_SIZE = 152;
constexpr int CRASH_COLUMNS = 6;
constexpr int CRASH_ROWS = 8;
// Each sheet frame stays up for this many game frames.
constexpr int FRAMES_PER_CRASH_FRAME = 3;
// The calls of the crash sequence (counted from 1) on which an explosion is heard.
constexpr int CRASH_EXPLOSION_CALLS[4] = {3, 27, 33, 54};
// The crash sound comes this many calls before the end of the sequence.
constexpr int CRASH_SOUND_LEAD = 33;

// The carpet. The game shows a screen-sized window of it and jumps back to the start at its far
// edges, so the picture must repeat with these periods to hide the jump.
constexpr int CARPET_W = 4480;
constexpr int CARPET_H = 2048;
constexpr int CARPET_PERIOD_X = CARPET_W - SCREEN_W;
constexpr int CARPET_PERIOD_Y = CARPET_H - SCREEN_H;
// Where the window stands when a flight begins.
constexpr int CARPET_START_X = 3165;
constexpr int CARPET_START_Y = 1300;
