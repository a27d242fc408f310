// Scores.cpp -- the table of the ten best flights: text a person can read, checked by a CRC,
// changed only under the folder's lock.
#include "records/Scores.h"

#include "records/Replay.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace scores_detail {

constexpr int SCORES_FORMAT_VERSION = 1;
constexpr std::size_t SCORES_MAX_BYTES = 64 * 1024;
const char SCORES_HEADER[] = "vorlusk scores ";

// The next line of `text` from *at, without its newline; false at the end or on a line without
// one (a truncated file).
bool nextLine(const std::string& text, std::size_t* at, std::string* line) {
    std::size_t end = text.find('\n', *at);
    if (end == std::string::npos) {
        return false;
    }
    *line = text.substr(*at, end - *at);
    *at = end + 1;
    return true;
}

// Whole-line decimal integer within [low, high].
bool parseWhole(const std::string& text, long long low, long long high, long long* value) {
    if (text.empty() || text.size() > 20 ||
        std::strspn(text.c_str(), "-0123456789") != text.size()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) {
        return false;
    }
    *value = parsed;
    return true;
}

bool parseEntry(const std::string& line, CScoreEntry* entry) {
    std::size_t first = line.find(' ');
    std::size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos) {
        return false;
    }
    long long score = 0;
    long long ending = 0;
    long long date = 0;
    // Any int the game may hand addScore, so that nothing it writes reads back as damaged.
    if (!parseWhole(line.substr(0, first), INT32_MIN, INT32_MAX, &score) ||
        !parseWhole(line.substr(first + 1, second - first - 1), INT32_MIN, INT32_MAX, &ending) ||
        !parseWhole(line.substr(second + 1), INT64_MIN, INT64_MAX, &date)) {
        return false;
    }
    entry->score = static_cast<int>(score);
    entry->ending = static_cast<int>(ending);
    entry->date = date;
    return true;
}

enum TableRead {
    TableOk = 0,    // read, or missing: *table holds what there is
    TableFresh = 1, // unusable and set aside: *table is empty
    TableStuck = 2, // unusable and cannot be set aside: it must not be written over
};

// Reads the file at `path` into *table, setting aside one that cannot be used, with one line
// on standard error.
TableRead readTable(const std::string& path, CScoreTable* table, CFileComplaint* complaint) {
    *table = CScoreTable();
    std::string text;
    std::string error;
    ReadStatus status = readFileWhole(path, SCORES_MAX_BYTES, &text, &error);
    if (status == ReadMissing || (status == ReadOk && parseScores(text, table, &error))) {
        return TableOk;
    }
    *table = CScoreTable();
    std::string asideError;
    if (!setFileAside(path, &asideError)) {
        complainOnce(complaint, "vorlusk: " + path + ": " + error + "; " + asideError +
                                    ", so the scores are not kept");
        return TableStuck;
    }
    std::fprintf(stderr, "vorlusk: %s: %s; kept as %s.bad, starting a fresh table\n", path.c_str(),
                 error.c_str(), path.c_str());
    return TableFresh;
}

// An exclusive lock on the folder's lock file, held until close(); -1 when there is none to
// take (the table is then read and written without it).
int lockScores(const std::string& folder) {
    int fd = open((folder + "/scores.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return -1;
    }
    while (flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            close(fd);
            return -1;
        }
    }
    return fd;
}

// Inserts `entry` in its place and returns that place (1 is the best), 0 when it does not make
// the table.
int insertAt(CScoreTable* table, const CScoreEntry& entry) {
    int place = 0;
    while (place < table->count && table->entries[place].score >= entry.score) {
        ++place;
    }
    if (place >= SCORE_TABLE_SIZE) {
        return 0;
    }
    int last = table->count < SCORE_TABLE_SIZE ? table->count : SCORE_TABLE_SIZE - 1;
    for (int i = last; i > place; --i) {
        table->entries[i] = table->entries[i - 1];
    }
    table->entries[place] = entry;
    table->count = last + 1;
    return place + 1;
}

} // namespace scores_detail

std::string scoresPath() {
    std::string folder = userFolderPath(DataFolder);
    return folder.empty() ? std::string() : folder + "/scores";
}

