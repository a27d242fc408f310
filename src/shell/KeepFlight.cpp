// KeepFlight.cpp -- every flight kept: its thrust recorded frame by frame, its state's
// fingerprint every 50 frames, and at its end the score table and the replay files.
#include "shell/FlightHash.h"
#include "shell/Game.h"

#include <cstdio>
#include <ctime>

namespace {

const char* endingName(int ending) {
    return ending == Crashed ? "Crashed" : "Launched away";
}

} // namespace

void CGame::recordFrame() {
    // The thrust the frame is about to read, as the player's hands and the sequences left it.
    if (!recordThrust(&replay, thrustX, thrustY)) {
        // Twenty minutes of one flight: nothing a player flies; the rest goes unrecorded.
        recording = false;
    }
}

void CGame::noteFlightStep(int stateBefore) {
    if (stateBefore == Finished) {
        ++endShownFrames;
        return;
    }
    ++flightFrame;
    if (flightFrame % REPLAY_HASH_PERIOD == 0 && (recording || mode != Playing)) {
        const Uint32 hash = hashFlight(*this);
        const std::size_t index = flightFrame / REPLAY_HASH_PERIOD - 1;
        if (recording) {
            replay.hashes.push_back(hash);
        } else if (playbackDeparted == 0 &&
                   (index >= playback.hashes.size() || playback.hashes[index] != hash)) {
            playbackDeparted = flightFrame;
        }
    }
    if (state == Finished) {
        flightEnding = stateBefore == Crashing ? Crashed : LaunchedAway;
        finishFlight();
    }
}

void CGame::finishFlight() {
    if (mode != Playing) {
        std::snprintf(endLine, sizeof endLine, "%s \u2014 Score %d", endingName(flightEnding),
                      score);
        return;
    }
    if (!recording) {
        return;
    }
    recording = false;
    replay.frameCount = flightFrame;
    replay.score = score;
    replay.ending = static_cast<Uint8>(flightEnding);

    CScoreEntry entry;
    entry.score = score;
    entry.ending = flightEnding;
    entry.date = static_cast<long long>(std::time(nullptr));
    const int place = addScore(entry, &scores, &scoresComplaint);
    if (place == 1) {
        std::snprintf(endLine, sizeof endLine, "%s \u2014 Score %d \u00b7 New best!",
                      endingName(flightEnding), score);
    } else {
        std::snprintf(endLine, sizeof endLine, "%s \u2014 Score %d \u00b7 Best %d",
                      endingName(flightEnding), score, scores.entries[0].score);
    }

    const std::string folder = userFolderPath(DataFolder);
    if (folder.empty()) {
        return;
    }
    std::string error;
    std::string path = folder + "/last.vrp";
    bool saved = saveReplay(replay, path, &error);
    if (saved && place == 1) {
        path = folder + "/best.vrp";
        saved = saveReplay(replay, path, &error);
    }
    if (!saved) {
        complainOnce(&scoresComplaint, "vorlusk: " + path + ": " + error);
    }
}
