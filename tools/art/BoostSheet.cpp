// The ship with its main engine roaring, twelve frames of its flame, for arrival and launch.
#include "BoostSheet.h"

#include "Paint.h"
#include "Random.h"
#include "Ship.h"
#include "shared/AssetNames.h"
#include "shared/GameFacts.h"

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

// How hard the booster burns in each sheet frame, 0 to 1. The arrival shows frames
// ARRIVAL_FIRST_FRAME to the last while the ship brakes from its fastest to rest, then the plain
// ship takes over: so the flame is at full burn where the arrival joins and dies down to a
// flicker by the last frame. The launch-away plays every frame from the first, and the ship is
// past the screen's left edge by about frame 8: its frames 0 to 4 light the booster up to full
// burn, and the flame it shows off-screen-bound stays large.
double burn(int frame) {
    const double rise = static_cast<double>(frame + 1) / (ARRIVAL_FIRST_FRAME + 1);
    if (frame <= ARRIVAL_FIRST_FRAME) {
        return 0.3 + 0.7 * rise * (2 - rise);
    }
    const double fall =
        static_cast<double>(frame - ARRIVAL_FIRST_FRAME) / (BOOST_FRAMES - 1 - ARRIVAL_FIRST_FRAME);
    return 0.06 + 0.94 * (1 - std::pow(fall, 1.5));
}

void boostFlame(cairo_t* cr, int frame, Random& rng) {
    const double x = kEngineX;
    const double y = kEngineY;
    const double power = burn(frame);
    // At full burn the flame reaches the frame's right edge, less a margin for its flicker.
    const double length = (BOOST_FRAME_W - x - 12) * power * rng.range(0.97, 1.0);
    const double half = 4.0 + 6.0 * std::sqrt(power);
    const double bend = rng.range(-1.5, 1.5) * power;
    glow(cr, x + 6, y, 8 + 22 * power, rgb255(255, 140, 40), 0.2 + 0.3 * power);
    plume(cr, x, y, length, half, rng.range(-1.5, 1.5) * power, bend);
    fillPlume(cr, x, length, rgb255(255, 150, 40), rgb255(190, 30, 10), 0.0);
    plume(cr, x, y, length * 0.7, half * 0.72, rng.range(-1.0, 1.0) * power, bend * 0.6);
    fillPlume(cr, x, length * 0.7, rgb255(255, 230, 120), rgb255(255, 120, 30), 0.2);
    // The white-blue heart of the exhaust, ringed by shock diamonds when it burns hard.
    plume(cr, x, y, std::min(length * 0.42, 44.0), half * 0.45, 0.0, 0.0);
    fillPlume(cr, x, std::min(length * 0.42, 44.0), rgb255(240, 250, 255), rgb255(160, 210, 255),
              0.5);
    const int diamonds = static_cast<int>(power * 4.0);
    for (int d = 0; d < diamonds - 1; ++d) {
        const double dx = x + 12 + d * 11;
        cairo_move_to(cr, dx - 3, y);
        cairo_line_to(cr, dx, y - 2.2);
        cairo_line_to(cr, dx + 3, y);
        cairo_line_to(cr, dx, y + 2.2);
        cairo_close_path(cr);
        setColour(cr, {1, 1, 1}, 0.85);
        cairo_fill(cr);
    }
    const int sparks = static_cast<int>(2 + 7 * power);
    for (int i = 0; i < sparks; ++i) {
        const double sx = x + rng.range(0.3, 1.0) * length;
        const double sy = y + rng.range(-1.0, 1.0) * half * 1.1;
        glow(cr, sx, sy, rng.range(1.2, 2.2), rgb255(255, 200, 90), 0.9);
    }
}

} // namespace

void writeBoostSheet(const std::string& dataDir, cairo_surface_t* ship) {
    cairo_surface_t* sheet = newSurface(BOOST_FRAME_W * BOOST_COLUMNS, BOOST_FRAME_H * BOOST_ROWS);
    cairo_t* cr = cairo_create(sheet);
    Random rng(700);
    for (int frame = 0; frame < BOOST_FRAMES; ++frame) {
        cairo_save(cr);
        cairo_translate(cr, (frame % BOOST_COLUMNS) * BOOST_FRAME_W,
                        (frame / BOOST_COLUMNS) * BOOST_FRAME_H);
        cairo_rectangle(cr, 0, 0, BOOST_FRAME_W, BOOST_FRAME_H);
        cairo_clip(cr);
        boostFlame(cr, frame, rng);
        // The flame sits behind the hull, and the hull is the game's ship to the pixel.
        cairo_set_source_surface(cr, ship, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    savePng(sheet, inData(dataDir, BOOST_SHEET_IMAGE));
    cairo_surface_destroy(sheet);
}

} // namespace art
