// VirtualDisplay.cpp -- Xvfb and the game started through the shell, screenshots, and the
// window-manager side of a close request.
#include "support/VirtualDisplay.h"

#include "support/GameFixture.h"

#include <SDL_image.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

// Xlib last: its macros (None, Status, Bool, ...) would trip up the headers above.
#ifdef VORLUSK_HAVE_XLIB
#include <X11/Xlib.h>
#endif

namespace {

constexpr double SERVER_READY_MS = 15000;

// A file's first line, or "" while it has none.
std::string firstLine(const std::string& path) {
    std::string text = readFile(path);
    size_t end = text.find('\n');
    return end == std::string::npos ? "" : text.substr(0, end);
}

} // namespace

double steadyMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

CVirtualDisplay::~CVirtualDisplay() {
    std::string game = firstLine(folder + "/game.pid");
    if (!game.empty()) {
        kill(std::atoi(game.c_str()), SIGKILL);
    }
    if (serverPid > 0) {
        kill(static_cast<pid_t>(serverPid), SIGTERM);
    }
}

bool CVirtualDisplay::start(std::string* reason, const std::string& size) {
    char made[] = "/tmp/vorlusk-window-XXXXXX";
    if (mkdtemp(made) == nullptr) {
        *reason = "cannot make a scratch folder";
        return false;
    }
    folder = made;
    // Given no display, Xvfb takes the first free number and writes it to descriptor 3 once it
    // accepts connections: no race with other servers, and no polling for its socket.
    CommandResult server =
        runCommand("Xvfb -displayfd 3 -screen 0 " + size + "x24 -nolisten tcp 3>'" + folder +
                   "/display' >'" + folder + "/xvfb.log' 2>&1 & echo $!");
    serverPid = std::atol(server.out.c_str());
    for (double deadline = steadyMs() + SERVER_READY_MS; steadyMs() < deadline;) {
        name = firstLine(folder + "/display");
        if (!name.empty()) {
            name = ":" + name;
            return true;
        }
        if (serverPid <= 0 || kill(static_cast<pid_t>(serverPid), 0) != 0) {
            break;
        }
        usleep(20000);
    }
    *reason = "Xvfb did not start: " + readFile(folder + "/xvfb.log");
    return false;
}

bool CVirtualDisplay::startGame() {
    // The test program itself runs on SDL's dummy drivers; the game must use the X server.
    return runCommand("cd '" VORLUSK_DATA_DIR "' && { DISPLAY=" + name +
                      " SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy '" VORLUSK_EXECUTABLE "' >'" +
                      folder + "/game.log' 2>&1 & echo $! >'" + folder + "/game.pid'; wait $!; " +
                      "echo $? >'" + folder + "/game.status'; } >/dev/null 2>&1 & true")
               .status == 0;
}

int CVirtualDisplay::run(const std::string& command) const {
    return runCommand("DISPLAY=" + name + " " + command).status;
}

std::string CVirtualDisplay::output(const std::string& command) const {
    return runCommand("DISPLAY=" + name + " " + command).out;
}

bool CVirtualDisplay::screenshot(CPicture* picture) {
    // Quality 10 is zlib level 1 without filters: a quarter of the default's time, which
    // matters on a busy machine while the game runs on.
    const std::string path = folder + "/shot.png";
    return run("import -window root -quality 10 'png:" + path + "'") == 0 &&
           loadPicture(path, picture);
}

unsigned long CVirtualDisplay::gameWindow() const {
    CommandResult found =
        runCommand("DISPLAY=" + name + " xdotool search --onlyvisible --name '^Vorlusk$'");
    return found.status == 0 ? std::strtoul(found.out.c_str(), nullptr, 10) : 0;
}

bool CVirtualDisplay::requestClose(unsigned long window, std::string* reason) const {
#ifdef VORLUSK_HAVE_XLIB
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr) {
        *reason = "cannot connect to " + name;
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

bool CVirtualDisplay::gameRunning() const {
    return firstLine(folder + "/game.status").empty();
}

bool CVirtualDisplay::waitForGame(double timeoutMs, int* status, double* endedAtMs) const {
    for (double deadline = steadyMs() + timeoutMs; steadyMs() < deadline; usleep(1000)) {
        std::string ended = firstLine(folder + "/game.status");
        if (!ended.empty()) {
            *endedAtMs = steadyMs();
            *status = std::atoi(ended.c_str());
            return true;
        }
    }
    return false;
}

std::string CVirtualDisplay::gameOutput() const {
    return readFile(folder + "/game.log");
}

bool loadPicture(const std::string& path, CPicture* picture) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    SDL_Surface* argb =
        loaded != nullptr ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
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
