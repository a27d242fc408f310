// Lays the generated pictures out as the game shows them, so a person can judge them by eye:
// a mock screen, close-ups of the ship's jets, the creatures, both sheets, the whole carpet, and
// the HUD and jet warning written over many parts of the carpet.
#define SDL_MAIN_HANDLED
#include "Paint.h"
#include "shared/AssetNames.h"
#include "shared/GameFacts.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <cairo.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>

namespace {

std::string gData;
TTF_Font* gFont = nullptr;

// The game's two text colours: the HUD's light blue, and the dark red of the time running out
// with frozen jets and of the banner.
const SDL_Color kHudBlue = {HUD_TEXT_COLOR.r, HUD_TEXT_COLOR.g, HUD_TEXT_COLOR.b, 255};
const SDL_Color kWarningRed = {WARNING_COLOR.r, WARNING_COLOR.g, WARNING_COLOR.b, 255};

// A file of the game's (shared/AssetNames.h) in the data folder being shown.
std::string inData(const std::string& name) {
    return art::inData(gData, name);
}

std::string alienImage(int direction) {
    return std::string(ALIEN_IMAGE_PREFIX) + DIRECTION_IMAGE_SUFFIX[direction];
}

std::string fireballImage(int direction) {
    return std::string(FIREBALL_IMAGE_PREFIX) + DIRECTION_IMAGE_SUFFIX[direction];
}

// One jet image as the game indexes them: its kind (burning, frozen, thawing; none below 0), the
// direction the ship thrusts in, and which of the two jets on that side.
struct Jet {
    int kind;
    int direction;
    int variant;
};

std::string jetImage(const Jet& jet) {
    return std::string(JET_IMAGE_PREFIX[jet.kind]) + JET_DIRECTION_DIGIT[jet.direction] +
           JET_IMAGE_SUFFIX[jet.variant];
}

// Reads a sprite and keys it as the game does: every pixel of its top-left pixel's colour turns
// clear whatever its alpha. That corner is clear black in every sprite we draw, so the key is
// black, and a black pixel is black however it is premultiplied.
cairo_surface_t* png(const std::string& name) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(inData(name).c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot read " + name);
    }
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * cairo_image_surface_get_stride(s));
        for (int x = 0; x < cairo_image_surface_get_width(s); ++x) {
            row[x] = (row[x] & 0xFFFFFFu) == 0 ? 0u : row[x];
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

cairo_surface_t* carpet() {
    SDL_Surface* loaded = IMG_Load(inData(CARPET_IMAGE).c_str());
    if (loaded == nullptr) {
        throw std::runtime_error("cannot read the carpet");
    }
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(loaded);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, rgb->w, rgb->h);
    cairo_surface_flush(s);
    unsigned char* dst = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < rgb->h; ++y) {
        std::memcpy(dst + y * stride, static_cast<unsigned char*>(rgb->pixels) + y * rgb->pitch,
                    static_cast<std::size_t>(rgb->w) * 4);
    }
    cairo_surface_mark_dirty(s);
    SDL_FreeSurface(rgb);
    return s;
}

void put(cairo_t* cr, const std::string& name, double x, double y) {
    cairo_surface_t* s = png(name);
    cairo_set_source_surface(cr, s, x, y);
    cairo_paint(cr);
    cairo_surface_destroy(s);
}

void save(cairo_surface_t* s, const std::string& out, const std::string& name) {
    cairo_surface_write_to_png(s, (out + "/" + name).c_str());
}

