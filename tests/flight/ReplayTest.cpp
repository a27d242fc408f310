// ReplayTest.cpp -- whole flights replayed headless from a seed and a scripted player, their
// traces compared line by line with the recordings under tests/flight/replays/.
//
// A difference means the game now plays differently. Look at it; when the change is intended,
// record the traces anew with `make record-replays` and commit them with the change.
#include "support/GameFixture.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace {

const SDL_Keycode DIRECTION_KEYS[4] = {SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT, SDLK_UP};
constexpr int NO_DIRECTION = -1;

// The scripted player's hand on the arrow keys: one direction held at a time.
struct Hand {
    int held = NO_DIRECTION;

    void hold(CGame& game, int direction) {
        if (direction == held) {
            return;
        }
        if (held != NO_DIRECTION) {
            sendKey(game, SDL_KEYUP, DIRECTION_KEYS[held]);
        }
        if (direction != NO_DIRECTION) {
            sendKey(game, SDL_KEYDOWN, DIRECTION_KEYS[direction]);
        }
        held = direction;
    }
};

// The first direction with a frozen jet, or none.
int frozenDirection(const CGame& game) {
    for (int d = 0; d < 4; ++d) {
        if (game.ship.timers[2 * d] != 0 || game.ship.timers[2 * d + 1] != 0) {
            return d;
        }
    }
    return NO_DIRECTION;
}

// A slow tour of the carpet: each direction for eight seconds, then a rest.
int tour(int frame) {
    const int leg = (frame / 400) % 5;
    return leg < 4 ? leg : NO_DIRECTION;
}

using Script = std::function<void(CGame&, Hand&, int frame)>;

std::string traceLine(const CGame& game, int frame) {
    char line[256];
    const int* t = game.ship.timers;
    std::snprintf(line, sizeof line,
                  "%5d state %d time %.6f speed %.7f score %d jets %d %d %d %d %d %d %d %d "
                  "view %d %d thrust %d %d\n",
                  frame, game.state, static_cast<double>(game.timeLeft),
                  static_cast<double>(game.speedFactor), game.score, t[0], t[1], t[2], t[3], t[4],
                  t[5], t[6], t[7], game.background.srcRect.x, game.background.srcRect.y,
                  game.thrustX, game.thrustY);
    return line;
}

} // namespace

class ReplayTest : public GameTest {
  protected:
    // Flies until the flight has been Finished for 100 frames, or `maxFrames` have passed.
    std::string fly(unsigned seed, const Script& script, int maxFrames) {
        std::srand(seed);
        game.nextFrameTicks = 1000;
        Hand hand;
        std::string trace;
        int finishedFrames = 0;
        int frame = 1;
        for (; frame <= maxFrames && finishedFrames < 100; ++frame) {
            script(game, hand, frame);
            game.stepFrame();
            game.nextFrameTicks += FRAME_MS;
            finishedFrames += game.state == Finished ? 1 : 0;
            if (frame % 50 == 0) {
                trace += traceLine(game, frame);
            }
        }
        return trace + "end " + traceLine(game, frame - 1);
    }

    void compareWithRecording(const std::string& name, const std::string& trace) {
        const std::string path = std::string(VORLUSK_TESTS_DIR) + "/flight/replays/" + name;
        if (std::getenv("VORLUSK_RECORD_REPLAYS") != nullptr) {
            std::ofstream(path) << trace;
            std::printf("recorded %s\n", path.c_str());
            return;
        }
        std::string expected = readFile(path);
        ASSERT_FALSE(expected.empty()) << "no recording at " << path;
        std::istringstream want(expected);
        std::istringstream got(trace);
        std::string wantLine;
        std::string gotLine;
        int line = 1;
        while (std::getline(want, wantLine)) {
            std::getline(got, gotLine);
            ASSERT_EQ(gotLine, wantLine) << name << " first differs at line " << line;
            gotLine.clear();
            ++line;
        }
        EXPECT_FALSE(std::getline(got, gotLine)) << name << " runs longer than recorded";
    }

    static int endState(const std::string& trace) {
        size_t at = trace.rfind("end ");
        return std::atoi(trace.c_str() + trace.find("state ", at) + 6);
    }
    static bool contains(const std::string& trace, const std::string& text) {
        return trace.find(text) != std::string::npos;
    }
};

TEST_F(ReplayTest, CalmFlightThawsItsJetsAndLaunchesAway) {
    Script calm = [](CGame& game, Hand& hand, int frame) {
        int frozen = frozenDirection(game);
        hand.hold(game, frozen != NO_DIRECTION ? frozen : tour(frame));
    };
    std::string trace = fly(20261206, calm, 8000);
    EXPECT_EQ(endState(trace), Finished);
    EXPECT_TRUE(contains(trace, "state 4 ")) << "the flight should end in a launch-away";
    EXPECT_FALSE(contains(trace, "state 5 "));
    compareWithRecording("calm.trace", trace);
}

TEST_F(ReplayTest, IdleShipFreezesUpAndCrashes) {
    Script idle = [](CGame&, Hand&, int) {};
    std::string trace = fly(7, idle, 40000);
    EXPECT_EQ(endState(trace), Finished);
    EXPECT_TRUE(contains(trace, "state 5 ")) << "the flight should end in a crash";
    // Nothing thaws after a crash: the wreck stays with every jet frozen.
    EXPECT_TRUE(
        contains(trace.substr(trace.rfind("end ")), "jets 125 125 125 125 125 125 125 125"));
    compareWithRecording("crash.trace", trace);
}

TEST_F(ReplayTest, FlightHeldAtTimeUpUntilThePlayerThaws) {
    // The player thaws only when half the jets are frozen, so time runs out with some still
    // frozen; two seconds under the warning later, the player thaws them all.
    int warnedSince = 0;
    Script late = [&warnedSince](CGame& game, Hand& hand, int frame) {
        if (game.warningActive && warnedSince == 0) {
            warnedSince = frame;
        }
        int frozen = 0;
        for (int timer : game.ship.timers) {
            frozen += timer != 0 ? 1 : 0;
        }
        bool thawAll = warnedSince != 0 && frame > warnedSince + 100;
        hand.hold(game, thawAll || frozen >= 4 ? frozenDirection(game) : NO_DIRECTION);
    };
    std::string trace = fly(3, late, 12000);
    EXPECT_NE(warnedSince, 0) << "time should run out with jets still frozen";
    EXPECT_EQ(endState(trace), Finished);
    EXPECT_TRUE(contains(trace, "state 4 "));
    compareWithRecording("held.trace", trace);
}
