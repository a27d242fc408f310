// FlyAgainTest.cpp -- after a flight has ended and its result has been up for a second, Enter,
// Space or button 0 starts another from Waiting exactly as after start-up, with nothing reloaded
// and nothing left behind.
#include "flight/Drift.h"
#include "support/Checks.h"
#include "support/GameFixture.h"

#include <malloc.h>

namespace {

// What start-up leaves of the flight, for comparison with a flight started again.
struct FlightStart {
    SDL_Rect aliens[4];
    int alienVel[4][2];
    SDL_Rect boostRect;
    SDL_Rect crashRect;
    SDL_Rect window;
};

FlightStart flightStartOf(const CGame& game) {
    FlightStart start{};
    for (int i = 0; i < 4; ++i) {
        start.aliens[i] = game.aliens[i].rect;
        start.alienVel[i][0] = game.aliens[i].velX;
        start.alienVel[i][1] = game.aliens[i].velY;
    }
    start.boostRect = game.boostRect;
    start.crashRect = game.crashRect;
    start.window = game.background.srcRect;
    return start;
}

bool sameRect(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

} // namespace

class FlyAgainTest : public GameTest {
  protected:
    // Into Flying, then every jet frozen: the crash, cut to its last frames, and one frame in
    // Finished, where the end-of-flight lines are made.
    void crashToTheEnd() {
        game.timeLeft = 98.01f;
        stepUntilState(Flying);
        setJetTimers(125);
        step();
        game.seqFrame = 140;
        stepUntilState(Finished);
        step();
    }
};

TEST_F(FlyAgainTest, TheNextFlightStartsFromWaitingAsAfterStartUp) {
    const FlightStart atStartUp = flightStartOf(game);
    enterFlying();
    game.score = 480;
    crashToTheEnd();
    ASSERT_EQ(game.state, Finished);
    EXPECT_NE(game.endTextures[0], nullptr);
    EXPECT_GT(game.endRects[0].y, game.crashRect.y + game.crashRect.h) << "lines over the wreck";

    // Not at once: a key held as the flight ends would skip the result.
    sendKey(game, SDL_KEYDOWN, SDLK_RETURN);
    ASSERT_EQ(game.state, Finished);
    SDL_Event event;
    for (int frame = 0; frame < 49; ++frame) {
        game.loopOnce(&event);
    }
    sendKey(game, SDL_KEYDOWN, SDLK_RETURN);
    ASSERT_EQ(game.state, Finished) << "flew again after 49 frames of the result";
    game.loopOnce(&event);
    SDL_Event repeat{};
    repeat.type = SDL_KEYDOWN;
    repeat.key.keysym.sym = SDLK_RETURN;
    repeat.key.repeat = 1;
    game.handleEvent(&repeat);
    ASSERT_EQ(game.state, Finished) << "a key repeat flew again";
    sendKey(game, SDL_KEYDOWN, SDLK_p);
    SDL_Event button{};
    button.type = SDL_JOYBUTTONDOWN;
    game.handleEvent(&button);
    ASSERT_EQ(game.state, Finished) << "button 0 flew again under the pause";
    sendKey(game, SDL_KEYDOWN, SDLK_p);
    sendKey(game, SDL_KEYDOWN, SDLK_RETURN);
    ASSERT_EQ(game.state, Waiting);
    const FlightStart again = flightStartOf(game);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(sameRect(again.aliens[i], atStartUp.aliens[i])) << "alien " << i;
        EXPECT_EQ(again.alienVel[i][0], atStartUp.alienVel[i][0]);
        EXPECT_EQ(again.alienVel[i][1], atStartUp.alienVel[i][1]);
        EXPECT_EQ(game.aliens[i].state, Entering);
    }
    EXPECT_TRUE(sameRect(again.boostRect, atStartUp.boostRect));
    EXPECT_TRUE(sameRect(again.crashRect, atStartUp.crashRect));
    EXPECT_TRUE(sameRect(again.window, atStartUp.window));
    for (auto& row : game.fireballs) {
        for (const CPlayer& fireball : row) {
            ASSERT_EQ(fireball.state, Free);
            ASSERT_EQ(fireball.rect.x, -SCREEN_W);
        }
    }
    for (int timer : game.ship.timers) {
        EXPECT_EQ(timer, 0);
    }
    EXPECT_EQ(game.score, FLIGHT_START.score);
    EXPECT_EQ(game.timeLeft, FLIGHT_START.timeLeft);
    EXPECT_EQ(game.speedFactor, FLIGHT_START.speedFactor);
    EXPECT_EQ(game.seqFrame, 0);
    EXPECT_EQ(game.thrustX, 0);
    EXPECT_EQ(game.crashSheet.currentFrame, 0);
    EXPECT_EQ(driftX, 0);
    EXPECT_EQ(game.endTextures[0], nullptr);
    EXPECT_EQ(game.endShownFrames, 0) << "the next result would not be held for its 50 frames";
    EXPECT_EQ(Mix_Playing(-1), 0) << "a sound of the last flight plays on";
    EXPECT_NE(game.music, nullptr);
    EXPECT_EQ(Mix_FadingMusic(), MIX_FADING_IN);

    sendKey(game, SDL_KEYDOWN, SDLK_SPACE);
    EXPECT_EQ(game.timeLeft, FLIGHT_START.timeLeft)
        << "Space in Waiting started yet another flight";
    EXPECT_EQ(stepUntilState(LaunchIn), 101) << "the arrival comes on the same frame again";
}

// Each track is shorter than the 125 s a flight and its end may take: the first flight starts
// one afresh rather than go on with the start screen's, ten seconds in.
TEST_F(FlyAgainTest, TheFirstFlightStartsATrackThatOutlastsIt) {
    // Half a minute into a track of two and a quarter at most: too little left for a flight.
    Mix_PauseMusic();
    ASSERT_EQ(Mix_SetMusicPosition(30.0), 0);
    game.beginFlight(false);
    EXPECT_LT(Mix_GetMusicPosition(game.music), 30.0);
}

TEST_F(FlyAgainTest, AHundredFlightsLeaveNoAllocationBehind) {
    SDL_Event button{};
    button.type = SDL_JOYBUTTONDOWN;
    button.jbutton.button = 0;
    int allocations = 0;
    size_t heap = 0;
    for (int flight = 1; flight <= 100; ++flight) {
        crashToTheEnd();
        ASSERT_EQ(game.state, Finished);
        game.endShownFrames = 50;
        game.handleEvent(&button);
        ASSERT_EQ(game.state, Waiting);
        if (flight == 25) {
            allocations = SDL_GetNumAllocations();
            heap = mallinfo2().uordblks;
        }
    }
    // The libraries' caches still fill now and then (three or four allocations in a hundred
    // flights); anything the game made anew for each flight and kept would add one a flight.
    EXPECT_LT(SDL_GetNumAllocations() - allocations, 25) << "SDL allocations, textures among them";
    EXPECT_LT(mallinfo2().uordblks, heap + 64 * 1024) << "heap bytes";
}
