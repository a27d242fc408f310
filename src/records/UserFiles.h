// UserFiles.h -- where a player's files live, and how they are read and written: whole or not at
// all, and never trusted.
#pragma once

#include <cstddef>
#include <string>

enum UserFolder {
    ConfigFolder = 0, // settings: $XDG_CONFIG_HOME/vorlusk, else ~/.config/vorlusk
    DataFolder = 1,   // scores and replays: $XDG_DATA_HOME/vorlusk, else ~/.local/share/vorlusk
};

// The folder's path, without a trailing slash. An XDG variable that is unset, empty or not an
// absolute path is ignored, as the XDG rules ask; with HOME unusable too the result is empty.
std::string userFolderPath(UserFolder folder);

// Makes `path` and any missing parents (new folders 0700). False, with a reason in *error, when
// it cannot.
bool makeFolder(const std::string& path, std::string* error);

// Writes `size` bytes to `path` through a temporary file in the same folder, flushed to the disk
// and then renamed over `path`: a reader sees the old file or the new one, never a part.
bool writeFileWhole(const std::string& path, const void* data, std::size_t size,
                    std::string* error);

enum ReadStatus {
    ReadOk = 0,
    ReadMissing = 1,  // no such file: not an error
    ReadFailed = 2,   // exists but cannot be read (a folder, no permission, an I/O error)
    ReadTooLarge = 3, // longer than the caller allows; nothing is read
};

// Reads a whole regular file of at most `maxBytes` into *contents; *error says why not.
ReadStatus readFileWhole(const std::string& path, std::size_t maxBytes, std::string* contents,
                         std::string* error);

// Renames a file that cannot be used to `path` + ".bad", so that it is kept, not overwritten.
bool setFileAside(const std::string& path, std::string* error);

// One complaint per file and run: the first failure prints its line on standard error, later
// ones stay silent.
struct CFileComplaint {
    bool made = false;
};
void complainOnce(CFileComplaint* complaint, const std::string& line);
