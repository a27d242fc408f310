// When things happen in the crash: the sheet's frame clock and the moments the explosions are
// heard.
#pragma once

namespace art {

constexpr int kCrashFrameSize = 152;
constexpr int kCrashColumns = 6;
constexpr int kCrashRows = 8;
constexpr int kCrashFrames = kCrashColumns * kCrashRows;
// Each frame is shown for three game frames at 50 per second.
constexpr double kCrashFrameTime = 0.06;
// Where the ship's top-left sits inside a frame, so the frame is centred on it.
constexpr double kCrashShipX = 30.0;
constexpr double kCrashShipY = 25.0;
constexpr double kCrashCentreX = 76.0;
constexpr double kCrashCentreY = 75.5;

// The bangs the player hears, and the moment the falling wreck hits the carpet.
constexpr double kBlastTimes[4] = {0.06, 0.54, 0.66, 1.08};
constexpr double kImpactTime = 2.2;
// The last frame stays on the carpet, so every wisp of smoke is gone by then.
constexpr double kSmokeGoneTime = (kCrashFrames - 1) * kCrashFrameTime - 0.03;

} // namespace art
