// Pairs the files of two asset folders by their paths and holds each pair to the limits of its
// kind.
#include "Verdict.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

// Limits that a library update stays well inside, and that a change of ours does not.
constexpr int kImageLevels = 2;
// A JPEG encoder rounds each 8x8 block's frequencies, and input pixels off by one flip some of
// those roundings: the carpet then moves by up to 24 levels here and there. Over a block every
// frequency but the lowest sums to nothing, so the blocks' means hardly move; colour is stored at
// half resolution and the lowest frequency is rounded too, so over 16x16 means still move by 2.3
// levels, over 32x32 by 1 (a decoded carpet with a tenth of its samples up and a tenth down by
// one level, encoded at the same quality). A JPEG is held to its 32x32 means.
constexpr int kJpegBlock = 32;
// 16-bit samples that a new libsndfile rounds otherwise differ by a level or so, near -96 dBFS.
constexpr double kWavLimitDb = -60.0;
// Each of data/'s MP3s decoded and encoded again on a frame grid 5 samples off, as an encoder of
// other habits would, moves by -42 to -49 dBFS; 3 dB less loud, by about -33.
constexpr double kMp3LimitDb = -40.0;
// One MP3 frame: more than any encoder or decoder delay change shifts a sound by.
constexpr int kMaxLagFrames = 1152;

std::set<std::string> filesUnder(const fs::path& root) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_directory()) {
            names.insert(entry.path().lexically_relative(root).generic_string());
        }
    }
    return names;
}

std::string lowerExtension(const std::string& name) {
    std::string ext = fs::path(name).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

CVerdict compare(const fs::path& expected, const fs::path& actual, const std::string& name) {
    const std::string ext = lowerExtension(name);
    if (ext == ".png") {
        return compareImages(expected, actual, kImageLevels, 1);
    }
    if (ext == ".jpg" || ext == ".jpeg") {
        return compareImages(expected, actual, kImageLevels, kJpegBlock);
    }
    if (ext == ".wav") {
        return compareSounds(expected, actual, kWavLimitDb, kMaxLagFrames);
    }
    if (ext == ".mp3") {
        return compareSounds(expected, actual, kMp3LimitDb, kMaxLagFrames);
    }
    return compareBytes(expected, actual);
}

} // namespace

int compareFolders(const fs::path& expectedRoot, const fs::path& actualRoot, std::FILE* report) {
    const std::set<std::string> expected = filesUnder(expectedRoot);
    const std::set<std::string> actual = filesUnder(actualRoot);
    std::set<std::string> all = expected;
    all.insert(actual.begin(), actual.end());

    int failed = 0;
    for (const std::string& name : all) {
        CVerdict verdict;
        if (expected.count(name) == 0) {
            verdict.figure = "only in " + actualRoot.string();
        } else if (actual.count(name) == 0) {
            verdict.figure = "only in " + expectedRoot.string();
        } else {
            verdict = compare(expectedRoot / name, actualRoot / name, name);
        }
        failed += verdict.matches ? 0 : 1;
        std::fprintf(report, "%-7s %-45s %s\n", verdict.matches ? "ok" : "DIFFERS", name.c_str(),
                     verdict.figure.c_str());
    }
    std::fprintf(report, "assets: %zu passed, %d failed\n", all.size() - failed, failed);
    return failed;
}
