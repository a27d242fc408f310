// Measures how strongly each strip of the committed carpet repeats itself at short distances
// along the two scroll directions, next to the plain weave's own figure.
//
// The carpet scrolls by whole pixels, up to 21 a frame. A motif that repeats every P pixels with
// P under twice the step is sampled too coarsely from frame to frame: the eye pairs each dot with
// its nearest neighbour and sees the row stand still or crawl backwards. So no strip may carry a
// repeat at 2..43 px stronger than the knotted weave, whose knots lie off any lattice.
//
// For each strip: the luminance less its mean over 87 px along the direction measured (so every
// period under 44 px stays in, the rug's large shapes go), then the normalised autocorrelation at
// each lag. "echo" is its highest value past the main lobe (the lags before its first minimum,
// which only say how wide a stroke is); "contrast" the RMS of what the mean left, in levels.
#define SDL_MAIN_HANDLED
#include "CarpetPalette.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kMaxLag = 43;
constexpr int kHalfWindow = kMaxLag;
// What a strip may show above the plain weave and still have no motif repeating in it: the
// estimate's own scatter over a few thousand pixels of texture.
constexpr double kNoise = 0.05;
constexpr int kBand = 8;

struct Strip {
    const char* name;
    bool alongX; // measured along rows (true) or along columns
    int across0; // the rows (or columns) it covers, in tile coordinates; may pass the tile's
    int across1; // far edge, where the neighbouring rug continues it
    int along0;  // the stretch measured along them
    int along1;
};

struct Echo {
    double contrast = 0;
    double echo = 0;
    int lag = 0;
};

class CTile {
  public:
    bool load(const std::string& path) {
        SDL_Surface* file = IMG_Load(path.c_str());
        if (file == nullptr) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), IMG_GetError());
            return false;
        }
        SDL_Surface* rgb = SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_RGB24, 0);
        SDL_FreeSurface(file);
        if (rgb == nullptr || rgb->w < art::kTileWidth || rgb->h < art::kTileHeight) {
            std::fprintf(stderr, "%s: not a carpet of %dx%d or more\n", path.c_str(),
                         art::kTileWidth, art::kTileHeight);
            SDL_FreeSurface(rgb);
            return false;
        }
        lum_.resize(static_cast<std::size_t>(art::kTileWidth) * art::kTileHeight);
        for (int y = 0; y < art::kTileHeight; ++y) {
            const Uint8* row = static_cast<const Uint8*>(rgb->pixels) + y * rgb->pitch;
            for (int x = 0; x < art::kTileWidth; ++x) {
                const Uint8* p = row + 3 * x;
                lum_[static_cast<std::size_t>(y) * art::kTileWidth + x] =
                    0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2];
            }
        }
        SDL_FreeSurface(rgb);
        return true;
    }

    // The carpet repeats with the tile, so any coordinate is read modulo it.
    double at(int x, int y) const {
        x = (x % art::kTileWidth + art::kTileWidth) % art::kTileWidth;
        y = (y % art::kTileHeight + art::kTileHeight) % art::kTileHeight;
        return lum_[static_cast<std::size_t>(y) * art::kTileWidth + x];
    }

    Echo measure(const Strip& s) const {
        std::vector<double> same(kMaxLag + 2, 0.0), first(kMaxLag + 2, 0.0),
            second(kMaxLag + 2, 0.0);
        double energy = 0;
        long count = 0;
        std::vector<double> line(s.along1 - s.along0);
        for (int a = s.across0; a < s.across1; ++a) {
            auto read = [&](int t) { return s.alongX ? at(t, a) : at(a, t); };
            double window = 0;
            for (int t = s.along0 - kHalfWindow; t <= s.along0 + kHalfWindow; ++t) {
                window += read(t);
            }
            for (int t = s.along0; t < s.along1; ++t) {
                line[t - s.along0] = read(t) - window / (2 * kHalfWindow + 1);
                window += read(t + kHalfWindow + 1) - read(t - kHalfWindow);
            }
            for (std::size_t i = 0; i < line.size(); ++i) {
                energy += line[i] * line[i];
                ++count;
                for (int lag = 1; lag <= kMaxLag + 1 && i + lag < line.size(); ++lag) {
                    same[lag] += line[i] * line[i + lag];
                    first[lag] += line[i] * line[i];
                    second[lag] += line[i + lag] * line[i + lag];
                }
            }
        }
        std::vector<double> r(kMaxLag + 2, 0.0);
        for (int lag = 1; lag <= kMaxLag + 1; ++lag) {
            r[lag] = same[lag] / std::sqrt(std::max(first[lag] * second[lag], 1e-12));
        }
        Echo e;
        e.contrast = std::sqrt(energy / std::max(count, 1L));
        int lobe = 1;
        while (lobe < kMaxLag && r[lobe + 1] < r[lobe]) {
            ++lobe;
        }
        e.echo = -1;
        for (int lag = std::max(lobe, 2); lag <= kMaxLag; ++lag) {
            if (r[lag] > e.echo) {
                e.echo = r[lag];
                e.lag = lag;
            }
        }
        return e;
    }

  private:
    std::vector<double> lum_;
};

