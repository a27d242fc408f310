// Checks the drawn images as the game will read them: formats, sizes, see-through corners, the
// carpet's seamless repeat, and the sheets' frames lining up with the ship sprite.
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Image {
    int w = 0;
    int h = 0;
    std::vector<std::uint8_t> rgba; // four bytes a pixel, R G B A, row after row

    const std::uint8_t* at(int x, int y) const { return &rgba[(std::size_t(y) * w + x) * 4]; }
    int alpha(int x, int y) const { return at(x, y)[3]; }
};

Image load(const std::string& path) {
    Image image;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        ADD_FAILURE() << path << ": " << IMG_GetError();
        return image;
    }
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    image.w = s->w;
    image.h = s->h;
    image.rgba.resize(std::size_t(s->w) * s->h * 4);
    for (int y = 0; y < s->h; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(s->pixels) + std::size_t(y) * s->pitch;
        std::copy(row, row + s->w * 4, image.rgba.begin() + std::size_t(y) * s->w * 4);
    }
    SDL_FreeSurface(s);
    return image;
}

std::vector<std::uint8_t> firstBytes(const std::string& path, std::size_t n) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(n);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(n));
    bytes.resize(std::size_t(in.gcount()));
    return bytes;
}

bool isPng(const std::string& path) {
    const std::vector<std::uint8_t> magic = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return firstBytes(path, magic.size()) == magic;
}

bool isJpeg(const std::string& path) {
    return firstBytes(path, 3) == std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF};
}

const char* const kDirections[4] = {"RIGHT", "DOWN", "LEFT", "UP"};

std::string jetPath(int kind, int direction, int which) {
    const char* const stems[3] = {"Sprite_Sheet/Flames/Flames_", "Sprite_Sheet/Iced/Ice_",
                                  "Sprite_Sheet/Heal/Heal_"};
    return std::string(stems[kind]) + std::to_string(direction) + (which == 0 ? "A" : "B") + ".png";
}

struct Expected {
    std::string path;
    int w;
    int h;
};

std::vector<Expected> fixedSizeSprites() {
    std::vector<Expected> list = {{"Sprite_Sheet/SpaceShipB.png", 92, 101},
                                  {"Sprite_Sheet/Fireboost_Sprite_SheetB.png", 884, 303},
                                  {"Sprite_Sheet/Crash_Sprite_Sheet.png", 912, 1216}};
    for (int kind = 0; kind < 3; ++kind) {
        for (int d = 0; d < 4; ++d) {
            for (int w = 0; w < 2; ++w) {
                list.push_back({jetPath(kind, d, w), 92, 101});
            }
        }
    }
    return list;
}

// The middle of the visible pixels, weighted by how opaque they are.
void centroid(const Image& im, double& cx, double& cy) {
    double sum = 0;
    cx = cy = 0;
    for (int y = 0; y < im.h; ++y) {
        for (int x = 0; x < im.w; ++x) {
            sum += im.alpha(x, y);
            cx += double(x) * im.alpha(x, y);
            cy += double(y) * im.alpha(x, y);
        }
    }
    if (sum > 0) {
        cx /= sum;
        cy /= sum;
    }
}

} // namespace

// The game keys out every pixel equal to an image's top-left one, so that pixel must be clear.
TEST(ArtAssets, SpritesArePngsOfTheirSizesWithClearCorners) {
    std::vector<Expected> sprites = fixedSizeSprites();
    const Image alien = load("Sprite_Sheet/Alien/Alien_RIGHT.png");
    EXPECT_GE(alien.w, 48);
    EXPECT_LE(alien.w, 96);
    for (const char* d : kDirections) {
        // One species in four turns, and a fireball leaves from its alien's own rectangle.
        sprites.push_back(
            {std::string("Sprite_Sheet/Alien/Alien_") + d + ".png", alien.w, alien.h});
        sprites.push_back(
            {std::string("Sprite_Sheet/FireBall/Fireball_") + d + ".png", alien.w, alien.h});
    }
    for (const Expected& e : sprites) {
        SCOPED_TRACE(e.path);
        EXPECT_TRUE(isPng(e.path));
        const Image im = load(e.path);
        EXPECT_EQ(im.w, e.w);
        EXPECT_EQ(im.h, e.h);
        if (!im.rgba.empty()) {
            EXPECT_EQ(im.alpha(0, 0), 0);
        }
    }
}

