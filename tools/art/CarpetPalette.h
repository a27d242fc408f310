// The carpet's dyes and the layout of one rug: its fringes, bindings, border bands and field.
#pragma once

#include "Carpet.h"
#include "Paint.h"

namespace art {

// Every text the game writes lands on the carpet somewhere as it scrolls: the HUD in light blue
// and, when time is up with frozen jets, the time and "Clear your Jets!" in dark red. So the dyes
// keep to middle tones, lighter than the red and darker than the blue, in hues far from both:
// olive, spruce, tobacco and ochre carry the large areas, the darkest wool only thin outlines,
// and madder, faded to rose, only the hearts of small flowers.
inline const Rgb kFloor = rgb255(112, 102, 80);
inline const Rgb kOlive = rgb255(108, 116, 60);
inline const Rgb kSpruce = rgb255(70, 122, 86);
inline const Rgb kTobacco = rgb255(134, 106, 64);
inline const Rgb kOchre = rgb255(158, 118, 52);
inline const Rgb kWheat = rgb255(142, 128, 94);
inline const Rgb kSage = rgb255(114, 128, 96);
inline const Rgb kCamel = rgb255(136, 112, 72);
inline const Rgb kUmber = rgb255(124, 108, 74);
inline const Rgb kRose = rgb255(170, 92, 80);
inline const Rgb kWoolInk = rgb255(62, 54, 36);

// One rug fills one tile; its neighbours lie edge to edge with it.
constexpr double kFringe = 32;    // loose warp threads at each short end
constexpr double kKilimBand = 16; // flat-woven strip before the pile starts
constexpr double kPileLeft = kFringe + kKilimBand;
constexpr double kPileTop = 8; // the bound edge along the long sides
constexpr double kPileRight = kTileWidth - kPileLeft;
constexpr double kPileBottom = kTileHeight - kPileTop;
// Border bands, measured inwards from the edge of the pile.
constexpr double kOuterGuard = 20;
constexpr double kMainBorder = 104;
constexpr double kInnerGuard = 22;
constexpr double kFieldInset = kOuterGuard + kMainBorder + kInnerGuard;

} // namespace art
