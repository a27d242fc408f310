// ArtAssetsTest.cpp -- the drawn images as the game reads them: files and sizes, what its colour
// key leaves of each sprite, the sheets' grids, the carpet's wrap, weave and motif spacing, and how
// the texts, aliens and fireballs stand out from the carpet.
#include "shared/AssetNames.h"
#include "shared/GameFacts.h"
#include "sprites/LoadImage.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Image {
    int w = 0, h = 0;
    std::vector<Uint8> rgba; // as stored: R G B A, row after row
    int keyedVisible = 0;    // pixels with alpha above 8 that the game's colour key erases
    const Uint8* at(int x, int y) const { return &rgba[(std::size_t(y) * w + x) * 4]; }
    int alpha(int x, int y) const { return at(x, y)[3]; }
};

// Reads an image, and keys a copy exactly as the game does (its own key, then SDL's conversion
// to a texture's format) to count the visible pixels the key erases.
Image load(const std::string& path) {
    Image im;
    SDL_Surface* file = IMG_Load(path.c_str());
    if (file == nullptr) {
        ADD_FAILURE() << path << ": " << IMG_GetError();
        return im;
    }
    SDL_Surface* plain = SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_RGBA32, 0);
    Uint32 key = 0;
    if (colorKeyOf(file, &key)) {
        SDL_SetColorKey(file, SDL_TRUE, key);
    }
    SDL_Surface* keyed = SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_RGBA32, 0);
    im.w = plain->w;
    im.h = plain->h;
    for (int i = 0; i < im.w * im.h * 4; ++i) { // both copies have the same layout
        const int at = i / 4 / im.w * plain->pitch + i % (im.w * 4);
        im.rgba.push_back(static_cast<const Uint8*>(plain->pixels)[at]);
        im.keyedVisible +=
            i % 4 == 3 && im.rgba.back() > 8 && static_cast<const Uint8*>(keyed->pixels)[at] == 0;
    }
    for (SDL_Surface* s : {keyed, plain, file}) {
        SDL_FreeSurface(s);
    }
    return im;
}

// Jet i of 24: kind i / 8 (flames, ice, heal), thrust direction i / 2 % 4, A or B by i % 2.
std::string jetPath(int i) {
    return std::string(JET_IMAGE_PREFIX[i / 8]) + JET_DIRECTION_DIGIT[i / 2 % 4] +
           JET_IMAGE_SUFFIX[i % 2];
}

std::string creaturePath(bool fireball, int d) {
    return std::string(fireball ? FIREBALL_IMAGE_PREFIX : ALIEN_IMAGE_PREFIX) +
           DIRECTION_IMAGE_SUFFIX[d];
}

// Where the pixels that `pick(x, y, rgba)` chooses lie on average, how many there are, and
// their mean colour.
struct Spot {
    double x = 0, y = 0, rgb[3] = {0, 0, 0};
    int n = 0;
};
template <class Pick> Spot spotOf(const Image& im, Pick pick) {
    Spot s;
    for (int i = 0; i < im.w * im.h; ++i) {
        if (pick(i % im.w, i / im.w, &im.rgba[std::size_t(i) * 4])) {
            s.x += i % im.w;
            s.y += i / im.w;
            for (int c = 0; c < 3; ++c) {
                s.rgb[c] += im.rgba[std::size_t(i) * 4 + c];
            }
            ++s.n;
        }
    }
    for (double* v : {&s.x, &s.y, &s.rgb[0], &s.rgb[1], &s.rgb[2]}) {
        *v /= std::max(s.n, 1);
    }
    return s;
}

// Returns the relative luminance of an sRGB colour, and gives its CIE L*a*b*.
double toLab(const double rgb[3], double lab[3]) {
    double v[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = rgb[i] <= 10.31 ? rgb[i] / 3294.6 : std::pow((rgb[i] / 255.0 + 0.055) / 1.055, 2.4);
    }
    const double r = v[0], g = v[1], b = v[2];
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
    return xyz[1];
}

