// AliensTest.cpp -- updateAliens: sliding in across the edges, going on patrol, bouncing along.
#include "support/GameFixture.h"

class AliensTest : public GameTest {
  protected:
    // Updates until alien i goes on patrol; returns the number of updates it took.
    int framesToPatrol(int i) {
        int frames = 0;
        while (game.aliens[i].state != 3 && frames < 1000) {
            game.updateAliens();
            ++frames;
        }
        return frames;
    }
};

TEST_F(AliensTest, EachNeedsExactlyItsOwnSizeInFramesToComeOnScreen) {
    const int expected[4] = {game.aliens[0].rect.w, game.aliens[1].rect.h, game.aliens[2].rect.w,
                             game.aliens[3].rect.h};
    int frames[4] = {0, 0, 0, 0};
    for (int frame = 1; frame <= 200; ++frame) {
        game.updateAliens();
        for (int i = 0; i < 4; ++i) {
            if (frames[i] == 0 && game.aliens[i].state == 3) {
                frames[i] = frame;
            }
        }
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(frames[i], expected[i]) << "alien " << i;
    }
    // They arrive at their edges, touching them from inside.
    EXPECT_EQ(game.aliens[0].rect.x, 0);
    EXPECT_EQ(game.aliens[1].rect.y, 0);
    EXPECT_EQ(game.aliens[2].rect.x + game.aliens[2].rect.w, 1280);
    EXPECT_EQ(game.aliens[3].rect.y + game.aliens[3].rect.h, 720);
}

TEST_F(AliensTest, EnteringAlienSlidesInWhilePatrollingAlongItsEdge) {
    CPlayer& alien = game.aliens[0];
    int y = alien.rect.y;
    game.updateAliens();
    EXPECT_EQ(alien.rect.x, -alien.rect.w + 1); // one pixel in, whatever move() thought of x
    EXPECT_EQ(alien.rect.y, y - 3);
    EXPECT_EQ(alien.state, 1);
}

TEST_F(AliensTest, OnPatrolOnlyTheEdgeAxisMovesAndBouncesAtTheLimits) {
    framesToPatrol(0);
    CPlayer& alien = game.aliens[0];
    alien.rect.y = 4;
    alien.velY = -3;
    game.updateAliens(); // 1
    EXPECT_EQ(alien.rect.x, 0);
    EXPECT_EQ(alien.rect.y, 1);
    game.updateAliens(); // -2 is off screen: put back, turned round
    EXPECT_EQ(alien.rect.y, 1);
    EXPECT_EQ(alien.velY, 3);
    game.updateAliens();
    EXPECT_EQ(alien.rect.y, 4);
    EXPECT_EQ(alien.rect.x, 0);
    EXPECT_EQ(alien.state, 3); // never back to entering

    framesToPatrol(1);
    CPlayer& top = game.aliens[1];
    top.rect.x = 1280 - top.rect.w - 2;
    top.velX = 6;
    game.updateAliens();
    EXPECT_EQ(top.rect.x, 1280 - top.rect.w - 2);
    EXPECT_EQ(top.velX, -6);
}

TEST_F(AliensTest, ResetSendsEveryAlienInwardKeepingItsPatrol) {
    for (CPlayer& alien : game.aliens) {
        alien.velX = 5;
        alien.velY = -5;
    }
    game.resetAlienVelocities();
    EXPECT_EQ(game.aliens[0].velX, 1);
    EXPECT_EQ(game.aliens[0].velY, -5);
    EXPECT_EQ(game.aliens[1].velX, 5);
    EXPECT_EQ(game.aliens[1].velY, 1);
    EXPECT_EQ(game.aliens[2].velX, -1);
    EXPECT_EQ(game.aliens[3].velY, -1);
    EXPECT_EQ(game.aliens[3].velX, 5);
}
