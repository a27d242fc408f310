// BackgroundTest.cpp -- driftBackground: frozen jets slowing the drift, the count, the carpet's
// wrap.
#include "support/GameFixture.h"

class DriftTest : public GameTest {
  protected:
    // Drifts once with the thrust's sign given by (thrustX, thrustY) and the jets frozen as
    // listed; returns the frozen count.
    int drift(int thrustX, int thrustY, int vx, int vy, std::initializer_list<int> frozenJets) {
        for (int& timer : game.ship.timers) {
            timer = 0;
        }
        for (int jet : frozenJets) {
            game.ship.timers[jet] = 60;
        }
        game.thrustX = thrustX;
        game.thrustY = thrustY;
        game.background.srcRect = {1000, 1000, 1280, 720};
        return game.driftBackground(vx, vy);
    }
};

TEST_F(DriftTest, NoFrozenJetLeavesTheDriftAsAsked) {
    EXPECT_EQ(drift(7, -4, 7, -4, {}), 0);
    EXPECT_EQ(game.background.velX, 7);
    EXPECT_EQ(game.background.velY, -4);
    EXPECT_EQ(game.background.srcRect.x, 1007); // scrolled by it
    EXPECT_EQ(game.background.srcRect.y, 996);
}

TEST_F(DriftTest, EachFrozenJetOfTheThrustDirectionHalvesTheDrift) {
    drift(7, 0, 7, 0, {0}); // right, jet A of direction 0
    EXPECT_EQ(game.background.velX, 4);
    drift(7, 0, 7, 0, {0, 1});
    EXPECT_EQ(game.background.velX, 0);
    drift(7, 0, 7, 0, {4}); // a left jet does not slow a push to the right
    EXPECT_EQ(game.background.velX, 7);
    drift(-7, 0, -7, 0, {5}); // the half taken off truncates toward zero
    EXPECT_EQ(game.background.velX, -4);
    drift(1, 0, 1, 0, {1});
    EXPECT_EQ(game.background.velX, 1);
    drift(1, 0, 1, 0, {0, 1});
    EXPECT_EQ(game.background.velX, 0);
    drift(0, 4, 0, 4, {2}); // down
    EXPECT_EQ(game.background.velY, 2);
    drift(0, -4, 0, -9, {6}); // up, at a scaled drift
    EXPECT_EQ(game.background.velY, -5);
    drift(0, 0, 7, 0, {0, 1, 4, 5}); // no horizontal thrust: nothing slows
    EXPECT_EQ(game.background.velX, 7);
}

TEST_F(DriftTest, TheThrustSignNotTheDriftSignPicksTheDirection) {
    // The closing sequences drive the carpet against the thrust input's sign.
    drift(3, 0, -7, 0, {0});
    EXPECT_EQ(game.background.velX, -4);
    drift(3, 0, -7, 0, {4, 5});
    EXPECT_EQ(game.background.velX, -7);
}

TEST_F(DriftTest, CountsEveryFrozenJetWhateverTheThrust) {
    EXPECT_EQ(drift(0, 0, 0, 0, {0, 1, 2, 3, 4, 5, 6, 7}), 8);
    EXPECT_EQ(drift(7, 4, 7, 4, {0, 1, 2, 3, 4, 5, 6, 7}), 8);
    EXPECT_EQ(game.background.velX, 0);
    EXPECT_EQ(game.background.velY, 0);
    EXPECT_EQ(drift(-7, 0, -7, 0, {3, 6}), 2);
}

TEST_F(DriftTest, TheCarpetWrapsAtItsOwnEdges) {
    int limitX = game.background.rect.w - 1280;
    int limitY = game.background.rect.h - 720;
    game.thrustX = 7;
    game.thrustY = 4;
    game.background.srcRect = {limitX - 3, limitY - 2, 1280, 720};
    game.driftBackground(7, 4);
    EXPECT_EQ(game.background.srcRect.x, 0);
    EXPECT_EQ(game.background.srcRect.y, 0);
    game.thrustX = -7;
    game.thrustY = -4;
    game.driftBackground(-7, -4);
    EXPECT_EQ(game.background.srcRect.x, limitX);
    EXPECT_EQ(game.background.srcRect.y, limitY);
}

TEST_F(DriftTest, AJetFrozenThisFrameCountsFromTheNext) {
    enterFlying();
    parkFireballs();
    // A fireball from alien 2 placed on the ship: this frame's hit freezes jet B of direction 2.
    CPlayer& fireball = game.fireballs[2][0];
    fireball.state = 3;
    fireball.rect.x = game.ship.rect.x;
    fireball.rect.y = game.ship.rect.y;
    fireball.velX = 0;
    fireball.velY = 0;
    for (CPlayer& alien : game.aliens) {
        alien.state = 0;
    }
    game.timeLeft = 0.0f;
    game.stepFrame();
    EXPECT_EQ(game.ship.timers[5], 125);
    EXPECT_FALSE(game.warningActive); // counted 0 at the start of that frame
    EXPECT_EQ(game.state, LaunchOut);
}
