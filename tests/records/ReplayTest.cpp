// ReplayTest.cpp -- recording and walking thrust runs, the .vrp file both ways, and decodeReplay
// against every damaged file: the named cases, and thousands of mutated ones (run under the
// sanitizers by `make sanitize`).
#include "records/Replay.h"
#include "records/RecordsHome.h"
#include "records/UserFiles.h"

#include <random>

using ReplayTest = RecordsHome;

namespace replaytest_detail {

// 260 frames in a few runs, with their 5 hashes.
CReplay sampleReplay() {
    CReplay replay;
    replay.rulesVersion = 3;
    replay.seed = 0xC0FFEE;
    replay.score = 1234;
    replay.ending = 2;
    for (int frame = 0; frame < 260; ++frame) {
        recordThrust(&replay, frame / 40 % 3 - 1, frame < 100 ? -32768 : 32767);
        if ((frame + 1) % REPLAY_HASH_PERIOD == 0) {
            replay.hashes.push_back(0x9E3779B9u * static_cast<Uint32>(frame));
        }
    }
    return replay;
}

void put32At(std::vector<unsigned char>* bytes, std::size_t at, Uint32 value) {
    for (int i = 0; i < 4; ++i) {
        (*bytes)[at + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

void fixCrc(std::vector<unsigned char>* bytes) {
    if (bytes->size() >= 4) {
        put32At(bytes, bytes->size() - 4, crc32Of(bytes->data(), bytes->size() - 4));
    }
}

// The reason decodeReplay gives, "" when it accepts the bytes.
std::string decodeError(const std::vector<unsigned char>& bytes) {
    CReplay replay;
    std::string error;
    bool ok = decodeReplay(bytes.data(), bytes.size(), &replay, &error);
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_TRUE(ok || !error.empty());
    return ok ? std::string() : error;
}

} // namespace replaytest_detail
using namespace replaytest_detail;

TEST_F(ReplayTest, RecordsRunsAndWalksThem) {
    CReplay replay = sampleReplay();
    EXPECT_EQ(replay.frameCount, 260u);
    EXPECT_EQ(replay.runs.size(), 8u);
    std::size_t run = 0;
    Uint32 runStart = 0;
    int x = 9;
    int y = 9;
    for (Uint32 frame = 0; frame < 270; ++frame) {
        thrustAt(replay, frame, &run, &runStart, &x, &y);
        EXPECT_EQ(x, frame < 260 ? static_cast<int>(frame / 40 % 3) - 1 : 0) << frame;
        EXPECT_EQ(y, frame >= 260 ? 0 : frame < 100 ? -32768 : 32767) << frame;
    }
    CReplay full;
    for (Uint32 i = 0; i < REPLAY_MAX_FRAMES; ++i) {
        ASSERT_TRUE(recordThrust(&full, static_cast<int>(i % 2), 0));
    }
    EXPECT_FALSE(recordThrust(&full, 0, 0));
    EXPECT_EQ(full.frameCount, REPLAY_MAX_FRAMES);
}

TEST_F(ReplayTest, RoundTripsThroughAFile) {
    CReplay saved = sampleReplay();
    std::string path = userFolderPath(DataFolder) + "/last.vrp";
    std::string error;
    ASSERT_TRUE(saveReplay(saved, path, &error)) << error;
    CReplay loaded;
    ASSERT_TRUE(loadReplay(path, &loaded, &error)) << error;
    EXPECT_EQ(encodeReplay(loaded), encodeReplay(saved));
    EXPECT_EQ(loaded.seed, saved.seed);
    EXPECT_EQ(loaded.score, 1234);
    EXPECT_EQ(loaded.hashes, saved.hashes);
    EXPECT_FALSE(loadReplay(root + "/none.vrp", &loaded, &error));
    writeText(root + "/huge.vrp", std::string(4 << 20, 'V'));
    EXPECT_FALSE(loadReplay(root + "/huge.vrp", &loaded, &error));
}

TEST_F(ReplayTest, EachDamageHasItsReason) {
    const std::vector<unsigned char> good = encodeReplay(sampleReplay());
    ASSERT_EQ(decodeError(good), "");
    // Offsets: version 4, seed 12, frame count 16, run count 25, first run's frames 33.
    const std::size_t hashCountAt = 29 + 8 * 8;
    auto changed = [&](std::size_t at, Uint32 value, bool crc) {
        std::vector<unsigned char> bytes = good;
        put32At(&bytes, at, value);
        if (crc) {
            fixCrc(&bytes);
        }
        return decodeError(bytes);
    };
    std::vector<unsigned char> magic = good;
    magic[0] = 'X';
    EXPECT_NE(decodeError(magic).find("magic"), std::string::npos);
    EXPECT_NE(changed(4, 2, true).find("version 2"), std::string::npos);
    EXPECT_NE(changed(12, 1, false).find("checksum"), std::string::npos);
    EXPECT_NE(changed(16, REPLAY_MAX_FRAMES + 1, true).find("more than"), std::string::npos);
    EXPECT_NE(changed(25, 0xFFFFFFF0u, true).find("runs"), std::string::npos);
    EXPECT_NE(changed(16, 5, true).find("claims 8 thrust runs"), std::string::npos);
    EXPECT_NE(changed(33, 0, true).find("no frames"), std::string::npos);
    EXPECT_NE(changed(33, 41, true).find("last 261 frames"), std::string::npos);
    EXPECT_NE(changed(hashCountAt, 6, true).find("hashes"), std::string::npos);
    for (std::size_t size : {std::size_t(0), std::size_t(3), std::size_t(20), good.size() - 1}) {
        EXPECT_NE(decodeError(std::vector<unsigned char>(good.begin(), good.begin() + size)), "");
    }
    std::vector<unsigned char> longer = good;
    longer.insert(longer.end() - 4, 7);
    fixCrc(&longer);
    EXPECT_NE(decodeError(longer).find("more than its counts"), std::string::npos);
}

TEST_F(ReplayTest, SurvivesThousandsOfMutatedFiles) {
    const std::vector<unsigned char> good = encodeReplay(sampleReplay());
    std::mt19937 random(20261207);
    int pastTheChecksum = 0;
    for (int round = 0; round < 5000; ++round) {
        std::vector<unsigned char> bytes = good;
        int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            std::size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0:
                bytes[at] ^= static_cast<unsigned char>(1u << (random() % 8));
                break;
            case 1:
                bytes[at] = static_cast<unsigned char>(random());
                break;
            case 2:
                bytes.insert(bytes.begin() + static_cast<long>(at),
                             static_cast<unsigned char>(random()));
                break;
            default:
                bytes.erase(bytes.begin() + static_cast<long>(at));
                break;
            }
        }
        if (round % 5 == 4) {
            bytes.resize(random() % bytes.size());
        }
        if (round % 2 == 0) {
            fixCrc(&bytes);
        }
        std::string error = decodeError(bytes);
        pastTheChecksum += error.empty() || error.find("checksum") == std::string::npos ? 1 : 0;
        if (error.empty()) {
            CReplay replay;
            decodeReplay(bytes.data(), bytes.size(), &replay, &error);
            Uint64 frames = 0;
            for (const CThrustRun& run : replay.runs) {
                frames += run.frames;
            }
            EXPECT_EQ(frames, replay.frameCount);
            EXPECT_EQ(replay.hashes.size(), replay.frameCount / REPLAY_HASH_PERIOD);
        }
    }
    // The structural checks were reached, not only the checksum's.
    EXPECT_GT(pastTheChecksum, 1000);
}
