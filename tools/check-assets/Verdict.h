// What comparing one committed asset with its regenerated twin found.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

struct CVerdict {
    bool matches = false;
    // The measured figure and what it was held to, for the one line the report gives the file.
    std::string figure;
};

// Pictures by their decoded pixels, colour weighed by its coverage (premultiplied by alpha): in
// every `block`-square of the grid the mean of each channel within `levels` of the other's. A
// block of 1 holds every pixel to that.
CVerdict compareImages(const std::filesystem::path& expected, const std::filesystem::path& actual,
                       int levels, int block);

// Sounds by their decoded samples: the RMS of the difference, after the best shift of at most
// `maxLag` frames, must stay under `limitDb` dBFS (0 dBFS: as loud as a full-scale square wave).
CVerdict compareSounds(const std::filesystem::path& expected, const std::filesystem::path& actual,
                       double limitDb, int maxLag);

// Anything else byte for byte.
CVerdict compareBytes(const std::filesystem::path& expected, const std::filesystem::path& actual);

// Every file under either folder, each by its kind; a file on one side only differs too. Writes a
// line per file and a count to `report`; returns how many differ.
int compareFolders(const std::filesystem::path& expectedRoot,
                   const std::filesystem::path& actualRoot, std::FILE* report);
