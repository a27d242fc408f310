// KeepFlightTest.cpp -- every flight kept: the score table and last.vrp after a flight flown
// through the real loop, a second flight from the same seed recorded alike, and the real
// program's --verify passing a true recording and naming the frame where a changed one departs.
#include "support/GameFixture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string GAME = std::string("'") + VORLUSK_EXECUTABLE + "'";

std::string dataFolder() {
    return std::string(std::getenv("XDG_DATA_HOME")) + "/vorlusk";
}

CommandResult verify(const std::string& files) {
    return runCommand("cd '" VORLUSK_DATA_DIR "' && " + GAME + " --verify " + files);
}

} // namespace

class KeepFlightTest : public GameTest {
  protected:
    void SetUp() override {
        smallWindow = true;
        GameTest::SetUp();
        game.initShell();
    }

    // An idle flight from `seed`, through the real loop to its end; the recording kept.
    CReplay flyIdle(Uint32 seed) {
        game.beginFlight(false, seed);
        SDL_Event event;
        for (int frame = 0; frame < 20000 && game.state != Finished; ++frame) {
            game.loopOnce(&event);
        }
        EXPECT_EQ(game.state, Finished);
        CReplay kept;
        std::string error;
        EXPECT_TRUE(loadReplay(dataFolder() + "/last.vrp", &kept, &error)) << error;
        return kept;
    }
};

TEST_F(KeepFlightTest, AFlightLeavesItsScoreAndReplayAndASecondFromTheSameSeedIsRecordedAlike) {
    const CReplay first = flyIdle(77);
    EXPECT_EQ(first.score, game.score);
    EXPECT_EQ(first.ending, Crashed);
    EXPECT_EQ(first.frameCount, game.flightFrame);
    EXPECT_EQ(first.hashes.size(), first.frameCount / REPLAY_HASH_PERIOD);
    EXPECT_NE(std::string(game.endLine).find("New best!"), std::string::npos) << game.endLine;
    EXPECT_FALSE(readFile(dataFolder() + "/best.vrp").empty());

    // Whatever the last flight left behind, the next one from the same seed flies alike.
    const CReplay second = flyIdle(77);
    EXPECT_EQ(encodeReplay(second), encodeReplay(first)) << "the second flight departed";
    EXPECT_NE(std::string(game.endLine).find("Best " + std::to_string(first.score)),
              std::string::npos)
        << game.endLine;
    CScoreTable table;
    loadScores(&table);
    EXPECT_EQ(table.count, 2);

    // The real program, another process and another window, verifies what was kept.
    CommandResult kept = verify("last");
    EXPECT_EQ(kept.status, 0) << kept.err;
}

TEST(VerifyReplays, ADepartureNamesItsFrameAndADamagedFileGetsOneLine) {
    // A committed flight whose horizontal thrust is changed in every frame from 2000 on, written
    // by the game's own writer so that its checksum holds: the next fingerprint tells.
    CReplay replay;
    std::string error;
    ASSERT_TRUE(loadReplay(VORLUSK_SOURCE_DIR "/tests/replays/launch-away.vrp", &replay, &error));
    CReplay changed = replay;
    changed.runs.clear();
    changed.frameCount = 0;
    std::size_t run = 0;
    Uint32 runStart = 0;
    for (Uint32 frame = 0; frame < replay.frameCount; ++frame) {
        int x = 0;
        int y = 0;
        thrustAt(replay, frame, &run, &runStart, &x, &y);
        recordThrust(&changed, frame < 2000 ? x : x == 0 ? 7 : 0, y);
    }
    const std::string folder = makeTempFile("/tmp/vorlusk-verify-XXXXXX");
    const std::string path = folder + ".vrp";
    ASSERT_TRUE(saveReplay(changed, path, &error)) << error;
    CommandResult departed = verify("'" + path + "'");
    EXPECT_EQ(departed.status, 1) << departed.err;
    EXPECT_NE(departed.err.find("by frame 2050\n"), std::string::npos) << departed.err;

    // A flipped byte under the old checksum, a truncated file, a random one: status 2, a line.
    std::string bytes = readFile(VORLUSK_SOURCE_DIR "/tests/replays/launch-away.vrp");
    const std::string flipped = bytes.substr(0, 40) + char(bytes[40] ^ 1) + bytes.substr(41);
    std::srand(5);
    std::string random(700, '\0');
    for (char& c : random) {
        c = static_cast<char>(std::rand());
    }
    for (const std::string& damaged : {flipped, bytes.substr(0, bytes.size() / 2), random}) {
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(damaged.data(), 1, damaged.size(), file);
        std::fclose(file);
        CommandResult result = verify("'" + path + "'");
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.err.rfind("vorlusk: " + path + ": ", 0), 0u) << result.err;
    }
    std::remove(path.c_str());
    std::remove(folder.c_str());
}
