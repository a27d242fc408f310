// AliensTest.cpp -- updateAliens: sliding in across the edges, going on patrol; their reset.
#include "support/GameFixture.h"

class AliensTest : public GameTest {};

TEST_F(AliensTest, EachSlidesInAPixelAFrameThenPatrolsItsEdgeAndResetsInward) {
    CPlayer* a = game.aliens;
    const int y0 = a[0].rect.y;
    game.updateAliens();
    EXPECT_EQ(a[0].rect.y, y0 - 3); // already patrolling along the edge while it slides in

    // On patrol once wholly on screen: after as many frames as the alien is wide or tall.
    const int expected[4] = {a[0].rect.w, a[1].rect.h, a[2].rect.w, a[3].rect.h};
    int frames[4] = {0, 0, 0, 0};
    for (int frame = 2; frame <= 200; ++frame) {
        game.updateAliens();
        for (int i = 0; i < 4; ++i) {
            frames[i] = frames[i] == 0 && a[i].state == Active ? frame : frames[i];
        }
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(frames[i], expected[i]) << "alien " << i;
        EXPECT_EQ(a[i].state, Active) << "alien " << i; // never back to entering
    }
    // Touching their edges from inside (bouncing along them all the while, or they would be gone).
    EXPECT_EQ(a[0].rect.x, 0);
    EXPECT_EQ(a[1].rect.y, 0);
    EXPECT_EQ(a[2].rect.x + a[2].rect.w, SCREEN_W);
    EXPECT_EQ(a[3].rect.y + a[3].rect.h, SCREEN_H);

    for (int i = 0; i < 4; ++i) {
        a[i].velX = 5;
        a[i].velY = -5;
    }
    game.resetAlienVelocities();
    const int velocities[4][2] = {{1, -5}, {5, 1}, {-1, -5}, {5, -1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a[i].velX, velocities[i][0]) << "alien " << i;
        EXPECT_EQ(a[i].velY, velocities[i][1]) << "alien " << i;
    }
}
