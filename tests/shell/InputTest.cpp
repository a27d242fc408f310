// InputTest.cpp -- handleEvent: quitting, the arrow keys and WASD by flight state, the volume
// keys and a resized window, and joystick 0's two axes.
#include "support/GameFixture.h"

#include <utility>
#include <vector>

TEST(InputKeys, ArrowsSetThrustAndTheLastPressWins) {
    CGame game;
    sendKey(game, SDL_KEYDOWN, SDLK_RIGHT);
    EXPECT_EQ(game.thrustX, 7);
    sendKey(game, SDL_KEYDOWN, SDLK_LEFT);
    EXPECT_EQ(game.thrustX, -7);
    sendKey(game, SDL_KEYDOWN, SDLK_DOWN);
    EXPECT_EQ(game.thrustY, 4);
    sendKey(game, SDL_KEYDOWN, SDLK_UP);
    EXPECT_EQ(game.thrustY, -4);
    // Releasing either horizontal key stops horizontal thrust, though the other is still held.
    sendKey(game, SDL_KEYUP, SDLK_RIGHT);
    EXPECT_EQ(game.thrustX, 0);
    EXPECT_EQ(game.thrustY, -4);
    sendKey(game, SDL_KEYUP, SDLK_DOWN);
    EXPECT_EQ(game.thrustY, 0);
    sendKey(game, SDL_KEYDOWN, SDLK_a);
    sendKey(game, SDL_KEYDOWN, SDLK_SPACE);
    EXPECT_EQ(game.thrustX, 0);
    EXPECT_TRUE(game.running);
}

TEST(InputKeys, WasdAndTheKeypadSteerByWhereTheKeysSit) {
    // As a French layout reports them: the key where W sits prints Z, where A sits prints Q.
    const struct {
        SDL_Scancode where;
        SDL_Keycode prints;
        int thrustX;
        int thrustY;
    } keys[] = {{SDL_SCANCODE_W, SDLK_z, 0, -4},      {SDL_SCANCODE_A, SDLK_q, -7, 0},
                {SDL_SCANCODE_S, SDLK_s, 0, 4},       {SDL_SCANCODE_D, SDLK_d, 7, 0},
                {SDL_SCANCODE_KP_8, SDLK_UP, 0, -4},  {SDL_SCANCODE_KP_4, SDLK_KP_4, -7, 0},
                {SDL_SCANCODE_KP_2, SDLK_KP_2, 0, 4}, {SDL_SCANCODE_KP_6, SDLK_KP_6, 7, 0}};
    for (const auto& key : keys) {
        CGame game;
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.scancode = key.where;
        event.key.keysym.sym = key.prints;
        game.handleEvent(&event);
        EXPECT_EQ(game.thrustX, key.thrustX) << SDL_GetScancodeName(key.where);
        EXPECT_EQ(game.thrustY, key.thrustY) << SDL_GetScancodeName(key.where);
        event.type = SDL_KEYUP;
        game.handleEvent(&event);
        EXPECT_EQ(game.thrustX + game.thrustY, 0) << SDL_GetScancodeName(key.where);
        game.state = Crashing;
        event.type = SDL_KEYDOWN;
        game.handleEvent(&event);
        EXPECT_EQ(game.thrustX + game.thrustY, 0) << "steered after the flight";
    }
}

TEST(InputKeys, AfterTheFlightOnlyQuittingIsHeard) {
    for (int state : {LaunchOut, Crashing, Finished}) {
        CGame game;
        game.state = state;
        game.thrustX = 3;
        game.thrustY = -2;
        sendKey(game, SDL_KEYDOWN, SDLK_LEFT);
        sendKey(game, SDL_KEYUP, SDLK_UP);
        SDL_Event motion{};
        motion.type = SDL_JOYAXISMOTION;
        game.handleEvent(&motion);
        EXPECT_EQ(game.thrustX, 3);
        EXPECT_EQ(game.thrustY, -2);
        sendKey(game, SDL_KEYUP, SDLK_ESCAPE);
        EXPECT_TRUE(game.running) << "a released Escape is ignored in state " << state;
        sendKey(game, SDL_KEYDOWN, SDLK_ESCAPE);
        EXPECT_FALSE(game.running);
    }
}

TEST(InputKeys, EscapeAndQuitEndTheGameDuringTheFlight) {
    for (int state : {Waiting, LaunchIn, Settled, Flying}) {
        CGame pressed;
        pressed.state = state;
        sendKey(pressed, SDL_KEYDOWN, SDLK_ESCAPE);
        EXPECT_FALSE(pressed.running);
        CGame released;
        released.state = state;
        sendKey(released, SDL_KEYUP, SDLK_ESCAPE);
        EXPECT_FALSE(released.running);
    }
    CGame game;
    game.state = Finished;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    game.handleEvent(&quit);
    EXPECT_FALSE(game.running);
}

