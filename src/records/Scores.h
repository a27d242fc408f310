// Scores.h -- the ten best flights, kept in $XDG_DATA_HOME/vorlusk/scores.
#pragma once

#include "records/UserFiles.h"

#include <string>

enum FlightEnding {
    NotEnded = 0,
    LaunchedAway = 1,
    Crashed = 2,
};

constexpr int SCORE_TABLE_SIZE = 10;

struct CScoreEntry {
    int score = 0;
    int ending = NotEnded;
    // Seconds since 1970, UTC.
    long long date = 0;
};

// Best first; equal scores keep the order they were made in.
struct CScoreTable {
    CScoreEntry entries[SCORE_TABLE_SIZE];
    int count = 0;
};

// The file's path, or "" when there is no folder for it.
std::string scoresPath();

// The file's text, and back. parseScores is false when the text is not a whole table of this
// version (a wrong checksum, a truncated or future file), with the reason in *error.
std::string formatScores(const CScoreTable& table);
bool parseScores(const std::string& text, CScoreTable* table, std::string* error);

// Adds an entry in its place; false when it does not make the ten.
bool insertScore(CScoreTable* table, const CScoreEntry& entry);

// Reads the table. A missing file is an empty table, silently. One that cannot be used is set
// aside (scores.bad) with one line on standard error, and the table starts empty.
void loadScores(CScoreTable* table);

// Under the folder's lock: reads the table as it stands now (another game may have added to it),
// adds `entry`, and writes it whole. *table becomes the merged table. Returns the entry's place
// (1 is the best), 0 when it did not make the table. A failure costs one line through
// `complaint`, and *table still holds the entry in its place.
int addScore(const CScoreEntry& entry, CScoreTable* table, CFileComplaint* complaint);
