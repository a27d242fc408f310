// The fireballs the aliens throw: a white-hot core with its flame trailing behind.
#include "Fireball.h"

#include "Alien.h"
#include "Facing.h"
#include "Paint.h"
#include "Random.h"

#include <cmath>

namespace art {

namespace {

// The flame behind the core: a teardrop whose ragged edges are tongues of fire.
void tail(cairo_t* cr, double x, double y, double length, double half, Random& rng) {
    const int tongues = 5;
    cairo_move_to(cr, x + half * 0.3, y - half);
    double prevX = x;
    double prevY = y - half;
    for (int i = 1; i <= tongues; ++i) {
        const double t = static_cast<double>(i) / tongues;
        const double tx = x - length * t;
        const double ty = y - half * (1 - t) * 0.9 + rng.range(-1.0, 1.0) * half * 0.25;
        cairo_curve_to(cr, prevX - length * 0.12, prevY - half * 0.25, tx + length * 0.06,
                       ty - half * 0.2, tx, ty);
        prevX = tx;
        prevY = ty;
    }
    for (int i = tongues - 1; i >= 0; --i) {
        const double t = static_cast<double>(i) / tongues;
        const double tx = x - length * t;
        const double ty = y + half * (1 - t) * 0.9 + rng.range(-1.0, 1.0) * half * 0.25;
        cairo_curve_to(cr, prevX + length * 0.06, prevY + half * 0.3, tx - length * 0.12,
                       ty + half * 0.25, tx, ty);
        prevX = tx;
        prevY = ty;
    }
    cairo_close_path(cr);
}

void fillTail(cairo_t* cr, double x, double length, const Rgb& hot, const Rgb& cool, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x - length, 0);
    addStop(p, 0.0, hot, alpha);
    addStop(p, 0.5, mix(hot, cool, 0.6), alpha * 0.85);
    addStop(p, 1.0, cool, 0.0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

} // namespace

void drawFireball(cairo_t* cr, double x, double y, double scale, std::uint64_t seed) {
    Random rng(seed);
    const double r = 9.5 * scale;
    glow(cr, x, y, r * 2.0, rgb255(255, 120, 20), 0.45);
    tail(cr, x, y, 34 * scale, r * 1.05, rng);
    fillTail(cr, x, 34 * scale, rgb255(255, 120, 24), rgb255(170, 24, 8), 0.95);
    tail(cr, x, y, 24 * scale, r * 0.72, rng);
    fillTail(cr, x, 24 * scale, rgb255(255, 214, 80), rgb255(255, 110, 20), 1.0);
    // Embers shed along the way.
    for (int i = 0; i < 5; ++i) {
        const double ex = x - rng.range(14, 34) * scale;
        const double ey = y + rng.range(-1.0, 1.0) * r * 0.9;
        glow(cr, ex, ey, rng.range(1.5, 2.5) * scale, rgb255(255, 190, 60), 0.9);
    }
    cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.25, y - r * 0.25, 0, x, y, r);
    addStop(p, 0.0, rgb255(255, 255, 240));
    addStop(p, 0.38, rgb255(255, 246, 170));
    addStop(p, 0.72, rgb255(255, 190, 50));
    addStop(p, 1.0, rgb255(236, 90, 18));
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    strokeDevice(cr, rgb255(150, 30, 10), 1.0, 0.8);
    cairo_new_path(cr);
}

void writeFireballs(const std::string& dataDir) {
    std::uint64_t seed = 500;
    for (const Facing& f : kFacings) {
        cairo_surface_t* s = newSurface(kAlienSize, kAlienSize);
        cairo_t* cr = cairo_create(s);
        turnTowards(cr, f, kAlienSize);
        drawFireball(cr, kAlienSize * 0.54, kAlienSize * 0.5, 1.0, seed++);
        cairo_destroy(cr);
        savePng(s, dataDir + "/Sprite_Sheet/FireBall/Fireball_" + f.name + ".png");
        cairo_surface_destroy(s);
    }
}

} // namespace art