TEST(ArtAssets, ImagesLeaveRoomForTheMusicInTheDataBudget) {
    std::uintmax_t total = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator("Sprite_Sheet")) {
        if (entry.is_regular_file()) {
            total += entry.file_size();
        }
    }
    EXPECT_LE(std::filesystem::file_size("Sprite_Sheet/BG_Carpet.jpg"), 4u << 20);
    EXPECT_LE(total, 6u << 20);
}

// The carpet scrolls and jumps back by 3200 columns or 1328 rows: the two sides of each jump
// must hold the same picture. The generator repeats its pixels exactly and JPEG keeps them
// identical, except in two places. Along the image's outermost column and row the decoder's
// colour upsampling has no neighbour beyond the edge and shifts a pixel by up to a quarter of
// the colour step there (measured: at most 20 levels, 0.002 on average over all pairs). Around
// the colour-key pixel, which is deliberately unlike its copies, its 16x16 block and the next
// colour samples change a little (measured: at most 17). Both stay within 32 levels.
TEST(ArtAssets, CarpetIsAJpegThatRepeatsWithTheScrollJumps) {
    const std::string path = "Sprite_Sheet/BG_Carpet.jpg";
    ASSERT_TRUE(isJpeg(path));
    const Image im = load(path);
    ASSERT_EQ(im.w, 4480);
    ASSERT_EQ(im.h, 2048);
    const int tolerance = 32;
    const int keyZone = 24;
    double sum = 0;
    long pairs = 0;
    int worstInside = 0;
    int worstEdge = 0;
    auto compare = [&](int x, int y, int x2, int y2) {
        if (x == 0 && y == 0) {
            return;
        }
        int d = 0;
        for (int c = 0; c < 3; ++c) {
            const int e = std::abs(int(im.at(x, y)[c]) - int(im.at(x2, y2)[c]));
            d = std::max(d, e);
            sum += e;
        }
        ++pairs;
        const bool edge =
            x == 0 || y == 0 || x2 == im.w - 1 || y2 == im.h - 1 || (x < keyZone && y < keyZone);
        (edge ? worstEdge : worstInside) = std::max(edge ? worstEdge : worstInside, d);
    };
    for (int y = 0; y < im.h; ++y) {
        for (int x = 0; x + 3200 < im.w; ++x) {
            compare(x, y, x + 3200, y);
        }
    }
    for (int y = 0; y + 1328 < im.h; ++y) {
        for (int x = 0; x < im.w; ++x) {
            compare(x, y, x, y + 1328);
        }
    }
    EXPECT_EQ(worstInside, 0);
    EXPECT_LE(worstEdge, tolerance);
    EXPECT_LT(sum / (3.0 * pairs), 0.01);
}

// The carpet's top-left pixel becomes its see-through colour over a grey screen; any other
// pixel of that colour would be a grey hole in the rug.
TEST(ArtAssets, CarpetKeyColourOccursOnlyInItsCorner) {
    const Image im = load("Sprite_Sheet/BG_Carpet.jpg");
    ASSERT_FALSE(im.rgba.empty());
    const std::uint8_t* key = im.at(0, 0);
    int matches = 0;
    for (int y = 0; y < im.h; ++y) {
        for (int x = 0; x < im.w; ++x) {
            const std::uint8_t* p = im.at(x, y);
            matches += p[0] == key[0] && p[1] == key[1] && p[2] == key[2];
        }
    }
    EXPECT_EQ(matches, 1);
}

