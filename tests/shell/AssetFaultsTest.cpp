// AssetFaultsTest.cpp -- every file the game reads, missing, empty, cut in half or holding
// another format's bytes: start-up completes, a flight goes on through its sounds, sheets and
// warning, nothing crashes, and the only words printed are the loaders' own.
//
// Each case runs in a folder of links to data/ in which one file (for the music, every track,
// since the track is drawn at random) is replaced by its faulty version.
#include "support/GameFixture.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

enum Fault { Missing, Empty, Half, Foreign };
const char* const FAULT_NAMES[] = {"Missing", "Empty", "Half", "Foreign"};

struct AssetFile {
    std::string path;      // as the game names it, less the leading "./"
    int loads;             // how many sprites load it: its "Couldn't load" lines when unreadable
    std::string ownerLine; // the line its owner prints on standard output when it cannot load
};

std::vector<AssetFile> assetFiles() {
    std::vector<AssetFile> files;
    for (const char* suffix : {"RIGHT", "DOWN", "LEFT", "UP"}) {
        files.push_back({std::string("Sprite_Sheet/Alien/Alien_") + suffix + ".png", 1, ""});
        files.push_back({std::string("Sprite_Sheet/FireBall/Fireball_") + suffix + ".png", 10, ""});
    }
    files.push_back({"Sprite_Sheet/SpaceShipB.png", 1, ""});
    for (const char* kind : {"Flames/Flames_", "Iced/Ice_", "Heal/Heal_"}) {
        for (char digit : {'0', '1', '2', '3'}) {
            for (char variant : {'A', 'B'}) {
                files.push_back(
                    {std::string("Sprite_Sheet/") + kind + digit + variant + ".png", 1, ""});
            }
        }
    }
    files.push_back({"Sprite_Sheet/BG_Carpet.jpg", 1, ""});
    files.push_back(
        {"Sprite_Sheet/Fireboost_Sprite_SheetB.png", 1, "Bad load of Boost animation file\n"});
    files.push_back(
        {"Sprite_Sheet/Crash_Sprite_Sheet.png", 1, "Bad load of crash animation file\n"});
    for (const char* sound : {"Alien Shot.mp3", "Alien Hit.mp3", "Thrust Base.Wav",
                              "Thrust Fade.wav", "Thrust Roar (Cropped).mp3", "Thrust Alarm.wav",
                              "Ship Explosion.mp3", "Ship Crash.mp3"}) {
        files.push_back({std::string("Audio/") + sound, 0, ""});
    }
    files.push_back({"Audio/FTL - * Battle.mp3", 0, ""});
    files.push_back({"BAUHS93.ttf", 0, ""});
    return files;
}

bool isMusic(const std::string& path) {
    return path.rfind("Audio/FTL - ", 0) == 0;
}

bool matches(const AssetFile& file, const std::string& path) {
    return isMusic(file.path) ? isMusic(path) : file.path == path;
}

// What the faulty file holds. Another format's bytes: a sound's for an image, an image's for
// everything else.
std::string faultyContent(Fault fault, const fs::path& original, bool image) {
    std::string bytes = readFile(original);
    switch (fault) {
    case Half:
        return bytes.substr(0, bytes.size() / 2);
    case Foreign:
        return readFile(fs::path(VORLUSK_DATA_DIR) /
                        (image ? "Audio/Thrust Alarm.wav" : "Sprite_Sheet/SpaceShipB.png"));
    default:
        return "";
    }
}

struct FaultCase {
    AssetFile file;
    Fault fault;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.file.path << ", " << FAULT_NAMES[c.fault];
}

