// FireballsTest.cpp -- spawnFireball's draws and speeds; updateFireballs' carry, score and hits.
#include "support/Checks.h"
#include "support/GameFixture.h"

#include <climits>
#include <cstdlib>

namespace {

// A seed whose first two draws pick alien `a` and pass the odds test for divisor `e`.
unsigned seedForLaunch(int a, int e) {
    for (unsigned seed = 1;; ++seed) {
        std::srand(seed);
        int r1 = std::rand();
        int r2 = std::rand();
        if (r1 % 4 == a && r2 % e == 0) {
            return seed;
        }
    }
}

// A seed whose first draw picks alien `a` and whose second fails the odds test.
unsigned seedForNoLaunch(int a, int e) {
    for (unsigned seed = 1;; ++seed) {
        std::srand(seed);
        int r1 = std::rand();
        int r2 = std::rand();
        if (r1 % 4 == a && r2 % e != 0) {
            return seed;
        }
    }
}

} // namespace

class FireballsTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        for (CPlayer& alien : game.aliens) {
            alien.state = 3;
        }
        game.aliens[0].rect.x = 0;
        game.aliens[0].rect.y = 200;
        game.aliens[1].rect.x = 300;
        game.aliens[1].rect.y = 0;
        game.aliens[2].rect.x = 1200;
        game.aliens[2].rect.y = 400;
        game.aliens[3].rect.x = 900;
        game.aliens[3].rect.y = 650;
    }
    // Launches one fireball from alien a at the current speed factor.
    CPlayer* launch(int a) {
        std::srand(seedForLaunch(a, static_cast<int>(50.0f / game.speedFactor)));
        game.spawnFireball();
        for (CPlayer& fireball : game.fireballs[a]) {
            if (fireball.state == 3) {
                return &fireball;
            }
        }
        return nullptr;
    }
    // One fireball of row i in flight at (x, y) with velocity (vx, vy).
    CPlayer& place(int i, int x, int y, int vx, int vy) {
        parkFireballs();
        CPlayer& f = game.fireballs[i][0];
        f.state = 3;
        f.rect.x = x;
        f.rect.y = y;
        f.velX = vx;
        f.velY = vy;
        return f;
    }
};

TEST_F(FireballsTest, LaunchStartsAtTheThrowersCornerTowardTheCentre) {
    CPlayer* f = launch(2);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f, &game.fireballs[2][0]); // the lowest free slot
    EXPECT_EQ(f->rect.x, 1200);
    EXPECT_EQ(f->rect.y, 400);
    EXPECT_EQ(f->velX, -10);
    EXPECT_EQ(f->velY, 0);
    EXPECT_EQ(channelsPlaying(game.sndAlienShot), 1);

    CPlayer* second = launch(2);
    EXPECT_EQ(second, &game.fireballs[2][0]); // still the first in flight
    EXPECT_EQ(game.fireballs[2][1].state, 3);
}

TEST_F(FireballsTest, SpeedsAreTruncatedFromTheScaledProducts) {
    const struct {
        float speed;
        int horizontal;
        int vertical;
    } rows[] = {{1.0f, 10, 6}, {1.25f, 13, 7}, {1.5f, 16, 9}, {2.0f, 21, 12}, {3.0f, 32, 18}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.speed);
        game.speedFactor = row.speed;
        for (int a = 0; a < 4; ++a) {
            parkFireballs();
            CPlayer* f = launch(a);
            ASSERT_NE(f, nullptr);
            const int dx[4] = {1, 0, -1, 0};
            const int dy[4] = {0, 1, 0, -1};
            EXPECT_EQ(f->velX, dx[a] * row.horizontal);
            EXPECT_EQ(f->velY, dy[a] * row.vertical);
        }
    }
}

TEST_F(FireballsTest, OddsUseTheDivisorOfTheSpeedFactor) {
    // e = trunc(50 / 1.08) = 46 early in play, trunc(50 / 3.04) = 16 at the end.
    game.speedFactor = 1.0803894f;
    std::srand(seedForNoLaunch(1, 46));
    game.spawnFireball();
    EXPECT_EQ(game.fireballs[1][0].state, 0);
    std::srand(seedForLaunch(1, 46));
    game.spawnFireball();
    EXPECT_EQ(game.fireballs[1][0].state, 3);

    game.speedFactor = 3.0404406f;
    std::srand(seedForLaunch(3, 16));
    game.spawnFireball();
    EXPECT_EQ(game.fireballs[3][0].state, 3);
    EXPECT_EQ(game.fireballs[3][0].velY, -18);
}

TEST_F(FireballsTest, AFlightHeldOpenForeverStillThrowsWithoutFailing) {
    // Held at time-up by frozen jets, the speed factor rises without end; past 50 the divisor
    // would be 0. It stops at 1: every draw throws.
    game.speedFactor = 60.0f;
    for (int a = 0; a < 4; ++a) {
        std::srand(seedForLaunch(a, 1));
        game.spawnFireball();
        EXPECT_EQ(game.fireballs[a][0].state, 3);
    }
}

