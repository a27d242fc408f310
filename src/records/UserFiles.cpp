// UserFiles.cpp -- the XDG folders, and files written whole through a renamed temporary and read
// only when they are regular and small enough.
#include "records/UserFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace userfiles_detail {

// An environment variable that names an absolute path, or "".
std::string absoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string errnoText(int error) {
    return std::strerror(error);
}

} // namespace userfiles_detail

std::string userFolderPath(UserFolder folder) {
    using namespace userfiles_detail;
    std::string base = absoluteEnv(folder == ConfigFolder ? "XDG_CONFIG_HOME" : "XDG_DATA_HOME");
    if (base.empty()) {
        std::string home = absoluteEnv("HOME");
        if (home.empty()) {
            return std::string();
        }
        base =
            withoutTrailingSlashes(home) + (folder == ConfigFolder ? "/.config" : "/.local/share");
    }
    base = withoutTrailingSlashes(base);
    return (base == "/" ? std::string() : base) + "/vorlusk";
}

bool makeFolder(const std::string& path, std::string* error) {
    // Each prefix ending before a slash, then the whole path.
    for (std::size_t end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != '/') {
            continue;
        }
        std::string prefix = path.substr(0, end);
        if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
            *error = "cannot make the folder " + prefix + ": " + userfiles_detail::errnoText(errno);
            return false;
        }
        struct stat info;
        if (stat(prefix.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            *error = prefix + " is not a folder";
            return false;
        }
    }
    return true;
}

bool writeFileWhole(const std::string& path, const void* data, std::size_t size,
                    std::string* error) {
    std::string temp = path + ".XXXXXX";
    int fd = mkostemp(&temp[0], O_CLOEXEC);
    if (fd < 0) {
        *error = "cannot make a temporary file beside it: " + userfiles_detail::errnoText(errno);
        return false;
    }
    const char* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    int failure = 0;
    while (done < size && failure == 0) {
        ssize_t wrote = write(fd, bytes + done, size - done);
        if (wrote > 0) {
            done += static_cast<std::size_t>(wrote);
        } else if (wrote < 0 && errno != EINTR) {
            failure = errno;
        } else if (wrote == 0) {
            failure = EIO;
        }
    }
    if (failure == 0 && fsync(fd) != 0) {
        failure = errno;
    }
    if (close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure == 0 && rename(temp.c_str(), path.c_str()) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        unlink(temp.c_str());
        *error = "cannot write it: " + userfiles_detail::errnoText(failure);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "."
                         : slash == 0               ? "/"
                                                    : path.substr(0, slash);
    int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}

ReadStatus readFileWhole(const std::string& path, std::size_t maxBytes, std::string* contents,
                         std::string* error) {
    contents->clear();
    // Non-blocking so that a FIFO put in the file's place cannot hang the game.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return ReadMissing;
        }
        *error = "cannot open it: " + userfiles_detail::errnoText(errno);
        return ReadFailed;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        *error = "not a regular file";
        return ReadFailed;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        close(fd);
        *error = "larger than " + std::to_string(maxBytes) + " bytes";
        return ReadTooLarge;
    }
    // One byte more than allowed tells a file that grew since fstat.
    std::string buffer(maxBytes + 1, '\0');
    std::size_t done = 0;
    while (done < buffer.size()) {
        ssize_t got = read(fd, &buffer[done], buffer.size() - done);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            *error = "cannot read it: " + userfiles_detail::errnoText(errno);
            close(fd);
            return ReadFailed;
        }
        done += static_cast<std::size_t>(got);
    }
    close(fd);
    if (done > maxBytes) {
        *error = "larger than " + std::to_string(maxBytes) + " bytes";
        return ReadTooLarge;
    }
    buffer.resize(done);
    *contents = std::move(buffer);
    return ReadOk;
}

bool setFileAside(const std::string& path, std::string* error) {
    if (rename(path.c_str(), (path + ".bad").c_str()) != 0) {
        *error = "cannot rename it to " + path + ".bad: " + userfiles_detail::errnoText(errno);
        return false;
    }
    return true;
}

void complainOnce(CFileComplaint* complaint, const std::string& line) {
    if (complaint != nullptr && complaint->made) {
        return;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    if (complaint != nullptr) {
        complaint->made = true;
    }
}
