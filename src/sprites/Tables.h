// Tables.h -- the numbers the game, its asset generators and its tests must agree on: the screen,
// the two animation sheets' grids, the sequences' timelines and the carpet's size.
//
// Plain constants only, with no library behind them, so the generators include it as it is.
#pragma once

constexpr int SCREEN_W = 1280;
constexpr int SCREEN_H = 720;

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