TEST_F(FireballsTest, AnIdleThrowerTakesOneRandomNumberAndThrowsNothing) {
    game.aliens[3].state = 0;
    unsigned seed = seedForLaunch(3, 50);
    std::srand(seed);
    std::rand();
    int second = std::rand();
    std::srand(seed);
    game.spawnFireball();
    EXPECT_EQ(std::rand(), second);
    for (const CPlayer& f : game.fireballs[3]) {
        EXPECT_EQ(f.state, 0);
    }
}

TEST_F(FireballsTest, AFullRowThrowsNothingNotEvenASound) {
    for (CPlayer& f : game.fireballs[0]) {
        f.state = 3;
        f.rect.x = 40;
    }
    std::srand(seedForLaunch(0, 50));
    game.spawnFireball();
    EXPECT_EQ(channelsPlaying(game.sndAlienShot), 0);
    for (const CPlayer& f : game.fireballs[0]) {
        EXPECT_EQ(f.rect.x, 40);
    }
}

TEST_F(FireballsTest, FireballsRideTheCarpetAndMoveByTheirOwnSpeed) {
    CPlayer& f = place(0, 100, 100, 10, 0);
    game.background.velX = 7;
    game.background.velY = -4;
    game.updateFireballs();
    EXPECT_EQ(f.rect.x, 103);
    EXPECT_EQ(f.rect.y, 104);
    EXPECT_EQ(f.state, 3);
}

TEST_F(FireballsTest, AMissScoresTenTimesTheSpeedOnce) {
    const struct {
        float speed;
        int score;
    } rows[] = {{1.0f, 10}, {1.25f, 12}, {2.0f, 20}};
    for (const auto& row : rows) {
        game.score = 0;
        game.speedFactor = row.speed;
        game.background.velX = 0;
        game.background.velY = 0;
        CPlayer& f = place(0, 1275, 100, 10, 0);
        game.updateFireballs();
        EXPECT_EQ(f.state, 0);
        EXPECT_EQ(game.score, row.score) << row.speed;
        game.updateFireballs();
        EXPECT_EQ(game.score, row.score); // a free fireball is not counted again
    }

    // Hours held open at time-up: the score stops at the top instead of wrapping round.
    game.score = INT_MAX - 5;
    game.speedFactor = 1.0f;
    place(0, 1275, 100, 10, 0);
    game.updateFireballs();
    EXPECT_EQ(game.score, INT_MAX);
}

TEST_F(FireballsTest, HitsNeedTheMiddleHalvesToTouch) {
    game.background.velX = 0;
    game.background.velY = 0;
    const SDL_Rect s = game.ship.rect;
    const int shipLeft = s.x + s.w / 4;
    CPlayer& probe = game.fireballs[0][0];
    const int w = probe.rect.w;
    // A fireball from the left whose shrunk right edge lands exactly on the ship's shrunk left
    // edge after its move: a hit. One pixel short: a miss.
    const int touchingX = shipLeft - (3 * w) / 4;
    const int y = s.y + s.h / 2 - probe.rect.h / 2;

    CPlayer& touching = place(0, touchingX - 10, y, 10, 0);
    game.updateFireballs();
    EXPECT_EQ(touching.state, 0);
    EXPECT_EQ(touching.rect.y, -touching.rect.h); // freed just above the screen
    EXPECT_EQ(game.ship.timers[1], 125);

    game.ship.timers[1] = 0;
    CPlayer& short_ = place(0, touchingX - 11, y, 10, 0);
    game.updateFireballs();
    EXPECT_EQ(short_.state, 3);
    EXPECT_EQ(game.ship.timers[1], 0);
}

TEST_F(FireballsTest, HitsFreezeTheJetWithLessFreezeLeftAndCost) {
    game.background.velX = 0;
    game.background.velY = 0;
    game.score = 300;
    auto hitFromAlien2 = [&] {
        place(2, game.ship.rect.x + 10, game.ship.rect.y, -10, 0);
        game.updateFireballs();
    };
    hitFromAlien2();
    EXPECT_EQ(game.ship.timers[5], 125); // tie at 0: jet B
    EXPECT_EQ(game.ship.timers[4], 0);
    EXPECT_EQ(game.score, 280);
    EXPECT_GE(channelsPlaying(game.sndAlienHit), 1);
    game.ship.timers[5] = 60;
    hitFromAlien2();
    EXPECT_EQ(game.ship.timers[4], 125); // A had less left
    EXPECT_EQ(game.ship.timers[5], 60);
    game.ship.timers[4] = 30;
    hitFromAlien2();
    EXPECT_EQ(game.ship.timers[4], 125);
    EXPECT_EQ(game.ship.timers[5], 60);
    game.ship.timers[4] = 60;
    hitFromAlien2();
    EXPECT_EQ(game.ship.timers[5], 125); // equal again: jet B
    for (int jet : {0, 1, 2, 3, 6, 7}) {
        EXPECT_EQ(game.ship.timers[jet], 0);
    }

    const int penalties[][2] = {{5, 0}, {20, 0}, {21, 1}, {300, 280}};
    for (const auto& p : penalties) {
        game.score = p[0];
        hitFromAlien2();
        EXPECT_EQ(game.score, p[1]) << "from " << p[0];
    }
}
