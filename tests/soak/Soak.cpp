// Soak.cpp -- 100,000 frames of the real game headless at full speed, fed a seeded random
// stream of arrow keys and joystick motion, with Escape only at the very end. After every frame
// the invariants must hold, and the process must not grow: `make soak`.
//
// The events go through SDL's own queue (keys pushed, a virtual joystick moved) and are handled
// the way the main loop handles them; only the sleep between frames is left out.
#include "support/GameFixture.h"
#include "support/Invariants.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <unistd.h>

namespace {

// VORLUSK_SOAK_FRAMES shortens or lengthens the run (CI runs a shorter one).
const int FRAMES = std::getenv("VORLUSK_SOAK_FRAMES") != nullptr
                       ? std::atoi(std::getenv("VORLUSK_SOAK_FRAMES"))
                       : 100000;
const int MEMORY_FROM = FRAMES / 10; // growth is measured from here, once every asset is warm
constexpr unsigned SEED = 20261206;

void pushKeyEvent(Uint32 type, SDL_Keycode key) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

// One frame's worth of a restless player: now and then an arrow pressed or let go, the stick
// moved on one of its three axes (the third a trigger), or a key the game does not use.
void playerActs(std::mt19937& rng, SDL_Joystick* stick) {
    static const SDL_Keycode ARROWS[4] = {SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT, SDLK_UP};
    std::uniform_int_distribution<int> percent(0, 99);
    int roll = percent(rng);
    if (roll < 8) {
        pushKeyEvent(percent(rng) < 60 ? SDL_KEYDOWN : SDL_KEYUP, ARROWS[rng() % 4]);
    } else if (roll < 13) {
        static const Sint16 EDGES[] = {-32768, -32767, -9362, -9361, 0, 4680, 4681, 32766, 32767};
        int axis = static_cast<int>(rng() % 3);
        Sint16 value = percent(rng) < 30
                           ? EDGES[rng() % (sizeof EDGES / sizeof EDGES[0])]
                           : static_cast<Sint16>(static_cast<int>(rng() % 65536) - 32768);
        SDL_JoystickSetVirtualAxis(stick, axis, value);
    } else if (roll < 14) {
        SDL_Keycode other = percent(rng) < 50 ? SDLK_SPACE : SDLK_RETURN;
        pushKeyEvent(SDL_KEYDOWN, other);
        pushKeyEvent(SDL_KEYUP, other);
    }
}

} // namespace

TEST(Soak, HundredThousandFramesOfRandomInputKeepEveryInvariantAndTheMemoryFlat) {
    resetStaticState();
    ASSERT_EQ(SDL_Init(SDL_INIT_JOYSTICK), 0);
    ASSERT_GE(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 3, 0, 0), 0);
    CGame game;
    useSceneSizedWindow(&game);
    ASSERT_TRUE(game.init());
    ASSERT_NE(game.joystick, nullptr);
    std::srand(SEED); // the aliens' draws too, so a failure can be replayed
    std::mt19937 rng(SEED);

    long memoryFrom = 0;
    int statesSeen = 0;
    int stickEvents = 0;
    SDL_Event event;
    for (int frame = 1; frame <= FRAMES; ++frame) {
        playerActs(rng, game.joystick);
        while (SDL_PollEvent(&event) != 0) {
            stickEvents += event.type == SDL_JOYAXISMOTION ? 1 : 0;
            game.handleEvent(&event);
        }
        ASSERT_TRUE(game.running) << "frame " << frame << ": only Escape at the end may quit";
        game.stepFrame();
        SDL_RenderPresent(game.renderer);
        game.nextFrameTicks += FRAME_MS;

        std::string broken = brokenInvariant(game);
        ASSERT_EQ(broken, "") << "frame " << frame << ", seed " << SEED;
        statesSeen |= 1 << game.state;
        if (frame == MEMORY_FROM) {
            memoryFrom = residentKilobytes();
        }
        if (frame % (FRAMES / 10) == 0) {
            std::printf("frame %6d  state %d  score %6d  resident %ld kB\n", frame, game.state,
                        game.score, residentKilobytes());
            std::fflush(stdout);
        }
    }
    long memoryTo = residentKilobytes();
    std::printf("resident memory from frame %d to %d: %ld kB -> %ld kB (%+ld kB)\n", MEMORY_FROM,
                FRAMES, memoryFrom, memoryTo, memoryTo - memoryFrom);
    EXPECT_LT(memoryTo - memoryFrom, 1024);
    EXPECT_NE(statesSeen & (1 << Flying), 0) << "the flight never got going";
    // About one frame in twenty moves the stick; SDL drops its events if the headless window's
    // lack of focus is not overlooked (support/TestMain.cpp).
    EXPECT_GT(stickEvents, FRAMES / 40) << "the stick's motion did not reach the game";
    std::printf("stick motion events handled: %d\n", stickEvents);

    // Escape, then the one more frame the loop steps before it ends.
    pushKeyEvent(SDL_KEYDOWN, SDLK_ESCAPE);
    while (SDL_PollEvent(&event) != 0) {
        game.handleEvent(&event);
    }
    EXPECT_FALSE(game.running);
    game.stepFrame();
    SDL_RenderPresent(game.renderer);
    EXPECT_EQ(brokenInvariant(game), "");
    game.close();
}
