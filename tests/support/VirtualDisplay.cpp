// VirtualDisplay.cpp -- Xvfb, the game as a child process, screenshots and the window-manager
// side of a close request.
#include "support/VirtualDisplay.h"

#include "support/GameFixture.h"

#include <SDL_image.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

// Xlib last: its macros (None, Status, Bool, ...) would trip up the headers above.
#ifdef VORLUSK_HAVE_XLIB
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

extern char** environ;

namespace {

constexpr int SERVER_READY_MS = 15000;

// Ends a child: politely first, so Xvfb removes its lock file and socket, then for good.
void endChild(pid_t pid) {
    kill(pid, SIGTERM);
    double deadline = steadyMs() + 2000;
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (steadyMs() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return;
        }
        usleep(5000);
    }
}

} // namespace

double steadyMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

bool hasXlib() {
#ifdef VORLUSK_HAVE_XLIB
    return true;
#else
    return false;
#endif
}

CVirtualDisplay::~CVirtualDisplay() {
    if (serverPid > 0) {
        endChild(serverPid);
    }
    if (!logPath.empty()) {
        std::remove(logPath.c_str());
    }
}

bool CVirtualDisplay::start(std::string* reason) {
    if (!onPath("Xvfb")) {
        *reason = "Xvfb is not installed (package xvfb; `make test` installs it)";
        return false;
    }
    logPath = makeTempFile("/tmp/vorlusk-xvfb-XXXXXX");
    if (logPath.empty()) {
        *reason = "cannot create a log file for Xvfb";
        return false;
    }
    return launch(reason);
}

