// The ship with its main engine roaring, twelve frames of a growing flame, for arrival and launch.
#include "BoostSheet.h"

#include "Paint.h"
#include "Random.h"
#include "Ship.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

// A plume blowing along +x from (x, y): a teardrop with a wavy edge.
void plume(cairo_t* cr, double x, double y, double length, double half, double wave, double bend) {
    cairo_move_to(cr, x - 2, y - half * 0.85);
    cairo_curve_to(cr, x + length * 0.2, y - half * 1.2 - wave, x + length * 0.6,
                   y - half * 0.75 + bend + wave, x + length, y + bend);
    cairo_curve_to(cr, x + length * 0.6, y + half * 0.75 + bend - wave, x + length * 0.2,
                   y + half * 1.2 + wave, x - 2, y + half * 0.85);
    cairo_close_path(cr);
}

void fillPlume(cairo_t* cr, double x, double length, const Rgb& hot, const Rgb& cool,
               double tipAlpha) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + length, 0);
    addStop(p, 0.0, hot);
    addStop(p, 0.45, mix(hot, cool, 0.5));
    addStop(p, 1.0, cool, tipAlpha);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void boostFlame(cairo_t* cr, int frame, Random& rng) {
    const double x = kEngineX;
    const double y = kEngineY;
    const double grow = frame / 11.0;
    const double length =
        std::min(26.0 + 108.0 * grow + rng.range(-7.0, 7.0), kBoostFrameWidth - x - 3);
    const double half = 7.5 + 2.5 * grow;
    const double bend = rng.range(-1.5, 1.5);
    glow(cr, x + 6, y, 16 + 14 * grow, rgb255(255, 140, 40), 0.5);
    plume(cr, x, y, length, half, rng.range(-1.5, 1.5), bend);
    fillPlume(cr, x, length, rgb255(255, 150, 40), rgb255(190, 30, 10), 0.0);
    plume(cr, x, y, length * 0.7, half * 0.72, rng.range(-1.0, 1.0), bend * 0.6);
    fillPlume(cr, x, length * 0.7, rgb255(255, 230, 120), rgb255(255, 120, 30), 0.2);
    // The white-blue heart of the exhaust, ringed by shock diamonds when it is at full burn.
    plume(cr, x, y, std::min(length * 0.42, 44.0), half * 0.45, 0.0, 0.0);
    fillPlume(cr, x, std::min(length * 0.42, 44.0), rgb255(240, 250, 255), rgb255(160, 210, 255),
              0.5);
    const int diamonds = frame / 4;
    for (int d = 0; d < diamonds; ++d) {
        const double dx = x + 12 + d * 11;
        cairo_move_to(cr, dx - 3, y);
        cairo_line_to(cr, dx, y - 2.2);
        cairo_line_to(cr, dx + 3, y);
        cairo_line_to(cr, dx, y + 2.2);
        cairo_close_path(cr);
        setColour(cr, {1, 1, 1}, 0.85);
        cairo_fill(cr);
    }
    for (int i = 0; i < 3 + frame / 2; ++i) {
        const double sx = x + rng.range(0.3, 1.0) * length;
        const double sy = y + rng.range(-1.0, 1.0) * half * 1.1;
        glow(cr, sx, sy, rng.range(1.2, 2.2), rgb255(255, 200, 90), 0.9);
    }
}

} // namespace

void writeBoostSheet(const std::string& dataDir, cairo_surface_t* ship) {
    cairo_surface_t* sheet =
        newSurface(kBoostFrameWidth * kBoostColumns, kBoostFrameHeight * kBoostRows);
    cairo_t* cr = cairo_create(sheet);
    Random rng(700);
    for (int frame = 0; frame < kBoostColumns * kBoostRows; ++frame) {
        cairo_save(cr);
        cairo_translate(cr, (frame % kBoostColumns) * kBoostFrameWidth,
                        (frame / kBoostColumns) * kBoostFrameHeight);
        cairo_rectangle(cr, 0, 0, kBoostFrameWidth, kBoostFrameHeight);
        cairo_clip(cr);
        boostFlame(cr, frame, rng);
        // The flame sits behind the hull, and the hull is the game's ship to the pixel.
        cairo_set_source_surface(cr, ship, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    savePng(sheet, dataDir + "/Sprite_Sheet/Fireboost_Sprite_SheetB.png");
    cairo_surface_destroy(sheet);
}

} // namespace art