std::string caseName(const testing::TestParamInfo<FaultCase>& info) {
    std::string name = info.param.file.path + "_" + FAULT_NAMES[info.param.fault];
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

std::vector<FaultCase> allCases() {
    std::vector<FaultCase> cases;
    for (const AssetFile& file : assetFiles()) {
        for (Fault fault : {Missing, Empty, Half, Foreign}) {
            cases.push_back({file, fault});
        }
    }
    return cases;
}

class AssetFaultTest : public testing::TestWithParam<FaultCase> {
  protected:
    fs::path folder;

    void SetUp() override {
        char name[] = "/tmp/vorlusk-faults-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
        const FaultCase& c = GetParam();
        const fs::path data = VORLUSK_DATA_DIR;
        for (const auto& entry : fs::recursive_directory_iterator(data)) {
            if (!entry.is_regular_file()) {
                continue;
            }
            const std::string relative = fs::relative(entry.path(), data).string();
            const fs::path target = folder / relative;
            fs::create_directories(target.parent_path());
            if (!matches(c.file, relative)) {
                fs::create_symlink(entry.path(), target);
            } else if (c.fault != Missing) {
                std::ofstream(target, std::ios::binary)
                    << faultyContent(c.fault, entry.path(), c.file.loads > 0);
            }
        }
        resetStaticState();
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

// A flight's first 300 frames, scripted to pass every asset: the arrival with its boost sheet
// and roar, thrust with its hum and thawing jets, fireballs, the clock run out with a frozen jet
// (banner and alarm), then all jets frozen: the crash with its sheet and explosions.
void flyThroughEveryAsset(CGame& game, int* flyingFrames) {
    for (int frame = 0; frame < 300; ++frame) {
        if (game.state == Flying) {
            ++*flyingFrames;
            if (*flyingFrames == 1) {
                sendKey(game, SDL_KEYDOWN, SDLK_RIGHT);
                sendKey(game, SDL_KEYDOWN, SDLK_UP);
                game.ship.timers[4] = 125;
                game.ship.timers[1] = 60;
            } else if (*flyingFrames == 30) {
                game.timeLeft = 0.02f;
            } else if (*flyingFrames == 60) {
                for (int& timer : game.ship.timers) {
                    timer = 125;
                }
            }
        }
        game.stepFrame();
        game.nextFrameTicks += FRAME_MS;
    }
}

// A loader's complaint is "Couldn't load <path>: <reason>" with no line end, so several run
// together; each must name the file and give the library's reason.
void expectComplaints(const std::string& err, const std::string& path, int count) {
    const std::string head = "Couldn't load ./" + path + ": ";
    std::vector<size_t> starts;
    for (size_t at = err.find("Couldn't load "); at != std::string::npos;
         at = err.find("Couldn't load ", at + 1)) {
        starts.push_back(at);
    }
    ASSERT_EQ(starts.size(), static_cast<size_t>(count)) << err;
    for (size_t i = 0; i < starts.size(); ++i) {
        size_t end = i + 1 < starts.size() ? starts[i + 1] : err.size();
        std::string complaint = err.substr(starts[i], end - starts[i]);
        EXPECT_EQ(complaint.rfind(head, 0), 0u) << complaint;
        EXPECT_GT(complaint.size(), head.size()) << "no reason given: " << complaint;
        EXPECT_EQ(complaint.find('\n'), std::string::npos) << complaint;
    }
    EXPECT_EQ(starts.empty() ? 0u : starts[0], 0u) << "words before the first complaint: " << err;
}

// Decoders print their own diagnostics on bad data (libpng its errors, mpg123 its notes and
// warnings); they are the libraries' words, not the game's, and are taken out before the game's
// own output is compared. A libpng line can follow a complaint on the same line, since the
// complaint has no line end.
std::string withoutDecoderNotes(const std::string& err, std::string* notes) {
    std::string kept;
    size_t at = 0;
    while (at < err.size()) {
        size_t next = std::string::npos;
        for (const char* prefix : {"libpng error: ", "libpng warning: "}) {
            next = std::min(next, err.find(prefix, at));
        }
        for (const char* prefix : {"Note: ", "Warning: "}) {
            size_t line = err.find(prefix, at);
            if (line != std::string::npos && (line == 0 || err[line - 1] == '\n')) {
                next = std::min(next, line);
            }
        }
        if (next == std::string::npos) {
            kept += err.substr(at);
            break;
        }
        kept += err.substr(at, next - at);
        size_t end = err.find('\n', next);
        end = end == std::string::npos ? err.size() : end + 1;
        *notes += err.substr(next, end - next);
        at = end;
    }
    return kept;
}

TEST_P(AssetFaultTest, StartsAndFliesOnPrintingOnlyTheLoadersComplaints) {
    const FaultCase& c = GetParam();
    ASSERT_EQ(chdir(folder.c_str()), 0);
    CGame game;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    bool started = game.init();
    int flyingFrames = 0;
    if (started) {
        flyThroughEveryAsset(game, &flyingFrames);
        game.close();
    }
    std::string out = testing::internal::GetCapturedStdout();
    std::string notes;
    std::string err = withoutDecoderNotes(testing::internal::GetCapturedStderr(), &notes);
    releaseMixer();
    ASSERT_EQ(chdir(VORLUSK_DATA_DIR), 0);

    ASSERT_TRUE(started);
    // The flight kept its timing: 60 frames in the air, then crashing once all jets froze.
    EXPECT_EQ(flyingFrames, 60);
    EXPECT_EQ(game.state, Crashing);

    // An image that cannot be read is reported once per sprite that loads it. A JPEG cut short
    // still decodes (its missing part grey); a PNG cut short does not.
    const bool image = c.file.loads > 0;
    const bool jpeg =
        c.file.path.size() > 4 && c.file.path.substr(c.file.path.size() - 4) == ".jpg";
    const bool unreadable = image && !(c.fault == Half && jpeg);
    // Only damaged data makes a decoder speak; a missing or empty file does not.
    if (c.fault == Missing || c.fault == Empty) {
        EXPECT_EQ(notes, "");
    }
    if (unreadable) {
        expectComplaints(err, c.file.path, c.file.loads);
        EXPECT_EQ(out, c.file.ownerLine);
    } else {
        EXPECT_EQ(err, "");
        EXPECT_EQ(out, "");
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFile, AssetFaultTest, testing::ValuesIn(allCases()), caseName);

} // namespace