// How a colour stands out from the carpet, judged on every block of 8x8 pixels of one wrap
// period (all the scrolling can bring under it), about a stroke's or a limb's width: returns the
// share of blocks under either bar, the luminance ratio in the sense asked (+1 lighter than the
// ground, -1 darker, 0 either, with the usual 0.05 of flare) or the CIE76 difference.
double shareBelow(const Image& carpet, const char* name, const double colour[3], int sense,
                  double minRatio, double minDelta) {
    double lab[3], poor = 0;
    const double lum = toLab(colour, lab);
    std::vector<double> ratios, deltas;
    for (int i = 0; i < CARPET_PERIOD_X * CARPET_PERIOD_Y / 64; ++i) {
        const int bx = i % (CARPET_PERIOD_X / 8) * 8, by = i / (CARPET_PERIOD_X / 8) * 8;
        double mean[3] = {0, 0, 0}, ground[3];
        for (int k = 0; k < 64 * 3; ++k) {
            mean[k % 3] += carpet.at(bx + k / 3 % 8, by + k / 24)[k % 3] / 64.0;
        }
        const double up = (lum + 0.05) / (toLab(mean, ground) + 0.05);
        ratios.push_back(sense > 0 ? up : sense < 0 ? 1 / up : std::max(up, 1 / up));
        deltas.push_back(std::hypot(lab[0] - ground[0], lab[1] - ground[1], lab[2] - ground[2]));
        poor += ratios.back() < minRatio || deltas.back() < minDelta;
    }
    const std::size_t worst = ratios.size() / 100;
    std::nth_element(ratios.begin(), ratios.begin() + worst, ratios.end());
    std::nth_element(deltas.begin(), deltas.begin() + worst, deltas.end());
    std::printf("[ carpet   ] %s, worst 1%% of blocks: ratio %.2f, dE %.1f; under the bar %.2f%%\n",
                name, ratios[worst], deltas[worst], 100 * poor / double(ratios.size()));
    return poor / double(ratios.size());
}

// How much of the carpet's fine texture repeats itself `shift` pixels along a row or a column:
// the correlation of its luminance less the 7x7 mean around each pixel, over a stretch of the
// rug's field. A lattice of knots gives near 1 at its period; grain without one about 0.
double weaveEcho(const Image& carpet, int dx, int dy) {
    auto fine = [&](int x, int y) {
        double centre = 0, mean = 0;
        for (int i = 0; i < 49; ++i) {
            const Uint8* p = carpet.at(x + i % 7 - 3, y + i / 7 - 3);
            const double lum = 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2];
            mean += lum / 49;
            centre = i == 24 ? lum : centre;
        }
        return centre - mean;
    };
    double same = 0, shifted = 0;
    for (int y = 300; y < 1000; ++y) {
        for (int x = 400; x < 1600; ++x) {
            const double h = fine(x, y);
            same += h * h;
            shifted += h * fine(x + dx, y + dy);
        }
    }
    return shifted / same;
}

// How much of a band of 8 rows (or columns) of one wrap period repeats itself at one distance
// along it: its luminance less the mean of the 87 px around each pixel (which keeps every repeat
// under 44 px and drops the rug's large shapes), correlated with itself shifted by 2..43 px. The
// shifts before the correlation first turns up again only tell how wide a stroke is.
double bandEcho(const Image& carpet, bool alongRows, int band) {
    const int n = alongRows ? CARPET_PERIOD_X : CARPET_PERIOD_Y; // wraps: the period repeats
    std::vector<double> lum(n), fine(n + 44);
    double same[45] = {}, energy = 0;
    for (int a = band; a < band + 8; ++a) {
        double window = 0;
        for (int t = 0; t < n; ++t) {
            const Uint8* p = alongRows ? carpet.at(t, a) : carpet.at(a, t);
            lum[t] = 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2];
            window += t <= 43 || t >= n - 43 ? lum[t] : 0;
        }
        for (int t = 0; t < n + 44; ++t) {
            fine[t] = lum[t % n] - window / 87;
            window += lum[(t + 44) % n] - lum[(t + n - 43) % n];
        }
        for (int lag = 1; lag <= 44; ++lag) {
            for (int t = 0; t < n; ++t) {
                same[lag] += fine[t] * fine[t + lag];
            }
        }
        for (int t = 0; t < n; ++t) {
            energy += fine[t] * fine[t];
        }
    }
    int lobe = 1;
    while (lobe < 43 && same[lobe + 1] < same[lobe]) {
        ++lobe;
    }
    return *std::max_element(same + std::max(lobe, 2), same + 44) / energy;
}

} // namespace

