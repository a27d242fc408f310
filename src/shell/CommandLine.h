// CommandLine.h -- what the player asked for on the command line: play, watch or verify
// replays, or read the usage and version.
#pragma once

#include <string>
#include <vector>

enum CommandMode {
    PlayMode = 0,
    ReplayMode = 1,  // --replay FILE
    VerifyMode = 2,  // --verify FILE...
    HelpMode = 3,    // --help
    VersionMode = 4, // --version
    UsageError = 5,  // anything else: usage on standard error, exit status 2
};

struct CCommandLine {
    int mode = PlayMode;
    // Replay files: `last` and `best` as they are (the player's own, found by the game), other
    // relative paths resolved against the folder the player started in (resolveStartPath).
    std::vector<std::string> files;
    // Why the line was not understood, for UsageError.
    std::string error;
};

CCommandLine parseCommandLine(int argc, char** argv);

// The usage text --help prints, ending in a newline.
const char* usageText();

// "vorlusk VERSION\n"
std::string versionText();

// The launcher starts the game inside its data folder and says in VORLUSK_START_DIR where the
// player was; a relative path means a file there.
std::string resolveStartPath(const std::string& path);
