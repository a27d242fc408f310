// CrashTest.cpp -- playCrash: the explosion's timeline and sounds, the wreck that stays behind.
#include "flight/Drift.h"
#include "support/Checks.h"
#include "support/GameFixture.h"

#include <algorithm>
#include <vector>

class CrashTest : public GameTest {};

TEST_F(CrashTest, SoundsFramesAndTheWreckFollowTheTimelineThenTheWreckStaysWhileOnScreen) {
    driftX = -2;
    driftY = 3;
    game.state = Crashing;
    setJetTimers(125);
    std::vector<int> explosions;
    std::vector<int> crashes;
    const SDL_Rect start = game.crashRect;
    for (int n = 1; n <= 143; ++n) {
        // The carpet moving under the wreck: only from call 112 does the wreck follow it.
        game.background.velX = 2;
        game.background.velY = -1;
        const int explosionsBefore = channelsPlaying(game.sndShipExplosion);
        const int crashesBefore = channelsPlaying(game.sndShipCrash);
        const int sheetFrame = game.crashSheet.currentFrame;
        game.playCrash();
        if (channelsPlaying(game.sndShipExplosion) > explosionsBefore) {
            explosions.push_back(n);
        }
        if (channelsPlaying(game.sndShipCrash) > crashesBefore) {
            crashes.push_back(n);
        }
        // Each sheet frame is drawn on three calls, the last one held.
        ASSERT_EQ(sheetFrame, std::min((n - 1) / 3, 47)) << "call " << n;
    }
    EXPECT_EQ(explosions, (std::vector<int>{3, 27, 33, 54}));
    EXPECT_EQ(crashes, (std::vector<int>{111}));
    expectRect(game.crashRect, start.x - 2 * 32, start.y + 32, start.w, start.h); // 112 to 143

    game.thrustX = 7;
    game.playCrash(); // call 144: the end
    EXPECT_EQ(game.state, Finished);
    EXPECT_EQ(game.thrustX, -2);
    EXPECT_EQ(game.thrustY, 3);
    EXPECT_EQ(game.crashSheet.currentFrame, 47);
    EXPECT_EQ(game.aliens[0].velX, 1); // the aliens sent inward

    // Afterwards the end is played again every frame, silent, while the wreck is on screen and
    // every jet still frozen; it hands the drift back as the thrust each time.
    Mix_HaltChannel(-1);
    // On screen; its right edge a pixel inside; on the screen's edge; on screen, one jet thawed.
    const int heldAt[] = {500, -start.w + 1, -start.w, 500};
    for (int i = 0; i < 4; ++i) {
        game.ship.timers[0] = i == 3 ? 0 : 125;
        game.crashRect.x = heldAt[i];
        game.thrustX = 5;
        game.stepFrame();
        EXPECT_EQ(game.thrustX, i < 2 ? -2 : 5) << "step " << i;
        EXPECT_EQ(game.state, Finished);
    }
    EXPECT_EQ(game.seqFrame, 144); // the count stops at the end: a replay's fingerprint holds it
    EXPECT_EQ(channelsPlaying(game.sndShipExplosion) + channelsPlaying(game.sndShipCrash), 0);
}