// A missing file or a wrong size: a jet, fireball or sheet that would not fill the rectangle the
// game draws it in. And the colour key: the game keys out every pixel of a sprite's top-left
// colour whatever its alpha, so a shadow or dark paint of that colour, or a corner that is not
// clear, would vanish in play.
TEST(ArtAssets, EveryImageIsThereAtItsSizeAndTheKeyErasesNothingVisible) {
    const Image ship = load(SHIP_IMAGE);
    const Image alien = load(creaturePath(false, 0));
    EXPECT_EQ(ship.h, BOOST_FRAME_H); // the arrival hands over to the ship on the same rows
    auto expect = [](const std::string& path, int w, int h, bool keyed) {
        const Image im = load(path);
        EXPECT_TRUE(im.w == w && im.h == h) << path << " is " << im.w << "x" << im.h;
        EXPECT_TRUE(!keyed || im.keyedVisible == 0) << path << ": " << im.keyedVisible;
    };
    expect(SHIP_IMAGE, ship.w, ship.h, true);
    expect(BOOST_SHEET_IMAGE, BOOST_COLUMNS * BOOST_FRAME_W, BOOST_ROWS * BOOST_FRAME_H, true);
    expect(CRASH_SHEET_IMAGE, CRASH_COLUMNS * CRASH_FRAME_SIZE, CRASH_ROWS * CRASH_FRAME_SIZE,
           true);
    expect(CARPET_IMAGE, CARPET_W, CARPET_H, false); // drawn opaque
    for (int i = 0; i < 24; ++i) {
        expect(jetPath(i), ship.w, ship.h, true);
    }
    for (int d = 0; d < 8; ++d) { // one species in four turns; a fireball leaves its rectangle
        expect(creaturePath(d >= 4, d % 4), alien.w, alien.h, true);
    }
    for (int size : ICON_SIZES) { // the desktop's, not keyed
        expect(ICON_PREFIX + std::to_string(size) + ICON_SUFFIX, size, size, false);
    }
    std::uintmax_t total = 0; // room left for the music in the download
    for (const auto& entry : std::filesystem::recursive_directory_iterator(
             std::filesystem::path(SHIP_IMAGE).parent_path())) {
        total += entry.is_regular_file() ? entry.file_size() : 0;
    }
    EXPECT_LE(std::filesystem::file_size(CARPET_IMAGE), 4u << 20);
    EXPECT_LE(total, 6u << 20);
}

// The scroll jumps back by one period at the carpet's far edges, and the carpet scrolls by
// whole pixels, 7 to 21 a frame. The two sides of a jump must show the same picture: JPEG keeps
// repeated 16x16 blocks identical except along the outermost column and row, where its colour
// upsampling has no neighbour (measured: up to 20 levels). And a texture repeating every 2 or 4
// pixels would stand still at some speeds, flicker or creep backwards at others.
TEST(ArtAssets, TheCarpetWrapsInvisiblyAndItsWeaveCannotStrobe) {
    const Image im = load(CARPET_IMAGE);
    ASSERT_EQ(im.w, CARPET_W);
    int worst[2] = {0, 0}; // inside, on the outermost column or row
    for (int i = 0; i < im.w * im.h * 6; ++i) {
        const int x = i / 6 % im.w, y = i / 6 / im.w, c = i % 3;
        const int x2 = x + (i % 6 < 3 ? CARPET_PERIOD_X : 0);
        const int y2 = y + (i % 6 < 3 ? 0 : CARPET_PERIOD_Y);
        if (x2 < im.w && y2 < im.h) {
            int& w = worst[x == 0 || y == 0 || x2 == im.w - 1 || y2 == im.h - 1];
            w = std::max(w, std::abs(im.at(x, y)[c] - im.at(x2, y2)[c]));
        }
    }
    EXPECT_EQ(worst[0], 0);
    EXPECT_LE(worst[1], 32);
    for (int shift : {2, 4}) {
        const double x = weaveEcho(im, shift, 0), y = weaveEcho(im, 0, shift);
        std::printf("[ carpet   ] weave echo at %d px: along rows %.3f, columns %.3f\n", shift, x,
                    y);
        EXPECT_LT(std::max(x, y), 0.3) << shift << " px";
    }
}

