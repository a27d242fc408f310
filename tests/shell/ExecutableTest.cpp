// ExecutableTest.cpp -- the real program: its exit status after a quit and after failed start-ups.
#include "support/GameFixture.h"

#include <string>
#include <unistd.h>

namespace {

const std::string GAME = std::string("'") + VORLUSK_EXECUTABLE + "'";

// Starts the game from data/, lets it run a while, then asks it to quit as a window manager
// would: SDL turns SIGTERM into its quit event.
CommandResult runAndQuit(const std::string& environment, const std::string& folder) {
    return runCommand("cd '" + folder + "' && " + environment + " " + GAME +
                      " & pid=$!; sleep 3; kill -TERM $pid; wait $pid");
}

} // namespace

TEST(Executable, QuitEndsWithStatusZero) {
    CommandResult result =
        runAndQuit("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy", VORLUSK_DATA_DIR);
    EXPECT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_EQ(result.out, "");
}

TEST(Executable, MixerThatCannotOpenPrintsItsLineAndExitsMinusOne) {
    // The disk driver starts, but cannot open its file in a folder that does not exist.
    CommandResult result =
        runCommand("cd '" VORLUSK_DATA_DIR "' && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk "
                   "SDL_DISKAUDIOFILE=/nonexistent-folder/audio.raw " +
                   GAME);
    EXPECT_EQ(result.status, 255);
    const std::string prefix = "SDL_mixer could not initialize! SDL_mixer Error: ";
    EXPECT_EQ(result.out.rfind(prefix, 0), 0u) << result.out;
    EXPECT_GT(result.out.size(), prefix.size() + 1); // the library's own reason follows
    EXPECT_EQ(result.out.back(), '\n');
}

TEST(Executable, LibraryThatCannotStartExitsMinusOneSilently) {
    CommandResult result = runCommand("cd '" VORLUSK_DATA_DIR "' && SDL_VIDEODRIVER=dummy "
                                      "SDL_AUDIODRIVER=no-such-driver " +
                                      GAME);
    EXPECT_EQ(result.status, 255);
    EXPECT_EQ(result.out, "");
}

TEST(Executable, RunsAndQuitsWithoutAnyAsset) {
    char folder[] = "/tmp/vorlusk-empty-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    CommandResult result = runAndQuit("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy", folder);
    rmdir(folder);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Bad load of Boost animation file\nBad load of crash animation file\n");
}
