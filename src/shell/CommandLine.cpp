// CommandLine.cpp -- one option at most, each with exactly the files it takes; anything else is
// a usage error with a one-line reason, so that a typo never starts a game the player did not ask
// for.
#include "shell/CommandLine.h"

#include <cstdlib>

#ifndef VORLUSK_VERSION
#error "VORLUSK_VERSION comes from the project's version in CMakeLists.txt"
#endif

namespace {

// Kept in step with the manual page (packaging/vorlusk.6); a test compares their options.
const char COMMAND_USAGE_TEXT[] =
    "Usage: vorlusk [--replay FILE | --verify FILE... | --help | --version]\n"
    "Dodge the aliens' fireballs over a sliding carpet, thaw your jets, launch away.\n"
    "\n"
    "Options:\n"
    "  --replay FILE      watch a recorded flight; FILE may be 'last' or 'best',\n"
    "                     your own last and best flights\n"
    "  --verify FILE...   play recorded flights without a window and check that\n"
    "                     each ends as it was recorded\n"
    "  -h, --help         show this help and exit\n"
    "  --version          show the version and exit\n"
    "\n"
    "Controls:\n"
    "  arrows, WASD, keypad 8 4 6 2, pad stick or d-pad   thrust\n"
    "  Enter, Space, pad A     start, fly again\n"
    "  P, pad Start            pause\n"
    "  F11, Alt+Enter          full screen or window\n"
    "  M                       mute\n"
    "  - and +                 volume\n"
    "  Esc                     quit (pad Back on the start and end screens)\n"
    "\n"
    "Exit status: 0 done, 1 a verified flight did not end as recorded,\n"
    "2 a usage error or an unreadable replay. See vorlusk(6).\n";

bool looksLikeCommandOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

bool isCommandOption(const std::string& argument) {
    return argument == "--replay" || argument == "--verify" || argument == "--help" ||
           argument == "-h" || argument == "--version";
}

CCommandLine commandLineError(const std::string& reason) {
    CCommandLine line;
    line.mode = UsageError;
    line.error = reason;
    return line;
}

// The player's own recordings are named, not found in the folder the player is in.
std::string commandReplayPath(const std::string& argument) {
    if (argument == "last" || argument == "best") {
        return argument;
    }
    return resolveStartPath(argument);
}

} // namespace

CCommandLine parseCommandLine(int argc, char** argv) {
    CCommandLine line;
    if (argc < 2) {
        return line;
    }
    const std::string option = argv[1];
    if (!isCommandOption(option)) {
        return commandLineError(looksLikeCommandOption(option)
                                    ? "unknown option '" + option + "'"
                                    : "unexpected argument '" + option + "'");
    }
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        if (isCommandOption(argument)) {
            return commandLineError(option + " and " + argument + " cannot be used together");
        }
        // A file whose name starts with '-' is still reachable as ./-name.
        if (looksLikeCommandOption(argument)) {
            return commandLineError("unknown option '" + argument + "'");
        }
        if (option == "--help" || option == "-h" || option == "--version") {
            return commandLineError(option + " takes no arguments, not '" + argument + "'");
        }
        line.files.push_back(commandReplayPath(argument));
    }
    if (option == "--help" || option == "-h") {
        line.mode = HelpMode;
    } else if (option == "--version") {
        line.mode = VersionMode;
    } else if (option == "--replay") {
        if (line.files.size() != 1) {
            return commandLineError(line.files.empty() ? "--replay needs a file"
                                                       : "--replay takes one file");
        }
        line.mode = ReplayMode;
    } else {
        if (line.files.empty()) {
            return commandLineError("--verify needs at least one file");
        }
        line.mode = VerifyMode;
    }
    return line;
}

const char* usageText() {
    return COMMAND_USAGE_TEXT;
}

std::string versionText() {
    return std::string("vorlusk ") + VORLUSK_VERSION + "\n";
}

std::string resolveStartPath(const std::string& path) {
    if (path.empty() || path[0] == '/') {
        return path;
    }
    const char* start = std::getenv("VORLUSK_START_DIR");
    if (start == nullptr || start[0] != '/') {
        return path;
    }
    std::string joined = start;
    if (joined.back() != '/') {
        joined += '/';
    }
    return joined + path;
}