// Writes one line as the game does (solid, unsmoothed glyphs) at (x, y); returns its size.
void write(cairo_t* cr, const char* text, SDL_Color colour, double x, double y, int* w = nullptr,
           int* h = nullptr) {
    SDL_Surface* solid = TTF_RenderText_Solid(gFont, text, colour);
    if (solid == nullptr) {
        throw std::runtime_error(std::string("cannot write text: ") + TTF_GetError());
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(solid, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(solid);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, argb->w, argb->h);
    cairo_surface_flush(s);
    unsigned char* dst = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int row = 0; row < argb->h; ++row) {
        const auto* src = reinterpret_cast<const Uint32*>(
            static_cast<unsigned char*>(argb->pixels) + row * argb->pitch);
        auto* out = reinterpret_cast<std::uint32_t*>(dst + row * stride);
        for (int col = 0; col < argb->w; ++col) {
            // The glyphs are fully opaque or fully clear, so premultiplying only clears the rest.
            out[col] = (src[col] >> 24) == 0 ? 0u : src[col];
        }
    }
    cairo_surface_mark_dirty(s);
    cairo_set_source_surface(cr, s, x, y);
    cairo_paint(cr);
    if (w != nullptr) {
        *w = argb->w;
    }
    if (h != nullptr) {
        *h = argb->h;
    }
    cairo_surface_destroy(s);
    SDL_FreeSurface(argb);
}

// The HUD in the top-left corner as the game draws it, the time in red when it has run out.
void hud(cairo_t* cr, double x, double y, bool warning) {
    write(cr, "Speed: 1.0", kHudBlue, x + HUD_LINE_X, y + HUD_LINE_Y[0]);
    write(cr, warning ? "Time: 0.0" : "Time: 99.5", warning ? kWarningRed : kHudBlue,
          x + HUD_LINE_X, y + HUD_LINE_Y[1]);
    write(cr, "Score: 120", kHudBlue, x + HUD_LINE_X, y + HUD_LINE_Y[2]);
}

// The screen as the game would draw it with the carpet scrolled to (cx, cy).
cairo_surface_t* screen(cairo_surface_t* rug, double cx, double cy, const Jet jets[4]) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, SCREEN_W, SCREEN_H);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_surface(cr, rug, -cx, -cy);
    cairo_paint(cr);
    put(cr, fireballImage(0), 300, 180);
    put(cr, fireballImage(1), 800, 200);
    put(cr, fireballImage(2), 900, 520);
    put(cr, fireballImage(3), 420, 500);
    put(cr, fireballImage(0), 30, 430);
    put(cr, alienImage(0), 0, 420);
    put(cr, alienImage(1), 780, 0);
    put(cr, alienImage(2), SCREEN_W - 72, 250);
    put(cr, alienImage(3), 380, SCREEN_H - 72);
    put(cr, SHIP_IMAGE, 594, 309);
    for (int i = 0; i < 4; ++i) {
        if (jets[i].kind >= 0) {
            put(cr, jetImage(jets[i]), 594, 309);
        }
    }
    hud(cr, 0, 0, true);
    // The banner sits centred with its bottom on the ship's top edge.
    int w = 0;
    int h = 0;
    cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* pc = cairo_create(probe);
    write(pc, WARNING_TEXT, kWarningRed, 0, 0, &w, &h);
    cairo_destroy(pc);
    cairo_surface_destroy(probe);
    write(cr, WARNING_TEXT, kWarningRed, (SCREEN_W - w) / 2, 309 - h);
    cairo_destroy(cr);
    return s;
}

