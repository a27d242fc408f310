// TestMain.cpp -- the test program's entry: the game's own folder, SDL's dummy drivers, and a
// home of its own.
//
// The tests run the game as a player would, from data/ where it finds its assets, but headless:
// no display and no sound card are needed. An SDL driver already chosen in the environment
// (offscreen, disk, ...) is kept. The settings, scores and replays a flight keeps go to a fresh
// folder that is removed at the end, never to the home of whoever runs the tests.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <utility>

namespace {

// Tests that read pixels back switch to the offscreen driver; the next test, in the same process
// when the suite runs whole, starts on the driver the program started with.
class CRestoreVideoDriver : public testing::EmptyTestEventListener {
  public:
    explicit CRestoreVideoDriver(std::string startedWith) : driver(std::move(startedWith)) {}
    void OnTestEnd(const testing::TestInfo&) override {
        setenv("SDL_VIDEODRIVER", driver.c_str(), 1);
    }

  private:
    std::string driver;
};

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // A headless window never has focus, and SDL drops a pad's events without it.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 0);
    char home[] = "/tmp/vorlusk-test-home-XXXXXX";
    if (mkdtemp(home) == nullptr) {
        return 1;
    }
    setenv("HOME", home, 1);
    setenv("XDG_CONFIG_HOME", (std::string(home) + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (std::string(home) + "/share").c_str(), 1);
    if (chdir(VORLUSK_DATA_DIR) != 0) {
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(
        new CRestoreVideoDriver(std::getenv("SDL_VIDEODRIVER")));
    int status = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return status;
}
