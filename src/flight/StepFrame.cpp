// StepFrame.cpp -- one frame of the flight: the clock, the state machine, and the drawing order.
#include "flight/Drift.h"
#include "shell/Channels.h"
#include "shell/Game.h"

#include <cstdlib>

int driftX = 0;
int driftY = 0;

namespace {

// A random drift in -3..4 for the carpet after the flight; the x draw comes first.
void drawDrift() {
    driftX = 4 - std::rand() % 8;
    driftY = 4 - std::rand() % 8;
}

} // namespace

void CGame::clearScreen() {
    // Bars beside a scene scaled to a screen of another shape are black; within the scene the
    // grey shows only where there is no carpet to cover every pixel of it.
    int w = 0;
    int h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    if (w * SCREEN_H != h * SCREEN_W) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
    }
    if (background.texture == nullptr) {
        SDL_SetRenderDrawColor(renderer, BACKDROP_COLOR.r, BACKDROP_COLOR.g, BACKDROP_COLOR.b, 255);
        SDL_RenderFillRect(renderer, nullptr);
    }
}

void CGame::stepFrame() {
    clearScreen();

    int frozenJets = 0;
    if (state > Flying) {
        // After the flight the clock stands still and the carpet drifts by the thrust as stored.
        frozenJets = driftBackground(thrustX, thrustY);
    } else {
        // Single-precision values advanced in double precision, then stored back: the flight's
        // timeline depends on these exact roundings.
        timeLeft = static_cast<float>(timeLeft - FRAME_SECONDS);
        if (timeLeft < 0) {
            timeLeft = 0;
        } else if (timeLeft <= 98) {
            state = Flying;
        } else if (timeLeft > 100) {
            state = Waiting;
        } else if (state <= Waiting && Mix_Playing(ROAR_CHANNEL) == 0) {
            Mix_FadeInChannelTimed(ROAR_CHANNEL, sndThrustRoar, 0, 200, -1);
            seqFrame = ARRIVAL_FIRST_CALL;
            boostSheet.currentFrame = ARRIVAL_FIRST_FRAME;
            state = LaunchIn;
            driftX = 0;
            driftY = 0;
        }
        speedFactor = static_cast<float>(speedFactor + 0.0004);
        frozenJets = driftBackground(static_cast<int>(thrustX * speedFactor),
                                     static_cast<int>(thrustY * speedFactor));
    }

    renderHud();

    if (state == Flying) {
        spawnFireball();
        updateFireballs();
        warningActive = false;
        // A jet frozen by this frame's fireballs only counts from the next frame.
        if (frozenJets > 7) {
            state = Crashing;
            seqFrame = 0;
            drawDrift();
            thrustX = driftX;
            thrustY = driftY;
        } else if (timeLeft <= 0 && frozenJets == 0) {
            Mix_PlayChannelTimed(ROAR_CHANNEL, sndThrustRoar, 0, -1);
            state = LaunchOut;
            drawDrift();
            boostSheet.currentFrame = 0;
            seqFrame = 0;
            thrustX = driftX;
            thrustY = driftY;
            boostRect.x = ship.rect.x;
            boostRect.y = ship.rect.y;
        } else if (timeLeft <= 0) {
            warningActive = true;
        }
    }

    if (state == Finished) {
        // The wreck stays on its spot of the carpet while it is on screen and the jets stay
        // frozen; after a launch-away nothing is frozen and it is never drawn.
        if (crashRect.x > -crashRect.w && frozenJets > 7) {
            playCrash();
        }
        updateAliens();
        renderEndOfFlight(frozenJets > 7);
        return;
    }

    switch (state) {
    case LaunchOut:
        playLaunch(true);
        break;
    case Crashing:
        playCrash();
        break;
    case LaunchIn:
        playLaunch(false);
        break;
    case Settled:
    case Flying:
        ship.render(renderer);
        renderThrusters();
        break;
    default:
        return;
    }

    if (state > Settled) {
        updateAliens();
    }
}