std::string formatScores(const CScoreTable& table) {
    std::string text = scores_detail::SCORES_HEADER +
                       std::to_string(scores_detail::SCORES_FORMAT_VERSION) +
                       "\n# score ending(1 launched away, 2 crashed) date(seconds since 1970)\n";
    for (int i = 0; i < table.count && i < SCORE_TABLE_SIZE; ++i) {
        const CScoreEntry& e = table.entries[i];
        text += std::to_string(e.score) + " " + std::to_string(e.ending) + " " +
                std::to_string(e.date) + "\n";
    }
    char crc[32];
    std::snprintf(crc, sizeof crc, "crc %08" PRIx32 "\n", crc32Of(text.data(), text.size()));
    return text + crc;
}

bool parseScores(const std::string& text, CScoreTable* table, std::string* error) {
    using namespace scores_detail;
    std::size_t at = 0;
    std::string line;
    long long version = 0;
    if (!nextLine(text, &at, &line) || line.compare(0, strlen(SCORES_HEADER), SCORES_HEADER) != 0 ||
        !parseWhole(line.substr(strlen(SCORES_HEADER)), 1, INT32_MAX, &version)) {
        *error = "not a score table";
        return false;
    }
    if (version != SCORES_FORMAT_VERSION) {
        *error = "written by a later version of the game (format " + std::to_string(version) + ")";
        return false;
    }
    CScoreTable read;
    for (;;) {
        std::size_t lineStart = at;
        if (!nextLine(text, &at, &line)) {
            *error = "truncated (no checksum line)";
            return false;
        }
        if (line.compare(0, 4, "crc ") == 0) {
            char expected[16];
            std::snprintf(expected, sizeof expected, "%08" PRIx32, crc32Of(text.data(), lineStart));
            if (line.substr(4) != expected || at != text.size()) {
                *error = "the checksum does not match";
                return false;
            }
            break;
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        CScoreEntry entry;
        if (read.count == SCORE_TABLE_SIZE || !parseEntry(line, &entry) ||
            (read.count > 0 && entry.score > read.entries[read.count - 1].score)) {
            *error = "damaged entry";
            return false;
        }
        read.entries[read.count++] = entry;
    }
    *table = read;
    return true;
}

bool insertScore(CScoreTable* table, const CScoreEntry& entry) {
    return scores_detail::insertAt(table, entry) != 0;
}

void loadScores(CScoreTable* table) {
    *table = CScoreTable();
    std::string path = scoresPath();
    if (path.empty()) {
        return;
    }
    // Under the lock, a file being set aside is never one another game has just written.
    int lock = scores_detail::lockScores(userFolderPath(DataFolder));
    scores_detail::readTable(path, table, nullptr);
    if (lock >= 0) {
        close(lock);
    }
}

int addScore(const CScoreEntry& entry, CScoreTable* table, CFileComplaint* complaint) {
    std::string folder = userFolderPath(DataFolder);
    if (folder.empty()) {
        complainOnce(complaint, "vorlusk: neither XDG_DATA_HOME nor HOME names a folder; the "
                                "scores are not kept");
        return scores_detail::insertAt(table, entry);
    }
    std::string path = folder + "/scores";
    std::string error;
    if (!makeFolder(folder, &error)) {
        complainOnce(complaint, "vorlusk: " + path + ": " + error + "; the score is not kept");
        return scores_detail::insertAt(table, entry);
    }
    int lock = scores_detail::lockScores(folder);
    CScoreTable merged;
    if (scores_detail::readTable(path, &merged, complaint) == scores_detail::TableStuck) {
        if (lock >= 0) {
            close(lock);
        }
        return scores_detail::insertAt(table, entry);
    }
    int place = scores_detail::insertAt(&merged, entry);
    std::string text = formatScores(merged);
    bool written = place == 0 || writeFileWhole(path, text.data(), text.size(), &error);
    if (lock >= 0) {
        close(lock);
    }
    if (!written) {
        complainOnce(complaint, "vorlusk: " + path + ": " + error + "; the score is not kept");
        return scores_detail::insertAt(table, entry);
    }
    *table = merged;
    return place;
}
