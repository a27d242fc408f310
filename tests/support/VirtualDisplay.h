// VirtualDisplay.h -- a private X server (Xvfb) and the real game started on it, for tests that
// look at the game's window as a player sees it.
#pragma once

#include <SDL.h>
#include <string>
#include <sys/types.h>
#include <vector>

// Milliseconds on a steady clock, for deadlines and for timing how fast the game exits.
double steadyMs();

// True when `program` is an executable file in one of PATH's folders.
bool onPath(const std::string& program);

// True when this build can talk to the X server itself (Xlib was found at configure time).
bool hasXlib();

// An Xvfb of its own on a display number nobody else uses, torn down with the object.
class CVirtualDisplay {
  public:
    ~CVirtualDisplay();

    // Starts a 1280x720x24 screen and returns once it accepts connections. On failure `reason`
    // says why (no Xvfb installed, the server died, ...).
    bool start(std::string* reason);

    // ":N", for DISPLAY.
    const std::string& name() const { return displayName; }

    // Runs a shell command with DISPLAY set to this screen; returns its exit status.
    int run(const std::string& command) const;

    // Saves the whole screen to `path` as PNG with ImageMagick's import.
    bool screenshot(const std::string& path) const;

    // The id of the viewable top-level window whose title is `title`, or 0.
    unsigned long findWindow(const std::string& title) const;

    // Asks `window` to close as a window manager does: a WM_PROTOCOLS ClientMessage carrying
    // WM_DELETE_WINDOW. False (with `reason`) when this build has no Xlib or the send fails.
    bool requestClose(unsigned long window, std::string* reason) const;

  private:
    bool launch(std::string* reason);

    pid_t serverPid = -1;
    std::string displayName;
    std::string logPath;
};

// The real game executable, started from data/ on a given display with silent audio.
class CGameProcess {
  public:
    ~CGameProcess();

    bool start(const std::string& display);

    // Waits up to `timeoutMs` for the process to end. True when it did; `status` gets its exit
    // status (-1 when a signal ended it) and `endedAtMs` the steadyMs() it was seen gone.
    bool waitForExit(double timeoutMs, int* status, double* endedAtMs);

    bool running() const { return pid > 0; }

    // What the game printed, for failure messages.
    std::string output() const;

  private:
    pid_t pid = -1;
    std::string outputPath;
};

// A picture as 0xAARRGGBB values, row by row.
struct CPicture {
    int w = 0;
    int h = 0;
    std::vector<Uint32> pixels;

    Uint32 at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
};

// Loads any image SDL_image reads (PNG screenshots, the game's own art) into a CPicture.
bool loadPicture(const std::string& path, CPicture* picture);

// True when every colour channel of `a` is within `tolerance` of `b`'s (alpha ignored).
bool nearColour(Uint32 a, Uint32 b, int tolerance);
