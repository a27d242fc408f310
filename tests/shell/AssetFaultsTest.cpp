// AssetFaultsTest.cpp -- every file the game reads missing, empty, cut in half, holding another
// format's bytes, or a picture of no pixels at all: start-up completes, a flight goes on through
// its sounds, sheets and warning, nothing crashes, and the only words printed are the loaders'.
//
// Each case runs in a folder that mirrors data/ with every asset file given the same fault: a
// fault mishandled in any one slot still fails the case, and the complaints name their files.
#include "shared/AssetNames.h"
#include "support/GameFixture.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

enum Fault { Missing, Empty, Half, Foreign, NoPixels };

// A path relative to data/ as the directory walk gives it, without the game's leading "./".
std::string walked(const char* name) {
    return fs::path(name).lexically_normal().string();
}

// Whether `path` lies in the folder of the game's file `name`.
bool inFolderOf(const std::string& path, const char* name) {
    return path.rfind(fs::path(walked(name)).parent_path().string() + "/", 0) == 0;
}

bool isImage(const std::string& path) {
    return inFolderOf(path, SHIP_IMAGE);
}

bool isAsset(const std::string& path) {
    return isImage(path) || inFolderOf(path, ALIEN_SHOT_SOUND) || path == walked(FONT_FILE);
}

// What the faulty file holds. Another format's bytes: a sound's for an image, an image's for
// everything else. A picture of no pixels: a GIMP file header with nothing after it, which
// SDL_image reads as an image 0 pixels wide.
std::string faultyContent(Fault fault, const fs::path& original, bool image) {
    const fs::path data = VORLUSK_DATA_DIR;
    switch (fault) {
    case Half: {
        std::string bytes = readFile(original);
        return bytes.substr(0, bytes.size() / 2);
    }
    case Foreign:
        return readFile(data / (image ? THRUST_ALARM_SOUND : SHIP_IMAGE));
    case NoPixels:
        return std::string("gimp xcf file\0", 14) + std::string(76, '\0');
    default:
        return "";
    }
}

// A flight's first 300 frames, scripted to pass every asset: the arrival with its boost sheet
// and roar, thrust with its hum and thawing jets, fireballs, the clock run out with a frozen jet
// (banner and alarm), then all jets frozen: the crash with its sheet and explosions.
int flyThroughEveryAsset(CGame& game) {
    int flyingFrames = 0;
    for (int frame = 0; frame < 300; ++frame) {
        if (game.state == Flying) {
            ++flyingFrames;
            if (flyingFrames == 1) {
                sendKey(game, SDL_KEYDOWN, SDLK_RIGHT);
                sendKey(game, SDL_KEYDOWN, SDLK_UP);
                game.ship.timers[4] = 125;
                game.ship.timers[1] = 60;
            } else if (flyingFrames == 30) {
                game.timeLeft = 0.02f;
            } else if (flyingFrames == 60) {
                for (int& timer : game.ship.timers) {
                    timer = 125;
                }
            }
        }
        game.stepFrame();
        game.nextFrameTicks += FRAME_MS;
    }
    return flyingFrames;
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

// The complaints "Couldn't load ./<path>: <reason>" run together with no line ends; counts them
// by path, checking that each gives a reason.
std::map<std::string, int> complaintsByPath(const std::string& err) {
    std::map<std::string, int> counts;
    const std::string head = "Couldn't load ./";
    EXPECT_EQ(err.rfind(head, 0), err.empty() ? std::string::npos : 0u) << err;
    for (size_t at = err.find(head); at != std::string::npos;) {
        size_t next = err.find(head, at + 1);
        std::string complaint = err.substr(at + head.size(), next - at - head.size());
        size_t colon = complaint.find(": ");
        EXPECT_NE(colon, std::string::npos) << complaint;
        EXPECT_GT(complaint.size(), colon + 2) << "no reason given: " << complaint;
        EXPECT_EQ(complaint.find('\n'), std::string::npos) << complaint;
        ++counts[complaint.substr(0, colon)];
        at = next;
    }
    return counts;
}

class AssetFaultTest : public testing::TestWithParam<Fault> {
  protected:
    fs::path folder;
    std::map<std::string, int> expectedComplaints;

    void SetUp() override {
        char name[] = "/tmp/vorlusk-faults-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
        const fs::path data = VORLUSK_DATA_DIR;
        for (const auto& entry : fs::recursive_directory_iterator(data)) {
            const std::string path = fs::relative(entry.path(), data).string();
            if (!entry.is_regular_file() || !isAsset(path)) {
                continue;
            }
            fs::create_directories((folder / path).parent_path());
            if (GetParam() != Missing) {
                std::ofstream(folder / path, std::ios::binary)
                    << faultyContent(GetParam(), entry.path(), isImage(path));
            }
            // A JPEG cut short still decodes, its missing part grey; a PNG cut short does not.
            const bool decodes = GetParam() == Half && path.size() > 4 &&
                                 path.compare(path.size() - 4, 4, ".jpg") == 0;
            if (isImage(path) && !decodes) {
                // One complaint per sprite that loads the file: ten fireballs share each image.
                expectedComplaints[path] = inFolderOf(path, FIREBALL_IMAGE_PREFIX) ? 10 : 1;
            }
        }
        resetStaticState();
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

TEST_P(AssetFaultTest, StartsAndFliesOnPrintingOnlyTheLoadersComplaints) {
    ASSERT_EQ(chdir(folder.c_str()), 0);
    CGame game;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    bool started = game.init();
    int flyingFrames = started ? flyThroughEveryAsset(game) : 0;
    if (started) {
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
    EXPECT_EQ(complaintsByPath(err), expectedComplaints);
    EXPECT_EQ(out, "Bad load of Boost animation file\nBad load of crash animation file\n");
    // Only damaged data makes a decoder speak; a missing or empty file does not.
    if (GetParam() == Missing || GetParam() == Empty) {
        EXPECT_EQ(notes, "");
    }
}

std::string faultName(const testing::TestParamInfo<Fault>& info) {
    const char* const names[] = {"Missing", "Empty", "Half", "Foreign", "NoPixels"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(EveryFile, AssetFaultTest,
                         testing::Values(Missing, Empty, Half, Foreign, NoPixels), faultName);

} // namespace