// A printed motif repeating at under twice the scroll step (21 px) is sampled too coarsely from
// frame to frame: the eye pairs each dot with its neighbour and sees the row stand still or crawl
// backwards. So no band of the carpet, wherever it lies, may repeat itself at 2..43 px. The plain
// weave's bands echo about 0.01; the busiest, in the field (knots tying a thin diagonal line one
// cell after another) and at the fringes' loose ends, under 0.2. Evenly spaced, the border's dots
// gave 0.35, the stitching where two rugs meet 0.39, the fringes' threads 0.62 and tassels 0.91.
TEST(ArtAssets, NoBandOfTheCarpetRepeatsAtUnderTwiceTheScrollStep) {
    const Image im = load(CARPET_IMAGE);
    ASSERT_EQ(im.w, CARPET_W);
    std::vector<double> echoes;
    double peak = -1;
    int at = 0;
    for (int band = 0; band < CARPET_PERIOD_Y + CARPET_PERIOD_X; band += 8) {
        const bool rows = band < CARPET_PERIOD_Y;
        echoes.push_back(bandEcho(im, rows, rows ? band : band - CARPET_PERIOD_Y));
        at = echoes.back() > peak ? band : at;
        peak = std::max(peak, echoes.back());
    }
    std::nth_element(echoes.begin(), echoes.begin() + echoes.size() / 2, echoes.end());
    std::printf("[ carpet   ] band echo: middle %.2f, busiest %.2f (%s from %d)\n",
                echoes[echoes.size() / 2], peak, at < CARPET_PERIOD_Y ? "rows" : "columns",
                at < CARPET_PERIOD_Y ? at : at - CARPET_PERIOD_Y);
    EXPECT_LT(peak, 0.25);
}

// Every text is written straight onto whatever carpet lies beneath it: the light blue HUD a
// clear step lighter, the dark red warning a step darker, both plainly another colour, on all but
// a few blocks (thin dark outlines a letter's stroke crosses). The aliens' bodies must stand
// apart from every dye by hue, and the fireballs' rims (the flame's half-opaque edge) by
// lightness.
TEST(ArtAssets, TextsAliensAndFireballsStandOutFromTheCarpet) {
    const Image carpet = load(CARPET_IMAGE);
    const Image alien = load(creaturePath(false, 0));
    const Image ball = load(creaturePath(true, 0));
    ASSERT_EQ(carpet.w, CARPET_W);
    const Spot body = spotOf(alien, [](int, int, const Uint8* p) { return p[3] == 255; });
    const Spot rim = spotOf(ball, [&](int x, int y, const Uint8* p) {
        return x > 0 && y > 0 && x + 1 < ball.w && y + 1 < ball.h && p[3] >= 128 &&
               std::min({p[-1], p[7], p[3 - 4 * ball.w], p[3 + 4 * ball.w]}) < 128;
    });
    const double hudBlue[3] = {HUD_TEXT_COLOR.r, HUD_TEXT_COLOR.g, HUD_TEXT_COLOR.b};
    const double warningRed[3] = {WARNING_COLOR.r, WARNING_COLOR.g, WARNING_COLOR.b};
    EXPECT_LE(shareBelow(carpet, "HUD light blue", hudBlue, 1, 2.0, 50), 0.005);
    EXPECT_LE(shareBelow(carpet, "warning dark red", warningRed, -1, 1.35, 45), 0.005);
    EXPECT_LE(shareBelow(carpet, "alien body", body.rgb, 0, 1.2, 40), 0.01);
    EXPECT_LE(shareBelow(carpet, "fireball rim", rim.rgb, 0, 1.5, 25), 0.01);
}

