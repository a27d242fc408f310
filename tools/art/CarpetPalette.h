// The carpet's dyes and the layout of one rug: its fringes, bindings, border bands and field.
#pragma once

#include "Paint.h"

namespace art {

// Deep, warm, muted dyes: the sprites and the blue score text must stay easy to see on them.
inline const Rgb kFloor = rgb255(30, 20, 17);
inline const Rgb kMadder = rgb255(118, 30, 34);
inline const Rgb kMadderDeep = rgb255(78, 18, 24);
inline const Rgb kIndigo = rgb255(28, 34, 66);
inline const Rgb kIndigoLight = rgb255(50, 62, 104);
inline const Rgb kSaffron = rgb255(176, 128, 54);
inline const Rgb kIvory = rgb255(172, 152, 116);
inline const Rgb kTealDye = rgb255(34, 90, 84);
inline const Rgb kRust = rgb255(150, 66, 38);
inline const Rgb kWalnut = rgb255(54, 32, 26);
inline const Rgb kWoolInk = rgb255(30, 16, 16);

// One rug fills one tile; its neighbours lie edge to edge with it.
constexpr double kFringe = 32;    // loose warp threads at each short end
constexpr double kKilimBand = 16; // flat-woven strip before the pile starts
constexpr double kPileLeft = kFringe + kKilimBand;
constexpr double kPileTop = 8; // the bound edge along the long sides
constexpr double kPileRight = 3200 - kPileLeft;
constexpr double kPileBottom = 1328 - 8;
// Border bands, measured inwards from the edge of the pile.
constexpr double kOuterGuard = 20;
constexpr double kMainBorder = 104;
constexpr double kInnerGuard = 22;
constexpr double kFieldInset = kOuterGuard + kMainBorder + kInnerGuard;

} // namespace art
