// BackgroundTest.cpp -- driftBackground: frozen jets slowing the drift, their count, the carpet's
// wrap.
#include "support/GameFixture.h"

#include <vector>

class BackgroundTest : public GameTest {};

TEST_F(BackgroundTest, EachFrozenJetOfTheThrustsDirectionHalvesTheDriftTruncated) {
    const struct {
        int thrustX, thrustY, vx, vy;
        std::vector<int> frozen;
        int velX, velY, count;
    } cases[] = {
        {7, -4, 7, -4, {}, 7, -4, 0},
        {7, 0, 7, 0, {0}, 4, 0, 1},            // right, jet A: the larger half remains
        {7, 0, 7, 0, {0, 1}, 0, 0, 2},         //
        {7, 0, 7, 0, {4}, 7, 0, 1},            // a left jet does not slow a push to the right
        {-7, 0, -7, 0, {5}, -4, 0, 1},         // the half taken off truncates toward zero
        {-7, 0, -7, 0, {4, 5}, 0, 0, 2},       // two halves of an odd drift leave nothing
        {1, 0, 1, 0, {1}, 1, 0, 1},            //
        {0, 4, 0, 5, {2, 3}, 0, 0, 2},         // down: both halves of an odd drift
        {0, -4, 0, -9, {6}, 0, -5, 1},         // up, at a scaled drift
        {0, 0, 7, 0, {0, 1, 4, 5}, 7, 0, 4},   // no horizontal thrust: nothing slows
        {0, 0, 0, -5, {2, 3, 6, 7}, 0, -5, 4}, // nor vertical: the drift is applied whole
        {3, 0, -7, 0, {0}, -4, 0, 1},          // the thrust's sign, not the drift's, decides
        {3, 0, -7, 0, {4, 5}, -7, 0, 2},       //
        {7, 4, 7, 4, {0, 1, 2, 3, 4, 5, 6, 7}, 0, 0, 8},
        {-7, 0, -7, 0, {3, 6}, -7, 0, 2},
    };
    for (const auto& c : cases) {
        setJetTimers(0);
        for (int jet : c.frozen) {
            game.ship.timers[jet] = 60;
        }
        game.thrustX = c.thrustX;
        game.thrustY = c.thrustY;
        game.background.srcRect = {1000, 1000, SCREEN_W, SCREEN_H};
        EXPECT_EQ(game.driftBackground(c.vx, c.vy), c.count);
        EXPECT_EQ(game.background.velX, c.velX) << c.thrustX << ", " << c.vx;
        EXPECT_EQ(game.background.velY, c.velY) << c.thrustY << ", " << c.vy;
        EXPECT_EQ(game.background.srcRect.x, 1000 + c.velX); // scrolled by what remains
    }

    // The carpet's own size sets where the window jumps back.
    setJetTimers(0);
    game.thrustX = 7;
    game.thrustY = 4;
    game.background.srcRect = {CARPET_PERIOD_X - 3, CARPET_PERIOD_Y - 2, SCREEN_W, SCREEN_H};
    game.driftBackground(7, 4);
    EXPECT_EQ(game.background.srcRect.x, 0);
    EXPECT_EQ(game.background.srcRect.y, 0);
}
