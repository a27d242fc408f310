// ReplaysTest.cpp -- a flight kept as it ends, through the loop: its place among the scores, its
// replay written, and that replay flown again by --verify to the same end; and what the
// fingerprint of a frame takes in.
#include "flight/Drift.h"
#include "records/RecordsHome.h"
#include "records/UserFiles.h"
#include "shell/FlightHash.h"
#include "support/GameFixture.h"

#include <filesystem>

class ReplaysTest : public RecordsHome {};

TEST_F(ReplaysTest, AFlightKeptBehindABetterOneIsVerifiedFromItsReplay) {
    CScoreEntry better;
    better.score = 1000000;
    better.ending = LaunchedAway;
    CScoreTable table;
    ASSERT_EQ(addScore(better, &table, nullptr), 1);

    bool crashed = false;
    {
        CGame game;
        game.manualClock = true;
        game.settings.fullscreen = false; // a window too small to cost much, as --verify's
        game.settings.windowW = SCREEN_W / 20;
        game.settings.windowH = SCREEN_H / 20;
        ASSERT_TRUE(game.init());
        game.beginFlight(false);
        // A flight of its own seed, for a test that goes the same way each time.
        std::srand(7);
        std::rand();
        game.replay.seed = 7;
        SDL_Event event;
        // Steering about, then, once the time is up, a turn of each way to thaw what froze.
        static const SDL_Keycode KEYS[4] = {SDLK_RIGHT, SDLK_UP, SDLK_LEFT, SDLK_DOWN};
        for (int frame = 0; game.state != Finished && frame < 12000; ++frame) {
            const int period = game.timeLeft > 0 ? 150 : 130;
            if (frame % period == 0) {
                sendKey(game, SDL_KEYUP, KEYS[(frame / period + 3) % 4]);
                sendKey(game, SDL_KEYDOWN, KEYS[frame / period % 4]);
            }
            crashed = crashed || game.state == Crashing;
            game.loopOnce(&event);
        }
        ASSERT_EQ(game.state, Finished);
        EXPECT_EQ(game.flightEnding, crashed ? Crashed : LaunchedAway);
        EXPECT_NE(std::string(game.endLine).find("Best 1000000"), std::string::npos)
            << game.endLine;
        game.close();
        releaseMixer();
    }
    loadScores(&table);
    ASSERT_EQ(table.count, 2);
    EXPECT_EQ(table.entries[1].ending, crashed ? Crashed : LaunchedAway);
    const std::string folder = userFolderPath(DataFolder);
    EXPECT_FALSE(std::filesystem::exists(folder + "/best.vrp")) << "the second best kept as best";

    CGame verifier;
    std::string last = folder + "/last.vrp";
    char* files[1] = {&last[0]};
    EXPECT_EQ(verifier.verifyReplays(1, files), 0);
    releaseMixer();
}

TEST(FlightHash, EachPartOfTheFrameItTakesInMovesIt) {
    resetStaticState();
    CGame game;
    const Uint32 start = hashFlight(game);
    driftY = 1;
    EXPECT_NE(hashFlight(game), start) << "drift";
    driftY = 0;
    game.crashSheet.currentFrame = 1;
    EXPECT_NE(hashFlight(game), start) << "the crash's frame";
    game.crashSheet.currentFrame = 0;
    game.background.srcRect.h = 1;
    EXPECT_NE(hashFlight(game), start) << "the carpet's window";
    game.background.srcRect.h = 0;
    EXPECT_EQ(hashFlight(game), start);
}
