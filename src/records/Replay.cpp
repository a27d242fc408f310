// Replay.cpp -- recording and playing back thrust runs, and the .vrp file: little-endian, every
// count checked against the bytes that are really there, a CRC-32 over all of it at the end.
#include "records/Replay.h"

#include "records/UserFiles.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace replay_detail {

const unsigned char REPLAY_MAGIC[4] = {'V', 'R', 'L', 'K'};
// Magic, format and rules versions, seed, frame count, score, ending, run count.
constexpr std::size_t REPLAY_HEADER_BYTES = 4 + 4 * 6 + 1;
constexpr std::size_t REPLAY_RUN_BYTES = 8;
// The largest file a true replay makes: one run per frame.
constexpr std::size_t REPLAY_MAX_BYTES = REPLAY_HEADER_BYTES +
                                         REPLAY_MAX_FRAMES * REPLAY_RUN_BYTES + 4 +
                                         REPLAY_MAX_FRAMES / REPLAY_HASH_PERIOD * 4 + 4;

std::array<Uint32, 256> makeCrcTable() {
    std::array<Uint32, 256> table{};
    for (Uint32 n = 0; n < 256; ++n) {
        Uint32 c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

void put32(std::vector<unsigned char>* out, Uint32 value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out->push_back(static_cast<unsigned char>(value >> shift));
    }
}

// Reads from a byte range that knows how much is left; every read is checked by the caller
// through left() first.
struct CReader {
    const unsigned char* at;
    std::size_t remaining;
    std::size_t left() const { return remaining; }
    Uint32 u32() {
        Uint32 value = static_cast<Uint32>(at[0]) | static_cast<Uint32>(at[1]) << 8 |
                       static_cast<Uint32>(at[2]) << 16 | static_cast<Uint32>(at[3]) << 24;
        at += 4;
        remaining -= 4;
        return value;
    }
    Uint16 u16() {
        Uint16 value = static_cast<Uint16>(at[0] | at[1] << 8);
        at += 2;
        remaining -= 2;
        return value;
    }
    Uint8 u8() {
        --remaining;
        return *at++;
    }
};

bool fail(std::string* error, const std::string& reason) {
    if (error != nullptr) {
        *error = reason;
    }
    return false;
}

} // namespace replay_detail

bool recordThrust(CReplay* replay, int thrustX, int thrustY) {
    if (replay->frameCount >= REPLAY_MAX_FRAMES) {
        return false;
    }
    Sint16 x = static_cast<Sint16>(std::clamp(thrustX, -32768, 32767));
    Sint16 y = static_cast<Sint16>(std::clamp(thrustY, -32768, 32767));
    if (!replay->runs.empty() && replay->runs.back().thrustX == x &&
        replay->runs.back().thrustY == y) {
        ++replay->runs.back().frames;
    } else {
        replay->runs.push_back(CThrustRun{x, y, 1});
    }
    ++replay->frameCount;
    return true;
}

void thrustAt(const CReplay& replay, Uint32 frame, std::size_t* run, Uint32* runStart, int* thrustX,
              int* thrustY) {
    if (frame < *runStart) {
        *run = 0;
        *runStart = 0;
    }
    while (*run < replay.runs.size() && frame - *runStart >= replay.runs[*run].frames) {
        *runStart += replay.runs[*run].frames;
        ++*run;
    }
    bool inside = *run < replay.runs.size();
    *thrustX = inside ? replay.runs[*run].thrustX : 0;
    *thrustY = inside ? replay.runs[*run].thrustY : 0;
}