// The rug's bands, each along the top side (measured along rows) and the left side (along
// columns), over their straight runs between the corner blocks.
std::vector<Strip> strips() {
    using namespace art;
    const int x0 = static_cast<int>(kPileLeft + kFieldInset);
    const int x1 = static_cast<int>(kPileRight - kFieldInset);
    const int y0 = static_cast<int>(kPileTop + kFieldInset);
    const int y1 = static_cast<int>(kPileBottom - kFieldInset);
    const int left = static_cast<int>(kPileLeft);
    const int top = static_cast<int>(kPileTop);
    std::vector<Strip> list;
    auto band = [&](const char* name, double from, double to) {
        list.push_back(
            {name, true, top + static_cast<int>(from), top + static_cast<int>(to), x0, x1});
        list.push_back(
            {name, false, left + static_cast<int>(from), left + static_cast<int>(to), y0, y1});
    };
    // Plain tobacco between the main border's ochre line and its vine: nothing but the weave.
    band("weave (plain dye)", kOuterGuard + 8, kOuterGuard + 16);
    // The bound edges and the fringes have no corners: they are measured end to end.
    const int fringe = static_cast<int>(kFringe);
    list.push_back({"where two rugs meet", true, static_cast<int>(kPileBottom), kTileHeight + top,
                    fringe, kTileWidth - fringe});
    list.push_back({"fringes", false, kTileWidth - fringe, kTileWidth + fringe, top,
                    static_cast<int>(kPileBottom)});
    list.push_back({"flat-woven ends", false, static_cast<int>(kFringe), left, y0, y1});
    band("outer guard", 0, kOuterGuard);
    band("main border", kOuterGuard, kOuterGuard + kMainBorder);
    band("inner guard", kOuterGuard + kMainBorder, kFieldInset);
    list.push_back({"field", true, y0 + 8, y1 - 8, x0 + 8, x1 - 8});
    list.push_back({"field", false, x0 + 8, x1 - 8, y0 + 8, y1 - 8});
    return list;
}

// Every band of 8 rows and of 8 columns of the tile, wherever it lies: the figures of the
// busiest one and of the middle one, as the asset test takes them.
void scanBands(const CTile& tile) {
    std::vector<double> echoes;
    Echo worst;
    int worstAt = 0;
    bool worstAlongX = true;
    for (int alongX = 1; alongX >= 0; --alongX) {
        const int across = alongX ? art::kTileHeight : art::kTileWidth;
        for (int b = 0; b < across; b += kBand) {
            const int length = alongX ? art::kTileWidth : art::kTileHeight;
            const Strip s{"", alongX == 1, b, b + kBand, 0, length};
            const Echo e = tile.measure(s);
            echoes.push_back(e.echo);
            if (e.echo > worst.echo || echoes.size() == 1) {
                worst = e;
                worstAt = b;
                worstAlongX = alongX == 1;
            }
        }
    }
    std::nth_element(echoes.begin(), echoes.begin() + echoes.size() / 2, echoes.end());
    std::printf("\n%zu bands of %d px: middle echo %.2f; busiest %.2f at %d px, %s %d to %d\n",
                echoes.size(), kBand, echoes[echoes.size() / 2], worst.echo, worst.lag,
                worstAlongX ? "rows" : "columns", worstAt, worstAt + kBand - 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <BG_Carpet.jpg>\n", argv[0]);
        return 2;
    }
    CTile tile;
    if (!tile.load(argv[1])) {
        return 1;
    }
    const std::vector<Strip> list = strips();
    // The first two strips are the plain weave, along rows and along columns.
    const double weave = std::max(tile.measure(list[0]).echo, tile.measure(list[1]).echo);
    std::printf("%-20s %-5s %8s %6s %4s %9s\n", "strip", "along", "contrast", "echo", "lag",
                "vs weave");
    bool repeats = false;
    for (const Strip& s : list) {
        const Echo e = tile.measure(s);
        const bool above = e.echo > weave + kNoise;
        repeats = repeats || above;
        std::printf("%-20s %-5s %8.1f %6.2f %4d %+9.2f%s\n", s.name, s.alongX ? "x" : "y",
                    e.contrast, e.echo, e.lag, e.echo - weave, above ? "  repeats" : "");
    }
    scanBands(tile);
    return repeats ? 1 : 0;
}