namespace {

// The bars a patch of carpet must clear under each text. Light blue has a luminance of 0.49 and
// dark red 0.06, so no ground can be far from both in lightness: the carpet keeps to middle
// tones between them, and the rest is left to colour. The blue must give twice the light of its
// ground (luminance ratio with the usual 0.05 of flare), the red lie under a ground lighter than
// itself by a third of that ratio, and both differ from the ground by a plainly other colour.
constexpr double kBlueRatio = 2.0;
constexpr double kBlueDelta = 50;
constexpr double kRedRatio = 1.35;
constexpr double kRedDelta = 45;
// The share of patches that may fall short: those on the dark outlines of small ornaments, where
// a letter's stroke crosses a thin line and goes on. (The madder and indigo carpet that came
// before left 95% of itself under the red's bar and 1.5% under the blue's.)
constexpr double kStrayShare = 0.005;

// How a text colour stands out from the carpet under it, judged over blocks of 8x8 pixels, about
// the width of a letter's stroke: the luminance ratio in the sense the text needs (the blue HUD
// is lighter than its ground, the red warning darker; below 1 the ground has crossed over) and
// the CIE76 colour difference, which is what lets the dark red read by its hue.
struct TextOnCarpet {
    std::vector<double> ratio;
    std::vector<double> delta;
};

double linear(double channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const double rgb[3]) {
    return 0.2126 * linear(rgb[0]) + 0.7152 * linear(rgb[1]) + 0.0722 * linear(rgb[2]);
}

void toLab(const double rgb[3], double lab[3]) {
    const double r = linear(rgb[0]);
    const double g = linear(rgb[1]);
    const double b = linear(rgb[2]);
    const double xyz[3] = {(0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047,
                           0.2126 * r + 0.7152 * g + 0.0722 * b,
                           (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883};
    double f[3];
    for (int i = 0; i < 3; ++i) {
        f[i] = xyz[i] > 216.0 / 24389.0 ? std::cbrt(xyz[i]) : (24389.0 / 27.0 * xyz[i] + 16) / 116;
    }
    lab[0] = 116 * f[1] - 16;
    lab[1] = 500 * (f[0] - f[1]);
    lab[2] = 200 * (f[1] - f[2]);
}

TextOnCarpet textOnCarpet(const Image& im, const double text[3], bool lightText) {
    const int block = 8;
    const double textLum = luminance(text);
    double textLab[3];
    toLab(text, textLab);
    TextOnCarpet result;
    // One tile holds every picture the scrolling can bring under a text.
    for (int by = 0; by + block <= 1328; by += block) {
        for (int bx = 0; bx + block <= 3200; bx += block) {
            double mean[3] = {0, 0, 0};
            for (int y = by; y < by + block; ++y) {
                for (int x = bx; x < bx + block; ++x) {
                    for (int c = 0; c < 3; ++c) {
                        mean[c] += im.at(x, y)[c] / double(block * block);
                    }
                }
            }
            const double groundLum = luminance(mean);
            result.ratio.push_back(lightText ? (textLum + 0.05) / (groundLum + 0.05)
                                             : (groundLum + 0.05) / (textLum + 0.05));
            double lab[3];
            toLab(mean, lab);
            result.delta.push_back(
                std::hypot(lab[0] - textLab[0], lab[1] - textLab[1], lab[2] - textLab[2]));
        }
    }
    return result;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::size_t(p * double(values.size() - 1))];
}

} // namespace

// The HUD writes in light blue, and when time is up with frozen jets the time and the blinking
// "Clear your Jets!" turn dark red; both are drawn straight onto whatever part of the carpet has
// scrolled beneath them. Both must stand out everywhere but on a few stray blocks: the blue a
// clear step lighter than its ground, the red a step darker, and both far from its colour.
TEST(ArtAssets, CarpetLetsTheHudAndTheJetWarningRead) {
    const Image im = load("Sprite_Sheet/BG_Carpet.jpg");
    ASSERT_EQ(im.w, 4480);
    struct Ink {
        const char* name;
        double rgb[3];
        bool light;
        double minRatio;
        double minDelta;
    };
    const Ink inks[2] = {{"HUD light blue", {82, 197, 255}, true, kBlueRatio, kBlueDelta},
                         {"warning dark red", {144, 0, 0}, false, kRedRatio, kRedDelta}};
    for (const Ink& ink : inks) {
        SCOPED_TRACE(ink.name);
        const TextOnCarpet t = textOnCarpet(im, ink.rgb, ink.light);
        std::size_t poor = 0;
        for (std::size_t i = 0; i < t.ratio.size(); ++i) {
            poor += t.ratio[i] < ink.minRatio || t.delta[i] < ink.minDelta;
        }
        std::printf("[ carpet   ] %s: ratio worst 1%% %.2f, median %.2f; dE worst 1%% %.1f, "
                    "median %.1f; blocks under the bar %.3f%%\n",
                    ink.name, percentile(t.ratio, 0.01), percentile(t.ratio, 0.5),
                    percentile(t.delta, 0.01), percentile(t.delta, 0.5),
                    100.0 * double(poor) / double(t.ratio.size()));
        EXPECT_LE(double(poor), kStrayShare * double(t.ratio.size()));
    }
}

// The arrival ends on the ship sprite and the launch starts from it: every boost frame must
// carry the same ship, with the flame growing behind it (to its right).
TEST(ArtAssets, BoostFramesCarryTheShipAndAGrowingFlame) {
    const Image ship = load("Sprite_Sheet/SpaceShipB.png");
    const Image sheet = load("Sprite_Sheet/Fireboost_Sprite_SheetB.png");
    ASSERT_EQ(sheet.w, 4 * 221);
    ASSERT_EQ(sheet.h, 3 * 101);
    std::vector<int> flame;
    for (int f = 0; f < 12; ++f) {
        const int ox = (f % 4) * 221;
        const int oy = (f / 4) * 101;
        int mismatched = 0;
        for (int y = 0; y < 101; ++y) {
            for (int x = 0; x < 92; ++x) {
                if (ship.alpha(x, y) == 255) {
                    mismatched +=
                        !std::equal(ship.at(x, y), ship.at(x, y) + 4, sheet.at(ox + x, oy + y));
                }
            }
        }
        EXPECT_EQ(mismatched, 0) << "frame " << f;
        int visible = 0;
        for (int y = 0; y < 101; ++y) {
            for (int x = 92; x < 221; ++x) {
                visible += sheet.alpha(ox + x, oy + y) > 64;
            }
        }
        flame.push_back(visible);
    }
    EXPECT_LT(flame[0], flame[5]);
    EXPECT_LT(flame[5], flame[11]);
}

// Each jet image shows its one jet in the ship's margin on its own side: thrust right blows
// out on the left, down on top, left on the right, up underneath; A is the upper or left one.
TEST(ArtAssets, JetsSitOnTheirOwnSideOfTheShip) {
    for (int kind = 0; kind < 3; ++kind) {
        for (int d = 0; d < 4; ++d) {
            double cx[2] = {0, 0};
            double cy[2] = {0, 0};
            for (int w = 0; w < 2; ++w) {
                SCOPED_TRACE(jetPath(kind, d, w));
                const Image im = load(jetPath(kind, d, w));
                ASSERT_FALSE(im.rgba.empty());
                centroid(im, cx[w], cy[w]);
                // Nothing of it may stray past a quarter of the ship from its own edge.
                for (int y = 0; y < im.h; ++y) {
                    for (int x = 0; x < im.w; ++x) {
                        if (im.alpha(x, y) == 0) {
                            continue;
                        }
                        const bool onSide = d == 0   ? x < 30
                                            : d == 1 ? y < 32
                                            : d == 2 ? x > 61
                                                     : y > 68;
                        ASSERT_TRUE(onSide) << "pixel " << x << "," << y;
                    }
                }
            }
            SCOPED_TRACE(jetPath(kind, d, 0));
            if (d % 2 == 0) {
                EXPECT_LT(cy[0], 50.5);
                EXPECT_GT(cy[1], 50.5);
            } else {
                EXPECT_LT(cx[0], 46.0);
                EXPECT_GT(cx[1], 46.0);
            }
        }
    }
}

// A fireball's hot core must lie in the middle half of its image, where the game tests hits,
// and its flame must trail behind it.
TEST(ArtAssets, FireballsCarryTheirCoreInTheHitBoxAndTrailFlame) {
    const int dx[4] = {1, 0, -1, 0};
    const int dy[4] = {0, 1, 0, -1};
    for (int i = 0; i < 4; ++i) {
        const std::string path =
            std::string("Sprite_Sheet/FireBall/Fireball_") + kDirections[i] + ".png";
        SCOPED_TRACE(path);
        const Image im = load(path);
        ASSERT_FALSE(im.rgba.empty());
        double hx = 0;
        double hy = 0;
        int hot = 0;
        for (int y = 0; y < im.h; ++y) {
            for (int x = 0; x < im.w; ++x) {
                const std::uint8_t* p = im.at(x, y);
                if (p[3] == 255 && p[0] > 245 && p[1] > 235 && p[2] > 150) {
                    EXPECT_GE(x, im.w / 4);
                    EXPECT_LT(x, 3 * im.w / 4);
                    EXPECT_GE(y, im.h / 4);
                    EXPECT_LT(y, 3 * im.h / 4);
                    hx += x;
                    hy += y;
                    ++hot;
                }
            }
        }
        ASSERT_GT(hot, 20);
        hx /= hot;
        hy /= hot;
        double cx = 0;
        double cy = 0;
        centroid(im, cx, cy);
        EXPECT_LT((cx - hx) * dx[i] + (cy - hy) * dy[i], -3.0);
    }
}

// The crash sheet's frames fade out before their borders, begin with the ship where the game
// put it, and end with a cold wreck that stays on the carpet.
TEST(ArtAssets, CrashFramesStartOnTheShipAndEndCold) {
    const Image sheet = load("Sprite_Sheet/Crash_Sprite_Sheet.png");
    const Image ship = load("Sprite_Sheet/SpaceShipB.png");
    ASSERT_EQ(sheet.w, 6 * 152);
    ASSERT_EQ(sheet.h, 8 * 152);
    for (int f = 0; f < 48; ++f) {
        const int ox = (f % 6) * 152;
        const int oy = (f / 6) * 152;
        int border = 0;
        for (int i = 0; i < 152; ++i) {
            border += sheet.alpha(ox + i, oy) + sheet.alpha(ox + i, oy + 151) +
                      sheet.alpha(ox, oy + i) + sheet.alpha(ox + 151, oy + i);
        }
        EXPECT_EQ(border, 0) << "frame " << f;
    }
    int covered = 0;
    int hull = 0;
    for (int y = 0; y < 101; ++y) {
        for (int x = 0; x < 92; ++x) {
            if (ship.alpha(x, y) == 255) {
                ++hull;
                covered += sheet.alpha(30 + x, 25 + y) == 255;
            }
        }
    }
    EXPECT_GT(covered, hull * 95 / 100);
    const int ox = (47 % 6) * 152;
    const int oy = (47 / 6) * 152;
    int wreck = 0;
    int glowing = 0;
    for (int y = 0; y < 152; ++y) {
        for (int x = 0; x < 152; ++x) {
            const std::uint8_t* p = sheet.at(ox + x, oy + y);
            wreck += p[3] > 128;
            glowing += p[3] > 64 && p[0] > 180 && p[0] > p[2] + 60;
        }
    }
    EXPECT_GT(wreck, 1500);
    EXPECT_EQ(glowing, 0);
}
