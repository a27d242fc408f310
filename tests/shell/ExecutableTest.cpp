// ExecutableTest.cpp -- the real program: its exit status after a quit and after failed start-ups,
// and what it does with closed standard streams and a display that does not answer.
#include "support/GameFixture.h"

#include <string>
#include <unistd.h>

namespace {

const std::string GAME = std::string("'") + VORLUSK_EXECUTABLE + "'";
const std::string HEADLESS = "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ";
// A start-up that fails leaves what it had made to the end of the process, on purpose: under
// the sanitizers, that is no leak to report.
const std::string FAILING = "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" ";

} // namespace

TEST(Executable, QuitEndsWithStatusZero) {
    // SDL turns SIGTERM into its quit event, as a window manager's close would be.
    CommandResult result = runCommand("cd '" VORLUSK_DATA_DIR "' && " + HEADLESS + GAME +
                                      " & pid=$!; sleep 1.5; kill -TERM $pid; wait $pid");
    EXPECT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_EQ(result.out, "");
}

TEST(Executable, FailedStartUpsExitMinusOneSayingWhyOnlyWhereTheyShould) {
    // The disk driver starts, but cannot open its file in a folder that does not exist.
    CommandResult mixer = runCommand("cd '" VORLUSK_DATA_DIR "' && " + FAILING +
                                     "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk "
                                     "SDL_DISKAUDIOFILE=/nonexistent-folder/audio.raw " +
                                     GAME);
    EXPECT_EQ(mixer.status, 255);
    const std::string prefix = "SDL_mixer could not initialize! SDL_mixer Error: ";
    EXPECT_EQ(mixer.out.rfind(prefix, 0), 0u) << mixer.out;
    EXPECT_GT(mixer.out.size(), prefix.size() + 1); // the library's own reason follows
    EXPECT_EQ(mixer.out.back(), '\n');

    CommandResult library =
        runCommand("cd '" VORLUSK_DATA_DIR "' && " + FAILING +
                   "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=no-such-driver " + GAME);
    EXPECT_EQ(library.status, 255);
    EXPECT_EQ(library.out, "");

    // A DISPLAY naming no server: SDL would fall back to drawing off screen, and the game would
    // run on unseen for ever.
    CommandResult stale = runCommand("cd '" VORLUSK_DATA_DIR "' && " + FAILING +
                                     "env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY=:93517 "
                                     "SDL_AUDIODRIVER=dummy timeout 20 " +
                                     GAME);
    EXPECT_EQ(stale.status, 255) << stale.err;
    EXPECT_EQ(stale.out, "");
    // One line of the game's, whatever the display libraries say before it.
    const std::string line = "Vorlusk: no display could be opened";
    size_t at = stale.err.find(line);
    ASSERT_NE(at, std::string::npos) << stale.err;
    EXPECT_TRUE(at == 0 || stale.err[at - 1] == '\n') << stale.err;
    EXPECT_EQ(stale.err.find('\n', at), stale.err.size() - 1) << stale.err;
}

TEST(Executable, ClosedStreamsGetNullAndNoLineIsLostWhenTheGameIsEnded) {
    char folder[] = "/tmp/vorlusk-empty-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string out = std::string(folder) + "/out.txt";
    // Started without stdin and stderr, in a folder without assets so that it complains, then
    // hung up on: what it printed must be in the file, and nothing may take descriptors 0 and 2.
    CommandResult result =
        runCommand(std::string("cd '") + folder + "' && " + HEADLESS + GAME + " 0<&- 2>&- >'" +
                   out + "' & pid=$!; sleep 1.5; readlink /proc/$pid/fd/0 /proc/$pid/fd/2; " +
                   "kill -HUP $pid; wait $pid; echo status $?");
    std::string printed = readFile(out);
    std::remove(out.c_str());
    rmdir(folder);
    EXPECT_EQ(result.out, "/dev/null\n/dev/null\nstatus 129\n") << result.err;
    EXPECT_EQ(printed, "Bad load of Boost animation file\nBad load of crash animation file\n");
}
