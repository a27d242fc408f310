// PadTest.cpp -- pads through SDL's virtual joystick: a pad SDL has a layout for steers with its
// stick and d-pad, pauses with Start, flies again with A and quits with Back only after a
// flight; a plain joystick steers with its hat; the other pad takes over when the active one is
// pulled out, and a stick held as a flight starts is read at once.
#include "support/GameFixture.h"

#include <string>

namespace {

// A layout for the virtual pad, as a player's SDL_GAMECONTROLLERCONFIG would give one.
bool addLayout(int device) {
    char guid[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(device), guid, sizeof guid);
    std::string mapping = std::string(guid) +
                          ",Test pad,a:b0,b:b1,back:b4,start:b6,dpup:b11,dpdown:b12,dpleft:b13,"
                          "dpright:b14,leftx:a0,lefty:a1,";
    return SDL_GameControllerAddMapping(mapping.c_str()) >= 0;
}

} // namespace

class PadTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        game.initShell();
    }

    void handleQueue() {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            game.handleEvent(&event);
        }
    }

    void press(SDL_Joystick* pad, int button) {
        SDL_JoystickSetVirtualButton(pad, button, SDL_PRESSED);
        handleQueue();
        SDL_JoystickSetVirtualButton(pad, button, SDL_RELEASED);
        handleQueue();
    }
};

TEST_F(PadTest, APadWithALayoutSteersPausesFliesAgainAndQuitsOnlyAfterAFlight) {
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 15, 0);
    ASSERT_TRUE(addLayout(device));
    handleQueue();
    ASSERT_NE(game.controller, nullptr) << "the pad was not opened through its layout";
    SDL_Joystick* pad = game.joystick;

    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_PRESSED);
    handleQueue();
    EXPECT_EQ(game.thrustX, 7);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_RELEASED);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_PRESSED);
    handleQueue();
    EXPECT_EQ(game.thrustX, 0);
    EXPECT_EQ(game.thrustY, -4);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_RELEASED);
    handleQueue();
    // The stick by the same rule as a plain joystick's axes 0 and 1.
    SDL_JoystickSetVirtualAxis(pad, 0, -32768);
    SDL_JoystickSetVirtualAxis(pad, 1, 32767);
    handleQueue();
    EXPECT_EQ(game.thrustX, -6);
    EXPECT_EQ(game.thrustY, 4);

    press(pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(game.pauseReason, PausedByKey);
    press(pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(game.pauseReason, NotPaused);
    press(pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_TRUE(game.running) << "Back quit in the middle of a flight";

    game.state = Finished;
    press(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(game.state, Finished) << "A flew again before the result could be read";
    game.endShownFrames = 50;
    // Held as the next flight starts, the stick steers from its first frame.
    press(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(game.state, Waiting);
    EXPECT_EQ(game.thrustX, -6);
    game.state = Finished;
    press(pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_FALSE(game.running);
    SDL_JoystickDetachVirtual(device);
}

TEST_F(PadTest, TheOtherPadTakesOverAndAPlainJoysticksHatSteers) {
    const int first = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 15, 0);
    ASSERT_TRUE(addLayout(first));
    handleQueue();
    SDL_Joystick* active = game.joystick;
    ASSERT_NE(active, nullptr);
    // A plain joystick with a hat and no layout.
    const int second = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 2, 1);
    handleQueue();
    EXPECT_EQ(game.joystick, active) << "a pad plugged in later took over";
    SDL_JoystickSetVirtualAxis(active, 0, 32767);
    handleQueue();
    ASSERT_EQ(game.thrustX, 7);

    SDL_JoystickDetachVirtual(first);
    handleQueue();
    ASSERT_NE(game.joystick, nullptr) << "the pad left plugged in stays unused";
    EXPECT_EQ(game.controller, nullptr);
    EXPECT_EQ(game.thrustX, 0) << "the pulled pad's push goes on";
    SDL_Joystick* plain = game.joystick;
    SDL_JoystickSetVirtualHat(plain, 0, SDL_HAT_RIGHTUP);
    handleQueue();
    EXPECT_EQ(game.thrustX, 7);
    EXPECT_EQ(game.thrustY, -4);
    SDL_JoystickSetVirtualHat(plain, 0, SDL_HAT_CENTERED);
    handleQueue();
    EXPECT_EQ(game.thrustX, 0);
    EXPECT_EQ(game.thrustY, 0);
    SDL_JoystickDetachVirtual(second - 1); // the devices left move down by one
}