bool CVirtualDisplay::launch(std::string* reason) {
    // Given no display, Xvfb takes the first free number and writes it to this pipe once it
    // accepts connections: no race with other servers, and no polling for its socket.
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
        *reason = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    int logFd = open(logPath.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    std::string readyFd = std::to_string(ready[1]);
    const char* argv[] = {"Xvfb",        "-displayfd", readyFd.c_str(), "-screen", "0",
                          "1280x720x24", "-nolisten",  "tcp",           nullptr};

    pid_t pid = fork();
    if (pid == 0) {
        fcntl(ready[1], F_SETFD, 0);
        if (logFd >= 0) {
            dup2(logFd, 1);
            dup2(logFd, 2);
        }
        execvp("Xvfb", const_cast<char* const*>(argv));
        _exit(127);
    }
    ::close(ready[1]);
    if (logFd >= 0) {
        ::close(logFd);
    }
    if (pid < 0) {
        ::close(ready[0]);
        *reason = std::string("fork: ") + std::strerror(errno);
        return false;
    }

    std::string answer;
    double deadline = steadyMs() + SERVER_READY_MS;
    bool eof = false;
    while (answer.find('\n') == std::string::npos && !eof) {
        int left = static_cast<int>(deadline - steadyMs());
        if (left <= 0) {
            break;
        }
        pollfd watch = {ready[0], POLLIN, 0};
        if (poll(&watch, 1, left) <= 0) {
            continue;
        }
        char buffer[32];
        ssize_t got = read(ready[0], buffer, sizeof buffer);
        if (got > 0) {
            answer.append(buffer, static_cast<size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            eof = true;
        }
    }
    ::close(ready[0]);

    if (answer.find('\n') != std::string::npos) {
        serverPid = pid;
        displayName = ":" + answer.substr(0, answer.find('\n'));
        return true;
    }
    endChild(pid);
    *reason = std::string("Xvfb ") +
              (eof ? "ended before accepting connections" : "did not get ready in time") + ": " +
              readFile(logPath);
    return false;
}

int CVirtualDisplay::run(const std::string& command) const {
    return runCommand("DISPLAY=" + displayName + " " + command).status;
}

bool CVirtualDisplay::screenshot(const std::string& path) const {
    // Quality 10 is zlib level 1 without filters: a quarter of the default's time, which
    // matters on a busy machine while the game runs on.
    return run("import -window root -quality 10 'png:" + path + "'") == 0;
}

unsigned long CVirtualDisplay::findWindow(const std::string& title) const {
    CommandResult found = runCommand("DISPLAY=" + displayName +
                                     " xdotool search --onlyvisible --name '^" + title + "$'");
    return found.status == 0 ? std::strtoul(found.out.c_str(), nullptr, 10) : 0;
}

bool CVirtualDisplay::requestClose(unsigned long window, std::string* reason) const {
#ifdef VORLUSK_HAVE_XLIB
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr) {
        *reason = "cannot connect to " + displayName;
        return false;
    }
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    bool sent = XSendEvent(display, window, False, NoEventMask, &event) != 0;
    // The round trip makes sure the server has passed the message on before we return.
    XSync(display, False);
    XCloseDisplay(display);
    if (!sent) {
        *reason = "XSendEvent failed";
    }
    return sent;
#else
    (void)window;
    *reason = "this build has no Xlib (package libx11-dev)";
    return false;
#endif
}

CGameProcess::~CGameProcess() {
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (!outputPath.empty()) {
        std::remove(outputPath.c_str());
    }
}

bool CGameProcess::start(const std::string& display) {
    outputPath = makeTempFile("/tmp/vorlusk-game-XXXXXX");
    if (outputPath.empty()) {
        return false;
    }
    // The test program itself runs on SDL's dummy video driver; the game must use the X server.
    std::vector<std::string> settings;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string setting = *entry;
        if (setting.rfind("DISPLAY=", 0) != 0 && setting.rfind("SDL_VIDEODRIVER=", 0) != 0 &&
            setting.rfind("SDL_AUDIODRIVER=", 0) != 0) {
            settings.push_back(setting);
        }
    }
    settings.push_back("DISPLAY=" + display);
    settings.push_back("SDL_VIDEODRIVER=x11");
    settings.push_back("SDL_AUDIODRIVER=dummy");
    std::vector<char*> envp;
    for (std::string& setting : settings) {
        envp.push_back(&setting[0]);
    }
    envp.push_back(nullptr);
    const char* argv[] = {VORLUSK_EXECUTABLE, nullptr};

    int outFd = open(outputPath.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (outFd < 0) {
        return false;
    }
    pid = fork();
    if (pid == 0) {
        dup2(outFd, 1);
        dup2(outFd, 2);
        if (chdir(VORLUSK_DATA_DIR) != 0) {
            _exit(126);
        }
        execve(VORLUSK_EXECUTABLE, const_cast<char* const*>(argv), envp.data());
        _exit(127);
    }
    ::close(outFd);
    return pid > 0;
}

bool CGameProcess::waitForExit(double timeoutMs, int* status, double* endedAtMs) {
    if (pid <= 0) {
        return false;
    }
    double deadline = steadyMs() + timeoutMs;
    for (;;) {
        int raw = 0;
        pid_t done = waitpid(pid, &raw, WNOHANG);
        if (done == pid) {
            *endedAtMs = steadyMs();
            *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
            pid = -1;
            return true;
        }
        if (steadyMs() > deadline) {
            return false;
        }
        usleep(1000);
    }
}

std::string CGameProcess::output() const {
    return readFile(outputPath);
}

bool loadPicture(const std::string& path, CPicture* picture) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        return false;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (argb == nullptr) {
        return false;
    }
    picture->w = argb->w;
    picture->h = argb->h;
    picture->pixels.resize(static_cast<size_t>(argb->w) * argb->h);
    for (int y = 0; y < argb->h; ++y) {
        std::memcpy(&picture->pixels[static_cast<size_t>(y) * argb->w],
                    static_cast<const Uint8*>(argb->pixels) + y * argb->pitch,
                    static_cast<size_t>(argb->w) * 4);
    }
    SDL_FreeSurface(argb);
    return true;
}

bool nearColour(Uint32 a, Uint32 b, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        int difference =
            static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance) {
            return false;
        }
    }
    return true;
}
