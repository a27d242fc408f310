// Replay.h -- a flight as the seed it started from and each frame's thrust, with the state's
// hash every REPLAY_HASH_PERIOD frames to tell when a playback departs from it.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

constexpr Uint32 REPLAY_FORMAT_VERSION = 1;
constexpr Uint32 REPLAY_HASH_PERIOD = 50;
// Twenty minutes: far beyond the longest flight anyone flies, so a count above it is a lie.
constexpr Uint32 REPLAY_MAX_FRAMES = 60000;

// `frames` frames in a row with the same thrust.
struct CThrustRun {
    Sint16 thrustX = 0;
    Sint16 thrustY = 0;
    Uint32 frames = 0;
};

struct CReplay {
    Uint32 rulesVersion = 0;
    Uint32 seed = 0;
    Uint32 frameCount = 0;
    Sint32 score = 0;
    // A FlightEnding (records/Scores.h).
    Uint8 ending = 0;
    std::vector<CThrustRun> runs;
    // hashes[i] is the flight's state after frame (i + 1) * REPLAY_HASH_PERIOD.
    std::vector<Uint32> hashes;
};

// Appends one frame's thrust, extending the last run when it is the same. False once the
// recording holds REPLAY_MAX_FRAMES.
bool recordThrust(CReplay* replay, int thrustX, int thrustY);

// The thrust of frame `frame` (0-based), walked from run `*run` with `*runStart` the first frame
// of that run; both move forward as `frame` does. (0, 0) past the end.
void thrustAt(const CReplay& replay, Uint32 frame, std::size_t* run, Uint32* runStart, int* thrustX,
              int* thrustY);

// CRC-32 (the zlib polynomial) of `size` bytes.
Uint32 crc32Of(const void* data, std::size_t size);

// The file's bytes, and back. decodeReplay trusts nothing: it checks the magic, the version,
// every count against the bytes left and against REPLAY_MAX_FRAMES, and the CRC before it keeps
// anything, and allocates only what the file really holds. False with a one-line reason.
std::vector<unsigned char> encodeReplay(const CReplay& replay);
bool decodeReplay(const unsigned char* bytes, std::size_t size, CReplay* replay,
                  std::string* error);

// Through the atomic writer and the bounded reader (records/UserFiles.h); saveReplay makes the
// file's folder when it is missing. False with a one-line reason (the path is the caller's).
bool saveReplay(const CReplay& replay, const std::string& path, std::string* error);
bool loadReplay(const std::string& path, CReplay* replay, std::string* error);
