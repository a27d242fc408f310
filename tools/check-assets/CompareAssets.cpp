// vorlusk-compare-assets <expected-dir> <actual-dir>: compares every file of two asset folders by
// what it decodes to, so that a distribution's new cairo, libjpeg, LAME or libsndfile, which change
// bytes but not what a player sees or hears, passes, and a change of ours does not. One line per
// file; exits 1 if any file differs or is on one side only.
#include "Verdict.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <expected-dir> <actual-dir>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path expectedRoot = argv[1];
    const std::filesystem::path actualRoot = argv[2];
    std::error_code error;
    if (!std::filesystem::is_directory(expectedRoot, error) ||
        !std::filesystem::is_directory(actualRoot, error)) {
        std::fprintf(stderr, "%s: both arguments must be folders\n", argv[0]);
        return 2;
    }
    return compareFolders(expectedRoot, actualRoot, stdout) == 0 ? 0 : 1;
}