// Sheets: each frame stays inside its cell (a frame drawn over its neighbour's edge, or a grid
// that does not fit the drawing, leaves alpha on a cell's outermost pixels). The boost sheet
// carries the ship to the pixel at each cell's left, where the arrival hands over to it and the
// launch takes it up; its flame is lit from the first frame, burns hardest where the arrival
// joins (the ship braking from its fastest) and dies down to almost nothing by the last. The
// crash starts on the ship where the game centres the sheet over it.
TEST(ArtAssets, SheetFramesFitTheirGridAndTellTheirStory) {
    const Image ship = load(SHIP_IMAGE);
    const Image boost = load(BOOST_SHEET_IMAGE);
    const Image crash = load(CRASH_SHEET_IMAGE);
    ASSERT_EQ(boost.w, BOOST_COLUMNS * BOOST_FRAME_W);
    ASSERT_EQ(crash.w, CRASH_COLUMNS * CRASH_FRAME_SIZE);
    auto spill = [](const Image& sheet, int w, int h) {
        return spotOf(sheet, [&](int x, int y, const Uint8* p) {
            return p[3] > 0 && (x % w % (w - 1) == 0 || y % h % (h - 1) == 0);
        });
    };
    EXPECT_EQ(spill(boost, BOOST_FRAME_W, BOOST_FRAME_H).n, 0);
    EXPECT_EQ(spill(crash, CRASH_FRAME_SIZE, CRASH_FRAME_SIZE).n, 0);
    std::vector<int> flame;
    for (int f = 0; f < BOOST_FRAMES; ++f) {
        const int ox = f % BOOST_COLUMNS * BOOST_FRAME_W, oy = f / BOOST_COLUMNS * BOOST_FRAME_H;
        const Spot unlike = spotOf(ship, [&](int x, int y, const Uint8* p) {
            return p[3] == 255 && !std::equal(p, p + 4, boost.at(ox + x, oy + y));
        });
        const Spot lit = spotOf(boost, [&](int x, int y, const Uint8* p) {
            return p[3] > 64 && x >= ox + ship.w && x < ox + BOOST_FRAME_W &&
                   y / BOOST_FRAME_H == oy / BOOST_FRAME_H;
        });
        EXPECT_EQ(unlike.n, 0) << "boost frame " << f;
        flame.push_back(lit.n);
    }
    EXPECT_TRUE(0 < flame[0] && flame[0] < flame[ARRIVAL_FIRST_FRAME]);
    for (int f = ARRIVAL_FIRST_FRAME + 1; f < BOOST_FRAMES; ++f) {
        EXPECT_LE(flame[f], flame[f - 1]) << "boost frame " << f;
    }
    EXPECT_LT(flame[BOOST_FRAMES - 1] * 8, flame[ARRIVAL_FIRST_FRAME]);
    const int sx = (CRASH_FRAME_SIZE - ship.w) / 2, sy = (CRASH_FRAME_SIZE - ship.h) / 2;
    const Spot hull = spotOf(ship, [](int, int, const Uint8* p) { return p[3] == 255; });
    const Spot covered = spotOf(ship, [&](int x, int y, const Uint8* p) {
        return p[3] == 255 && crash.alpha(sx + x, sy + y) == 255;
    });
    EXPECT_GT(covered.n, hull.n * 95 / 100);
}

// Sides: the ship faces left, so seen from above its port side, with the red light, is the lower
// one and starboard's green the upper. Each jet shows in the ship's margin on its own side
// (thrust right blows out on the left, down on top, left on the right, up underneath; A is the
// upper or left one). A fireball flies core first, the core near the middle of its image where
// the game tests hits.
TEST(ArtAssets, LightsJetsAndFireballsFaceTheRightWay) {
    const Image ship = load(SHIP_IMAGE);
    auto lamp = [&](int c) { // red 0, green 1
        return spotOf(ship, [&](int, int, const Uint8* p) {
            return p[3] > 128 && p[c] > p[1 - c] + 60 && p[c] > p[2] + 40;
        });
    };
    EXPECT_TRUE(lamp(0).n > 0 && lamp(1).n > 0 && lamp(0).y > lamp(1).y);
    for (int i = 0; i < 24; ++i) {
        const int d = i / 2 % 4;
        const Image im = load(jetPath(i));
        const Spot jet = spotOf(im, [](int, int, const Uint8* p) { return p[3] > 0; });
        const double along = d % 2 == 0 ? jet.x - im.w / 2.0 : jet.y - im.h / 2.0;
        const double across = d % 2 == 0 ? jet.y - im.h / 2.0 : jet.x - im.w / 2.0;
        EXPECT_TRUE(jet.n > 0 && (d < 2) == (along < 0) && (i % 2 == 0) == (across < 0))
            << jetPath(i);
    }
    for (int d = 0; d < 4; ++d) {
        const Image im = load(creaturePath(true, d));
        const Spot core = spotOf(im, [](int, int, const Uint8* p) {
            return p[3] == 255 && p[0] > 245 && p[1] > 235 && p[2] > 150;
        });
        const Spot flame = spotOf(im, [](int, int, const Uint8* p) { return p[3] > 64; });
        const double ahead = d % 2 ? (core.y - flame.y) * (2 - d) : (core.x - flame.x) * (1 - d);
        EXPECT_TRUE(core.n > 20 && ahead > 3 && std::abs(core.x - im.w / 2.0) < im.w / 8.0 &&
                    std::abs(core.y - im.h / 2.0) < im.h / 8.0)
            << creaturePath(true, d);
    }
}
