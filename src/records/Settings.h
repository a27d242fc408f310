// Settings.h -- the player's choices kept between runs: full screen or window, the window's size,
// the volume and mute, in $XDG_CONFIG_HOME/vorlusk/settings.ini.
#pragma once

#include "records/UserFiles.h"

#include <string>

constexpr int VOLUME_MAX = 100;
constexpr int VOLUME_STEP = 10;
// The smallest window the scene still reads in, and a bound no real screen reaches.
constexpr int WINDOW_MIN_W = 320;
constexpr int WINDOW_MIN_H = 180;
constexpr int WINDOW_MAX_SIDE = 16384;

struct CSettings {
    bool fullscreen = true;
    // 0 by 0 until the player has sized a window: the game then picks one that fits the screen.
    int windowW = 0;
    int windowH = 0;
    // Percent of the full volume, 0 to 100 in steps of 10.
    int volume = VOLUME_MAX;
    bool muted = false;
};

// The file's path, or "" when there is no folder for it.
std::string settingsPath();

// Parses the text of a settings file into *settings, over what it holds. Every good line is
// used; out-of-range values are clamped. Returns the number of the first bad line (1-based), 0
// when there was none.
int parseSettings(const std::string& text, CSettings* settings);

// The text saveSettings writes.
std::string formatSettings(const CSettings& settings);

// Defaults, then the file. A missing file is the defaults with nothing printed; an unreadable,
// oversized or malformed one costs one line on standard error naming the file (and the first
// bad line); the good lines are used.
void loadSettings(CSettings* settings);

// Writes the file whole, making its folder. On failure the first call prints one line through
// `complaint`; false.
bool saveSettings(const CSettings& settings, CFileComplaint* complaint);