Uint32 crc32Of(const void* data, std::size_t size) {
    static const std::array<Uint32, 256> table = replay_detail::makeCrcTable();
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    Uint32 c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        c = table[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

std::vector<unsigned char> encodeReplay(const CReplay& replay) {
    using replay_detail::put32;
    std::vector<unsigned char> out(replay_detail::REPLAY_MAGIC, replay_detail::REPLAY_MAGIC + 4);
    put32(&out, REPLAY_FORMAT_VERSION);
    put32(&out, replay.rulesVersion);
    put32(&out, replay.seed);
    put32(&out, replay.frameCount);
    put32(&out, static_cast<Uint32>(replay.score));
    out.push_back(replay.ending);
    put32(&out, static_cast<Uint32>(replay.runs.size()));
    for (const CThrustRun& run : replay.runs) {
        out.push_back(static_cast<unsigned char>(run.thrustX));
        out.push_back(static_cast<unsigned char>(static_cast<Uint16>(run.thrustX) >> 8));
        out.push_back(static_cast<unsigned char>(run.thrustY));
        out.push_back(static_cast<unsigned char>(static_cast<Uint16>(run.thrustY) >> 8));
        put32(&out, run.frames);
    }
    put32(&out, static_cast<Uint32>(replay.hashes.size()));
    for (Uint32 hash : replay.hashes) {
        put32(&out, hash);
    }
    put32(&out, crc32Of(out.data(), out.size()));
    return out;
}

bool decodeReplay(const unsigned char* bytes, std::size_t size, CReplay* replay,
                  std::string* error) {
    using replay_detail::fail;
    if (size < 4 || std::memcmp(bytes, replay_detail::REPLAY_MAGIC, 4) != 0) {
        return fail(error, "not a Vorlusk replay (wrong magic)");
    }
    replay_detail::CReader in{bytes + 4, size - 4};
    Uint32 version = size >= 8 ? in.u32() : 0;
    if (size >= 8 && version != REPLAY_FORMAT_VERSION) {
        return fail(error, "format version " + std::to_string(version) +
                               " is not known (this game reads " +
                               std::to_string(REPLAY_FORMAT_VERSION) + ")");
    }
    if (size < replay_detail::REPLAY_HEADER_BYTES + 4 + 4) {
        return fail(error, "truncated (" + std::to_string(size) + " bytes)");
    }
    // From here on, everything but the trailing CRC.
    in.remaining -= 4;
    CReplay read;
    read.rulesVersion = in.u32();
    read.seed = in.u32();
    read.frameCount = in.u32();
    read.score = static_cast<Sint32>(in.u32());
    read.ending = in.u8();
    Uint32 runCount = in.u32();
    if (read.frameCount > REPLAY_MAX_FRAMES) {
        return fail(error, "claims " + std::to_string(read.frameCount) + " frames, more than " +
                               std::to_string(REPLAY_MAX_FRAMES));
    }
    // Each run is at least one frame; the hash count follows the runs.
    if (runCount > read.frameCount || in.left() < 4 ||
        runCount > (in.left() - 4) / replay_detail::REPLAY_RUN_BYTES) {
        return fail(error, "claims " + std::to_string(runCount) +
                               " thrust runs, more than its frames or its bytes allow");
    }
    read.runs.reserve(runCount);
    Uint64 frames = 0;
    for (Uint32 i = 0; i < runCount; ++i) {
        CThrustRun run;
        run.thrustX = static_cast<Sint16>(in.u16());
        run.thrustY = static_cast<Sint16>(in.u16());
        run.frames = in.u32();
        if (run.frames == 0) {
            return fail(error, "thrust run " + std::to_string(i) + " lasts no frames");
        }
        frames += run.frames;
        read.runs.push_back(run);
    }
    if (frames != read.frameCount) {
        return fail(error, "its thrust runs last " + std::to_string(frames) + " frames, not " +
                               std::to_string(read.frameCount));
    }
    Uint32 hashCount = in.u32();
    if (hashCount != read.frameCount / REPLAY_HASH_PERIOD) {
        return fail(error, "holds " + std::to_string(hashCount) + " state hashes, not " +
                               std::to_string(read.frameCount / REPLAY_HASH_PERIOD));
    }
    if (hashCount > in.left() / 4) {
        return fail(error, "truncated (claims " + std::to_string(hashCount) + " state hashes)");
    }
    read.hashes.reserve(hashCount);
    for (Uint32 i = 0; i < hashCount; ++i) {
        read.hashes.push_back(in.u32());
    }
    if (in.left() != 0) {
        return fail(error, std::to_string(in.left()) + " bytes more than its counts claim");
    }
    replay_detail::CReader crc{bytes + size - 4, 4};
    if (crc.u32() != crc32Of(bytes, size - 4)) {
        return fail(error, "the checksum does not match (a damaged file)");
    }
    *replay = std::move(read);
    return true;
}

bool saveReplay(const CReplay& replay, const std::string& path, std::string* error) {
    std::vector<unsigned char> bytes = encodeReplay(replay);
    std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !makeFolder(path.substr(0, slash), error)) {
        return false;
    }
    return writeFileWhole(path, bytes.data(), bytes.size(), error);
}

bool loadReplay(const std::string& path, CReplay* replay, std::string* error) {
    std::string bytes;
    switch (readFileWhole(path, replay_detail::REPLAY_MAX_BYTES, &bytes, error)) {
    case ReadOk:
        return decodeReplay(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                            replay, error);
    case ReadMissing:
        return replay_detail::fail(error, "no such file");
    case ReadTooLarge:
        return replay_detail::fail(error, "larger than any replay (" + *error + ")");
    default:
        return false;
    }
}