// The texts over many places of the carpet, chosen so that each of its parts lies under them
// somewhere: seams, fringes, kilim ends, guard stripes, the vine border, the field, medallions.
cairo_surface_t* textBoard(cairo_surface_t* rug) {
    const double places[12][2] = {{3100, 1270}, {560, 10},   {800, 110},   {1000, 400},
                                  {1420, 600},  {1130, 520}, {560, 600},   {160, 140},
                                  {1450, 190},  {-20, 480},  {1000, 1220}, {2950, 640}};
    const int w = 520;
    const int h = 150;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 3 * w, 4 * h);
    cairo_t* cr = cairo_create(s);
    for (int i = 0; i < 12; ++i) {
        const double x = (i % 3) * w;
        const double y = (i / 3) * h;
        // The carpet wraps, so a place left of its first column shows its last tile's columns.
        const double cx = places[i][0] < 0 ? places[i][0] + CARPET_PERIOD_X : places[i][0];
        cairo_save(cr);
        cairo_rectangle(cr, x, y, w, h);
        cairo_clip(cr);
        cairo_set_source_surface(cr, rug, x - cx, y - places[i][1]);
        cairo_paint(cr);
        hud(cr, x, y, i % 2 == 0);
        write(cr, WARNING_TEXT, kWarningRed, x + 215, y + 60);
        cairo_restore(cr);
        cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* scaled(cairo_surface_t* src, double k, bool smooth) {
    const int w = static_cast<int>(cairo_image_surface_get_width(src) * k);
    const int h = static_cast<int>(cairo_image_surface_get_height(src) * k);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_scale(cr, k, k);
    cairo_set_source_surface(cr, src, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr),
                             smooth ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_destroy(cr);
    return s;
}

// The ship with each kind of jet, blown up so single pixels show.
cairo_surface_t* jetBoard(cairo_surface_t* rug) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 3 * 120, 2 * 120);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_surface(cr, rug, -1500, -560);
    cairo_paint(cr);
    for (int k = 0; k < 3; ++k) {
        for (int row = 0; row < 2; ++row) {
            const double x = 14 + k * 120;
            const double y = 10 + row * 120;
            put(cr, SHIP_IMAGE, x, y);
            // Top row: thrusting right and down; bottom row: left and up.
            for (int d = row; d < 4; d += 2) {
                for (int w = 0; w < 2; ++w) {
                    put(cr, jetImage({k, d, w}), x, y);
                }
            }
        }
    }
    cairo_destroy(cr);
    cairo_surface_t* big = scaled(s, 3, false);
    cairo_surface_destroy(s);
    return big;
}

cairo_surface_t* onCarpet(cairo_surface_t* rug, const std::string& name, double cx, double cy) {
    cairo_surface_t* sheet = png(name);
    const int w = cairo_image_surface_get_width(sheet);
    const int h = cairo_image_surface_get_height(sheet);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_surface(cr, rug, -cx, -cy);
    cairo_paint(cr);
    cairo_set_source_surface(cr, sheet, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(sheet);
    return s;
}

cairo_surface_t* creatures(cairo_surface_t* rug) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 4 * 80, 2 * 80);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_surface(cr, rug, -1400, -400);
    cairo_paint(cr);
    for (int i = 0; i < 4; ++i) {
        put(cr, alienImage(i), 4 + i * 80, 4);
        put(cr, fireballImage(i), 4 + i * 80, 84);
    }
    cairo_destroy(cr);
    cairo_surface_t* big = scaled(s, 3, false);
    cairo_surface_destroy(s);
    return big;
}

// Sixteen moments of the crash, twice the size, on the carpet.
cairo_surface_t* crashMoments(cairo_surface_t* rug) {
    const int frames[16] = {0, 1, 2, 4, 6, 9, 11, 14, 18, 24, 30, 35, 37, 40, 44, 47};
    cairo_surface_t* sheet = png(CRASH_SHEET_IMAGE);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 4 * 152, 4 * 152);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_surface(cr, rug, -1150, -250);
    cairo_paint(cr);
    for (int i = 0; i < 16; ++i) {
        const int f = frames[i];
        const double x = (i % 4) * 152;
        const double y = (i / 4) * 152;
        cairo_save(cr);
        cairo_rectangle(cr, x, y, 152, 152);
        cairo_clip(cr);
        cairo_set_source_surface(cr, sheet, x - (f % 6) * 152, y - (f / 6) * 152);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_move_to(cr, x + 4, y + 14);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_font_size(cr, 12);
        cairo_show_text(cr, std::to_string(f).c_str());
    }
    cairo_destroy(cr);
    cairo_surface_destroy(sheet);
    cairo_surface_t* big = scaled(s, 2, false);
    cairo_surface_destroy(s);
    return big;
}

