// VirtualDisplay.h -- a private X server (Xvfb) and the real game started on it, for tests that
// look at the game's window as a player sees it.
#pragma once

#include <SDL.h>
#include <string>
#include <vector>

// Milliseconds on a steady clock, for deadlines and for timing how fast the game exits.
double steadyMs();

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

// An Xvfb (1280x720x24 unless asked otherwise) on a display number nobody else uses, and the
// real game on it, started from data/ with silent audio and the test's own home; both are ended
// with the object.
class CVirtualDisplay {
  public:
    ~CVirtualDisplay();

    // Returns once the server accepts connections; on failure `reason` says why.
    bool start(std::string* reason, const std::string& size = "1280x720");
    bool startGame();

    // Runs a shell command with DISPLAY set to this screen; returns its exit status.
    int run(const std::string& command) const;
    // The same, for its standard output.
    std::string output(const std::string& command) const;
    // The whole screen, through ImageMagick's import.
    bool screenshot(CPicture* picture);
    // The id of the game's viewable window, or 0.
    unsigned long gameWindow() const;
    // Asks `window` to close as a window manager does: a WM_PROTOCOLS ClientMessage carrying
    // WM_DELETE_WINDOW. False (with `reason`) when this build has no Xlib or the send fails.
    bool requestClose(unsigned long window, std::string* reason) const;

    bool gameRunning() const;
    // Waits up to `timeoutMs` for the game to end; its exit status and the steadyMs() it was
    // seen gone.
    bool waitForGame(double timeoutMs, int* status, double* endedAtMs) const;
    std::string gameOutput() const;

    // Where the screenshots and logs are kept; left in place when a test failed.
    std::string folder;

  private:
    std::string name;
    long serverPid = -1;
};