// The volume keys step by tenths and stop at their ends, M silences without losing the level,
// and the replay behind the start screen plays its effects at a third; a window dragged to a new
// size is kept half a second after it rests. Each reaches the mixer and the settings file.
TEST_F(GameTest, VolumeKeysAndAResizedWindowReachTheMixerAndTheSettingsFile) {
    game.initShell();
    for (int press = 0; press < 11; ++press) {
        sendKey(game, SDL_KEYDOWN, SDLK_MINUS);
    }
    EXPECT_EQ(game.settings.volume, 0);
    EXPECT_EQ(Mix_MasterVolume(-1), 0);
    sendKey(game, SDL_KEYDOWN, SDLK_KP_PLUS);
    EXPECT_EQ(Mix_MasterVolume(-1), 12); // 128 * 10 / 100, truncated
    sendKey(game, SDL_KEYDOWN, SDLK_m);
    EXPECT_EQ(Mix_MasterVolume(-1) + Mix_VolumeMusic(-1), 0);
    sendKey(game, SDL_KEYDOWN, SDLK_m);
    game.mode = Attract;
    game.applyVolume();
    EXPECT_EQ(Mix_MasterVolume(-1), 3);
    EXPECT_EQ(Mix_VolumeMusic(-1), 12);
    game.mode = Playing;
    for (int press = 0; press < 10; ++press) {
        sendKey(game, SDL_KEYDOWN, SDLK_EQUALS);
    }
    EXPECT_EQ(Mix_MasterVolume(-1), 128);

    SDL_SetWindowSize(game.window, WINDOW_MIN_W, WINDOW_MIN_H);
    SDL_Event resized{};
    resized.type = SDL_WINDOWEVENT;
    resized.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    game.handleEvent(&resized);
    game.manualTicks += 499;
    game.saveSettingsWhenDue();
    EXPECT_TRUE(game.settingsDirty);
    game.manualTicks += 1;
    game.saveSettingsWhenDue();
    EXPECT_FALSE(game.settingsDirty);
    CSettings kept;
    loadSettings(&kept);
    EXPECT_EQ(kept.volume, 100);
    EXPECT_FALSE(kept.muted);
    EXPECT_EQ(kept.windowW, WINDOW_MIN_W);
    EXPECT_EQ(kept.windowH, WINDOW_MIN_H);
}

class JoystickTest : public ::testing::Test {
  protected:
    CGame game;
    SDL_Joystick* stick = nullptr;

    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_JOYSTICK), 0);
        int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 3, 0, 0);
        ASSERT_GE(device, 0);
        stick = SDL_JoystickOpen(device);
        ASSERT_NE(stick, nullptr);
        game.joystick = stick;
    }
    void TearDown() override {
        SDL_JoystickClose(stick);
        SDL_Quit();
    }

    // Moves one axis and hands the game the motion event of `eventAxis`.
    void push(int axis, Sint16 value, int eventAxis) {
        SDL_JoystickSetVirtualAxis(stick, axis, value);
        SDL_JoystickUpdate();
        SDL_Event motion{};
        motion.type = SDL_JOYAXISMOTION;
        motion.jaxis.axis = static_cast<Uint8>(eventAxis);
        motion.jaxis.value = value;
        game.handleEvent(&motion);
    }
};

TEST_F(JoystickTest, HorizontalAxisMapsByWholeStepsWithItsUnevenEnds) {
    const std::vector<std::pair<Sint16, int>> table = {
        {-32768, -6}, {-32767, -6}, {-32766, -5}, {-28086, -5}, {-28085, -4}, {-23405, -4},
        {-23404, -3}, {-18724, -3}, {-18723, -2}, {-14043, -2}, {-14042, -1}, {-9362, -1},
        {-9361, 0},   {0, 0},       {4680, 0},    {4681, 1},    {9361, 1},    {9362, 2},
        {14042, 2},   {14043, 3},   {18723, 3},   {18724, 4},   {23404, 4},   {23405, 5},
        {28085, 5},   {28086, 6},   {32766, 6},   {32767, 7},
    };
    for (const auto& [value, thrust] : table) {
        push(0, value, 0);
        EXPECT_EQ(game.thrustX, thrust) << "axis 0 at " << value;
    }
}

TEST_F(JoystickTest, VerticalAxisMapsByItsFloatingDivisor) {
    const std::vector<std::pair<Sint16, int>> table = {
        {-32768, -3}, {-29127, -3}, {-29126, -2}, {-20805, -2}, {-20804, -1}, {-12483, -1},
        {-12482, 0},  {4160, 0},    {4161, 1},    {12482, 1},   {12483, 2},   {20804, 2},
        {20805, 3},   {29126, 3},   {29127, 4},   {32767, 4},
    };
    for (const auto& [value, thrust] : table) {
        push(1, value, 1);
        EXPECT_EQ(game.thrustY, thrust) << "axis 1 at " << value;
    }
}

TEST_F(JoystickTest, AnyAxisMotionRereadsBothAxes) {
    push(0, 32767, 0);
    push(1, -32768, 1);
    EXPECT_EQ(game.thrustX, 7);
    EXPECT_EQ(game.thrustY, -3);
    // A key sets thrust; a trigger's motion then puts both axes' readings back.
    sendKey(game, SDL_KEYDOWN, SDLK_LEFT);
    EXPECT_EQ(game.thrustX, -7);
    push(2, 12000, 2);
    EXPECT_EQ(game.thrustX, 7);
    EXPECT_EQ(game.thrustY, -3);
}
