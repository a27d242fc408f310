// Window.cpp -- the game's window: the whole screen in the desktop's own mode, or a window the
// player sizes; the 1280x720 scene scaled into either with black bars.
#include "shared/AssetNames.h"
#include "shell/Game.h"

#include <SDL_image.h>

namespace {

// The first window takes this share of the usable screen, so the desktop's panels and the
// window's frame still fit around it.
constexpr int FIRST_WINDOW_PERCENT = 90;
// A switch makes the window lose focus for a moment on some desktops; not a reason to pause.
constexpr Uint32 SWITCH_GRACE_MS = 500;
// A window being dragged to a new size sends many sizes; the last is saved once it rests.
constexpr Uint32 RESIZE_SAVE_DELAY_MS = 500;

SDL_Rect displayBounds(SDL_Window* window) {
    int index = window != nullptr ? SDL_GetWindowDisplayIndex(window) : 0;
    SDL_Rect bounds = {0, 0, SCREEN_W, SCREEN_H};
    if (SDL_GetDisplayBounds(index < 0 ? 0 : index, &bounds) != 0 || bounds.w <= 0 ||
        bounds.h <= 0) {
        bounds = {0, 0, SCREEN_W, SCREEN_H};
    }
    return bounds;
}

// The largest 16:9 window that fits comfortably in the usable part of the screen.
void firstWindowSize(SDL_Window* window, int* w, int* h) {
    SDL_Rect usable = displayBounds(window);
    int index = window != nullptr ? SDL_GetWindowDisplayIndex(window) : 0;
    SDL_Rect inner;
    if (SDL_GetDisplayUsableBounds(index < 0 ? 0 : index, &inner) == 0 && inner.w > 0 &&
        inner.h > 0) {
        usable = inner;
    }
    int maxW = usable.w * FIRST_WINDOW_PERCENT / 100;
    int maxH = usable.h * FIRST_WINDOW_PERCENT / 100;
    *w = maxW;
    *h = maxW * SCREEN_H / SCREEN_W;
    if (*h > maxH) {
        *h = maxH;
        *w = maxH * SCREEN_W / SCREEN_H;
    }
    *w = SDL_max(*w, WINDOW_MIN_W);
    *h = SDL_max(*h, WINDOW_MIN_H);
}

void windowedSize(const CSettings& settings, SDL_Window* window, int* w, int* h) {
    if (settings.windowW > 0 && settings.windowH > 0) {
        *w = settings.windowW;
        *h = settings.windowH;
        // A size kept from a larger screen is cut down to this one. A screen that is only
        // memory has no edges to fit.
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driver == nullptr ||
            (SDL_strcmp(driver, "dummy") != 0 && SDL_strcmp(driver, "offscreen") != 0)) {
            SDL_Rect bounds = displayBounds(window);
            *w = SDL_min(*w, SDL_max(bounds.w, WINDOW_MIN_W));
            *h = SDL_min(*h, SDL_max(bounds.h, WINDOW_MIN_H));
        }
    } else {
        firstWindowSize(window, w, h);
    }
}

void setIcon(SDL_Window* window) {
    // Only a touch of the desktop: without the file the window keeps the desktop's own icon.
    SDL_Surface* icon = IMG_Load(WINDOW_ICON);
    if (icon != nullptr) {
        SDL_SetWindowIcon(window, icon);
        SDL_FreeSurface(icon);
    }
}

} // namespace

bool CGame::openWindow() {
    // Full screen keeps the desktop's mode, and the window is made at the screen's own place and
    // size: without a window manager to enlarge it, one made at 1280x720 would stay that size in
    // a corner while SDL drew for the whole screen.
    SDL_Rect bounds = displayBounds(nullptr);
    Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
    int x = bounds.x;
    int y = bounds.y;
    int w = bounds.w;
    int h = bounds.h;
    if (settings.fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    } else {
        windowedSize(settings, nullptr, &w, &h);
        x = SDL_WINDOWPOS_CENTERED;
        y = SDL_WINDOWPOS_CENTERED;
    }
    window = SDL_CreateWindow("Vorlusk", x, y, w, h, flags);
    if (window == nullptr) {
        return false;
    }
    if (mode != Verifying) {
        SDL_SetWindowMinimumSize(window, WINDOW_MIN_W, WINDOW_MIN_H);
    }
    setIcon(window);
    SDL_ShowCursor(settings.fullscreen ? SDL_DISABLE : SDL_ENABLE);
    renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer == nullptr) {
        return false;
    }
    // The scene is scaled to fit the window, whole, with bars where the shapes differ.
    SDL_RenderSetLogicalSize(renderer, SCREEN_W, SCREEN_H);
    // Loading takes a second or two; a window left black that long looks broken.
    SDL_SetRenderDrawColor(renderer, BACKDROP_COLOR.r, BACKDROP_COLOR.g, BACKDROP_COLOR.b, 255);
    SDL_RenderClear(renderer);
    SDL_RenderPresent(renderer);
    return true;
}

void CGame::toggleFullscreen() {
    settings.fullscreen = !settings.fullscreen;
    focusGraceUntil = gameTicks() + SWITCH_GRACE_MS;
    if (settings.fullscreen) {
        // Placed over the whole screen first, for desktops with no window manager to do it.
        SDL_Rect bounds = displayBounds(window);
        SDL_SetWindowPosition(window, bounds.x, bounds.y);
        SDL_SetWindowSize(window, bounds.w, bounds.h);
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        int w = 0;
        int h = 0;
        windowedSize(settings, window, &w, &h);
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowSize(window, w, h);
        SDL_SetWindowPosition(window,
                              SDL_WINDOWPOS_CENTERED_DISPLAY(SDL_GetWindowDisplayIndex(window)),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(SDL_GetWindowDisplayIndex(window)));
    }
    SDL_ShowCursor(settings.fullscreen ? SDL_DISABLE : SDL_ENABLE);
    saveSettingsNow();
}

void CGame::windowResized() {
    if (settings.fullscreen || window == nullptr ||
        (SDL_GetWindowFlags(window) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED)) != 0) {
        return;
    }
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window, &w, &h);
    if (w == settings.windowW && h == settings.windowH) {
        return;
    }
    settings.windowW = SDL_clamp(w, WINDOW_MIN_W, WINDOW_MAX_SIDE);
    settings.windowH = SDL_clamp(h, WINDOW_MIN_H, WINDOW_MAX_SIDE);
    settingsDirty = true;
    settingsDueTicks = gameTicks() + RESIZE_SAVE_DELAY_MS;
}

void CGame::saveSettingsNow() {
    settingsDirty = false;
    saveSettings(settings, &settingsComplaint);
}

void CGame::saveSettingsWhenDue() {
    if (settingsDirty && gameTicks() >= settingsDueTicks) {
        saveSettingsNow();
    }
}
