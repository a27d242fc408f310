// When things happen in the crash: the sheet's frame clock and the moments the explosions are
// heard, all counted from the game's own timeline (shared/GameFacts.h).
#pragma once

#include "Ship.h"
#include "shared/GameFacts.h"

namespace art {

constexpr double kCrashFrameTime = FRAMES_PER_CRASH_FRAME * FRAME_SECONDS;
// The game centres the sheet's frame on the ship, cutting the half-pixel.
constexpr double kCrashShipX = (CRASH_FRAME_SIZE - kShipWidth) / 2;
constexpr double kCrashShipY = (CRASH_FRAME_SIZE - kShipHeight) / 2;
constexpr double kCrashCentreX = kCrashShipX + kShipWidth / 2.0;
constexpr double kCrashCentreY = kCrashShipY + kShipHeight / 2.0;

// The bangs the player hears: the call that plays one is the last of a sheet frame, so its blast
// shows from the next frame on.
constexpr double kBlastTimes[4] = {
    CRASH_EXPLOSION_CALLS[0] * FRAME_SECONDS, CRASH_EXPLOSION_CALLS[1] * FRAME_SECONDS,
    CRASH_EXPLOSION_CALLS[2] * FRAME_SECONDS, CRASH_EXPLOSION_CALLS[3] * FRAME_SECONDS};
// The wreck hits the carpet with the crash sound; from the next call on it lies there, moving
// with the carpet.
constexpr double kImpactTime =
    (CRASH_FRAMES * FRAMES_PER_CRASH_FRAME - CRASH_SOUND_LEAD - 1) * FRAME_SECONDS;
// The last frame stays on the carpet, so every wisp of smoke is gone by then.
constexpr double kSmokeGoneTime = (CRASH_FRAMES - 1) * kCrashFrameTime - kCrashFrameTime / 2;

} // namespace art
