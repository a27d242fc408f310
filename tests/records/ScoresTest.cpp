// ScoresTest.cpp -- the table's order, its file through damage and newer versions, and two games
// adding to it at once.
#include "records/Scores.h"
#include "records/RecordsHome.h"

#include <sys/wait.h>
#include <unistd.h>

using ScoresTest = RecordsHome;

namespace scorestest_detail {
CScoreEntry entry(int score, long long date, int ending = Crashed) {
    CScoreEntry e;
    e.score = score;
    e.ending = ending;
    e.date = date;
    return e;
}
} // namespace scorestest_detail
using scorestest_detail::entry;

TEST_F(ScoresTest, BestFirstAndTiesInTheOrderMade) {
    CScoreTable table;
    for (int i = 0; i < 12; ++i) {
        EXPECT_TRUE(insertScore(&table, entry(i % 3 * 100, i)));
        ASSERT_LE(table.count, SCORE_TABLE_SIZE);
    }
    EXPECT_FALSE(insertScore(&table, entry(0, 99)));
    ASSERT_EQ(table.count, SCORE_TABLE_SIZE);
    const long long dates[] = {2, 5, 8, 11, 1, 4, 7, 10, 0, 3};
    for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
        EXPECT_EQ(table.entries[i].date, dates[i]) << i;
    }
    CScoreTable parsed;
    std::string error;
    ASSERT_TRUE(parseScores(formatScores(table), &parsed, &error)) << error;
    ASSERT_EQ(parsed.count, table.count);
    for (int i = 0; i < table.count; ++i) {
        EXPECT_EQ(parsed.entries[i].score, table.entries[i].score);
        EXPECT_EQ(parsed.entries[i].ending, table.entries[i].ending);
        EXPECT_EQ(parsed.entries[i].date, table.entries[i].date);
    }
}

TEST_F(ScoresTest, AddScoreKeepsTheTableInTheFile) {
    CScoreTable table;
    EXPECT_EQ(stderrLines([&] { loadScores(&table); }), 0);
    EXPECT_EQ(table.count, 0);
    EXPECT_EQ(addScore(entry(500, 1), &table, nullptr), 1);
    EXPECT_EQ(addScore(entry(700, 2, LaunchedAway), &table, nullptr), 1);
    EXPECT_EQ(addScore(entry(500, 3), &table, nullptr), 3);
    CScoreTable loaded;
    loadScores(&loaded);
    ASSERT_EQ(loaded.count, 3);
    EXPECT_EQ(loaded.entries[0].ending, LaunchedAway);
    EXPECT_EQ(loaded.entries[2].date, 3);
}

TEST_F(ScoresTest, UnusableFilesAreSetAsideAndAFreshTableStarts) {
    CScoreTable good;
    insertScore(&good, entry(300, 1));
    insertScore(&good, entry(200, 2));
    std::string valid = formatScores(good);
    std::string damaged = valid;
    damaged[damaged.find("300")] = '9';
    const std::string cases[] = {
        damaged,
        valid.substr(0, valid.size() - 5),
        "vorlusk scores 2\nwhatever a later game keeps\n",
        std::string("\0\xff\x13garbage", 10),
        "",
    };
    for (const std::string& text : cases) {
        writeText(scoresPath(), text);
        CScoreTable table;
        std::string out;
        EXPECT_EQ(stderrLines([&] { loadScores(&table); }, &out), 1);
        EXPECT_EQ(out.rfind("vorlusk: " + scoresPath() + ": ", 0), 0u) << out;
        EXPECT_NE(out.find("; kept as " + scoresPath() + ".bad, starting a fresh table\n"),
                  std::string::npos)
            << out;
        EXPECT_EQ(table.count, 0);
        EXPECT_EQ(readText(scoresPath() + ".bad"), text);
        EXPECT_FALSE(std::filesystem::exists(scoresPath()));
    }
    std::string error;
    CScoreTable table;
    EXPECT_FALSE(parseScores(cases[2], &table, &error));
    EXPECT_NE(error.find("later version"), std::string::npos) << error;
    writeText(scoresPath(), damaged);
    EXPECT_EQ(stderrLines([&] { EXPECT_EQ(addScore(entry(10, 5), &table, nullptr), 1); }), 1);
    EXPECT_TRUE(parseScores(readText(scoresPath()), &table, &error)) << error;
    EXPECT_EQ(table.count, 1);
}

TEST_F(ScoresTest, TwoGamesAddingAtOnceBothKeepTheirScores) {
    // Each adds 30 scores, one the even and one the odd ones, all at the same time.
    constexpr int PER_GAME = 30;
    pid_t games[2];
    for (int game = 0; game < 2; ++game) {
        games[game] = fork();
        ASSERT_GE(games[game], 0);
        if (games[game] == 0) {
            int failures = 0;
            for (int i = 0; i < PER_GAME; ++i) {
                CScoreTable table;
                CFileComplaint complaint;
                addScore(entry(2 * i + game, i), &table, &complaint);
                failures += complaint.made ? 1 : 0;
            }
            _exit(failures == 0 ? 0 : 1);
        }
    }
    for (pid_t game : games) {
        int status = 0;
        ASSERT_EQ(waitpid(game, &status, 0), game);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    CScoreTable table;
    EXPECT_EQ(stderrLines([&] { loadScores(&table); }), 0);
    ASSERT_EQ(table.count, SCORE_TABLE_SIZE);
    for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
        EXPECT_EQ(table.entries[i].score, 2 * PER_GAME - 1 - i);
    }
    EXPECT_FALSE(std::filesystem::exists(scoresPath() + ".bad"));
}

TEST_F(ScoresTest, NoFolderStillPlacesTheScoreWithOneLine) {
    writeText(root + "/data", "a file where the folder goes");
    CScoreTable table;
    CFileComplaint complaint;
    int place = 0;
    EXPECT_EQ(stderrLines([&] {
                  addScore(entry(5, 1), &table, &complaint);
                  place = addScore(entry(9, 2), &table, &complaint);
              }),
              1);
    EXPECT_EQ(place, 1);
    EXPECT_EQ(table.count, 2);
}
