// TestMain.cpp -- the test program's entry: the game's own folder and SDL's dummy drivers.
//
// The tests run the game as a player would, from data/ where it finds its assets, but headless:
// no display and no sound card are needed. An SDL driver already chosen in the environment
// (offscreen, disk, ...) is kept.
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // A headless window never has focus, and SDL drops a pad's events without it.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 0);
    if (chdir(VORLUSK_DATA_DIR) != 0) {
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