// The desktop icons side by side at their own sizes, on a light and a dark panel.
cairo_surface_t* icons() {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 560, 2 * 276);
    cairo_t* cr = cairo_create(s);
    for (int panel = 0; panel < 2; ++panel) {
        cairo_rectangle(cr, 0, panel * 276, 560, 276);
        cairo_set_source_rgb(cr, panel == 0 ? 0.92 : 0.16, panel == 0 ? 0.92 : 0.17,
                             panel == 0 ? 0.94 : 0.2);
        cairo_fill(cr);
        double x = 10;
        for (int size : ICON_SIZES) {
            cairo_surface_t* icon = png(ICON_PREFIX + std::to_string(size) + ICON_SUFFIX);
            cairo_set_source_surface(cr, icon, x, panel * 276 + 10);
            cairo_paint(cr);
            cairo_surface_destroy(icon);
            x += size + 12;
        }
    }
    cairo_destroy(cr);
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <data-dir> <out-dir>\n", argv[0]);
        return 2;
    }
    gData = argv[1];
    const std::string out = argv[2];
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "vorlusk-art-preview: %s\n", TTF_GetError());
        return 1;
    }
    gFont = TTF_OpenFont(inData(FONT_FILE).c_str(), HUD_FONT_SIZE);
    if (gFont == nullptr) {
        std::fprintf(stderr, "vorlusk-art-preview: %s\n", TTF_GetError());
        return 1;
    }
    try {
        cairo_surface_t* rug = carpet();
        cairo_surface_t* board = textBoard(rug);
        save(board, out, "texts.png");
        cairo_surface_destroy(board);
        const Jet burning[4] = {{0, 2, 0}, {0, 2, 1}, {1, 1, 0}, {2, 3, 1}};
        const double views[3][2] = {{1000, 300}, {2900, 1100}, {2200, 40}};
        for (int v = 0; v < 3; ++v) {
            cairo_surface_t* s = screen(rug, views[v][0], views[v][1], burning);
            save(s, out, "screen" + std::to_string(v) + ".png");
            // The middle of the screen at twice the size, as a player leaning in would see it.
            cairo_surface_t* crop = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 800, 560);
            cairo_t* cc = cairo_create(crop);
            cairo_scale(cc, 2, 2);
            cairo_set_source_surface(cc, s, -440, -200);
            cairo_pattern_set_filter(cairo_get_source(cc), CAIRO_FILTER_NEAREST);
            cairo_paint(cc);
            cairo_destroy(cc);
            save(crop, out, "screen" + std::to_string(v) + "_zoom.png");
            cairo_surface_destroy(crop);
            cairo_surface_destroy(s);
        }
        cairo_surface_t* j = jetBoard(rug);
        save(j, out, "jets.png");
        cairo_surface_destroy(j);
        cairo_surface_t* c = creatures(rug);
        save(c, out, "creatures.png");
        cairo_surface_destroy(c);
        cairo_surface_t* boost = onCarpet(rug, BOOST_SHEET_IMAGE, 1200, 500);
        cairo_surface_t* boostBig = scaled(boost, 2, false);
        save(boostBig, out, "boost.png");
        cairo_surface_destroy(boostBig);
        cairo_surface_destroy(boost);
        cairo_surface_t* crash = onCarpet(rug, CRASH_SHEET_IMAGE, 1100, 100);
        save(crash, out, "crash.png");
        cairo_surface_destroy(crash);
        cairo_surface_t* moments = crashMoments(rug);
        save(moments, out, "crash_moments.png");
        cairo_surface_destroy(moments);
        cairo_surface_t* desk = icons();
        save(desk, out, "icons.png");
        cairo_surface_destroy(desk);
        cairo_surface_t* whole = scaled(rug, 0.25, true);
        save(whole, out, "carpet.png");
        cairo_surface_destroy(whole);
        cairo_surface_destroy(rug);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorlusk-art-preview: %s\n", e.what());
        return 1;
    }
    TTF_CloseFont(gFont);
    TTF_Quit();
    return 0;
}
