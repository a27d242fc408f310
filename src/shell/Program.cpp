// Program.cpp -- what the command line asked for: the game, a replay watched or verified, or
// the usage and version, which need no display at all.
#include "shell/CommandLine.h"
#include "shell/Game.h"
#include "shell/StandardStreams.h"

#include <cstdio>
#include <vector>

int CGame::runProgram(int argc, char** argv) {
    const CCommandLine line = parseCommandLine(argc, argv);
    switch (line.mode) {
    case HelpMode:
        guardStandardStreams();
        std::fputs(usageText(), stdout);
        return 0;
    case VersionMode:
        guardStandardStreams();
        std::fputs(versionText().c_str(), stdout);
        return 0;
    case UsageError:
        guardStandardStreams();
        std::fprintf(stderr, "vorlusk: %s\n%s", line.error.c_str(), usageText());
        return 2;
    case ReplayMode:
        return watchReplay(line.files[0].c_str());
    case VerifyMode: {
        std::vector<char*> files;
        for (const std::string& file : line.files) {
            files.push_back(const_cast<char*>(file.c_str()));
        }
        return verifyReplays(static_cast<int>(files.size()), files.data());
    }
    default:
        return run();
    }
}
