// The fireballs the aliens throw: a white-hot core with its flame trailing behind.
#include "Fireball.h"

#include "Alien.h"
#include "Facing.h"
#include "Paint.h"
#include "Random.h"
#include "shared/AssetNames.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

const Rgb kRim = rgb255(64, 8, 12);

// The flame around and behind the core: round at the front, drawn out behind into a tail of
// `length` whose edges break into licks of flame; `phase` varies the licks, `wave` bends the tip.
void envelope(cairo_t* cr, double x, double y, double r, double length, double wave, double phase) {
    const int steps = 48;
    const double front = 1.25 * r;
    auto half = [&](double s, double side) {
        if (s < 0) {
            return 1.3 * r * std::sqrt(std::max(0.0, 1.0 - (s / front) * (s / front)));
        }
        const double t = std::clamp(s / length, 0.0, 1.0);
        const double licks = std::pow(std::max(0.0, std::sin(t * 9.0 + phase + side * 1.7)), 3.0);
        return 1.3 * r * std::pow(1.0 - t, 0.9) + 0.45 * r * licks * t * (1.0 - t) * 3.0;
    };
    auto centre = [&](double s) { return s > 0 ? wave * (s / length) * (s / length) : 0.0; };
    for (int i = 0; i <= steps; ++i) {
        const double s = -front + (front + length) * i / steps;
        const double py = y + centre(s) - half(s, -1.0);
        if (i == 0) {
            cairo_move_to(cr, x - s, py);
        } else {
            cairo_line_to(cr, x - s, py);
        }
    }
    for (int i = steps; i >= 0; --i) {
        const double s = -front + (front + length) * i / steps;
        cairo_line_to(cr, x - s, y + centre(s) + half(s, 1.0));
    }
    cairo_close_path(cr);
}

// A thin lick of flame streaming back from (x, y).
void tongue(cairo_t* cr, double x, double y, double length, double half, double bend) {
    cairo_move_to(cr, x, y - half);
    cairo_curve_to(cr, x - length * 0.5, y - half, x - length * 0.8, y + bend * 0.5, x - length,
                   y + bend);
    cairo_curve_to(cr, x - length * 0.8, y + bend * 0.5 + half * 0.5, x - length * 0.5, y + half, x,
                   y + half);
    cairo_close_path(cr);
}

cairo_pattern_t* alongTail(double front, double back) {
    return cairo_pattern_create_linear(front, 0, back, 0);
}

} // namespace

void drawFireball(cairo_t* cr, double x, double y, double scale, std::uint64_t seed) {
    Random rng(seed);
    const double r = 9.5 * scale;
    const double length = 31 * scale;
    glow(cr, x - r * 0.5, y, r * 2.4, rgb255(255, 110, 20), 0.4);
    // Loose licks of flame behind the body of fire.
    for (int i = 0; i < 3; ++i) {
        const double off = (i - 1) * r * 0.55 + rng.range(-1.0, 1.0);
        tongue(cr, x - length * 0.5, y + off, length * rng.range(0.45, 0.6), r * 0.22,
               off * 0.4 + rng.range(-2.0, 2.0));
        cairo_pattern_t* p = alongTail(x - length * 0.5, x - length * 1.08);
        addStop(p, 0.0, rgb255(255, 140, 30), 0.95);
        addStop(p, 1.0, rgb255(190, 40, 10), 0.0);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    const double wave = rng.range(-2.0, 2.0);
    const double phase = rng.range(0.0, 6.28);
    envelope(cr, x, y, r, length, wave, phase);
    cairo_pattern_t* outer = alongTail(x + r, x - length);
    addStop(outer, 0.0, rgb255(255, 160, 40));
    addStop(outer, 0.45, rgb255(245, 96, 22));
    addStop(outer, 1.0, rgb255(170, 30, 10), 0.15);
    cairo_set_source(cr, outer);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(outer);
    // A rim of dark, burnt red, as every creature has its ink line: the flame's orange is close
    // to the carpet's tobacco and ochre in lightness, and the rim sets it apart on any of them.
    cairo_pattern_t* rim = alongTail(x + r, x - length);
    addStop(rim, 0.0, kRim);
    addStop(rim, 0.55, kRim, 0.95);
    addStop(rim, 1.0, kRim, 0.0);
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 1.8 * scale);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    envelope(cr, x, y, r * 0.72, length * 0.68, wave * 0.6, phase + 1.0);
    cairo_pattern_t* inner = alongTail(x + r, x - length * 0.68);
    addStop(inner, 0.0, rgb255(255, 236, 130));
    addStop(inner, 0.5, rgb255(255, 190, 60), 0.9);
    addStop(inner, 1.0, rgb255(255, 120, 30), 0.0);
    cairo_set_source(cr, inner);
    cairo_fill(cr);
    cairo_pattern_destroy(inner);
    // Embers shed along the way.
    for (int i = 0; i < 4; ++i) {
        const double ex = x - rng.range(0.6, 1.05) * length;
        const double ey = y + rng.range(-1.0, 1.0) * r * 0.9;
        cairo_arc(cr, ex, ey, rng.range(0.8, 1.3) * scale, 0, 2 * M_PI);
        setColour(cr, rgb255(255, 210, 90));
        cairo_fill(cr);
    }
    // The white-hot core.
    cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.2, y - r * 0.2, 0, x, y, r * 0.85);
    addStop(p, 0.0, rgb255(255, 255, 245));
    addStop(p, 0.45, rgb255(255, 250, 190));
    addStop(p, 0.8, rgb255(255, 214, 90));
    addStop(p, 1.0, rgb255(255, 170, 50), 0.0);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, r * 0.85, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void writeFireballs(const std::string& dataDir) {
    std::uint64_t seed = 500;
    for (int d = 0; d < 4; ++d) {
        const Facing& f = kFacings[d];
        cairo_surface_t* s = newSurface(kAlienSize, kAlienSize);
        cairo_t* cr = cairo_create(s);
        turnTowards(cr, f, kAlienSize);
        drawFireball(cr, kAlienSize * 0.55, kAlienSize * 0.5, 1.0, seed++);
        cairo_destroy(cr);
        savePng(s, inData(dataDir, std::string(FIREBALL_IMAGE_PREFIX) + DIRECTION_IMAGE_SUFFIX[d]));
        cairo_surface_destroy(s);
    }
}

} // namespace art
