// The ship's manoeuvring jets in their three states: burning, frozen and thawing.
#include "Jets.h"

#include "Paint.h"
#include "Random.h"
#include "shared/AssetNames.h"

#include <cmath>

namespace art {

namespace {

// Every jet is drawn blowing along +x from its nozzle at the origin, reaching `reach` pixels:
// as far as the ship's margin on that side allows.

void flamePlume(cairo_t* cr, double length, double halfWidth, double wobble) {
    cairo_move_to(cr, -1.5, -halfWidth * 0.8);
    cairo_curve_to(cr, length * 0.25, -halfWidth * 1.25, length * 0.65, -halfWidth * 0.7 + wobble,
                   length, wobble * 1.5);
    cairo_curve_to(cr, length * 0.65, halfWidth * 0.7 + wobble, length * 0.25, halfWidth * 1.25,
                   -1.5, halfWidth * 0.8);
    cairo_close_path(cr);
}

void fillAlong(cairo_t* cr, double length, const Rgb& near, const Rgb& far, double farAlpha) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, length, 0);
    addStop(p, 0.0, near);
    addStop(p, 0.55, mix(near, far, 0.6));
    addStop(p, 1.0, far, farAlpha);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void drawFlames(cairo_t* cr, double reach, Random& rng) {
    glow(cr, 1.0, 0.0, 10.0, rgb255(255, 130, 30), 0.55);
    const double w = rng.range(-1.2, 1.2);
    flamePlume(cr, reach + rng.range(-1.0, 0.5), 4.8, w);
    fillAlong(cr, reach, rgb255(255, 150, 40), rgb255(200, 30, 10), 0.0);
    flamePlume(cr, reach * 0.72, 3.4, w * 0.6);
    fillAlong(cr, reach * 0.72, rgb255(255, 228, 110), rgb255(255, 110, 20), 0.3);
    flamePlume(cr, reach * 0.38, 2.1, 0.0);
    fillAlong(cr, reach * 0.38, rgb255(255, 255, 236), rgb255(255, 220, 120), 0.6);
    // A loose tongue licking off to one side.
    const double side = rng.unit() < 0.5 ? -1.0 : 1.0;
    cairo_save(cr);
    cairo_translate(cr, reach * 0.45, side * 3.0);
    cairo_rotate(cr, side * 0.35);
    flamePlume(cr, reach * 0.45, 1.3, 0.0);
    cairo_restore(cr);
    setColour(cr, rgb255(255, 170, 50), 0.8);
    cairo_fill(cr);
}

// One ice shard: a pointed prism; the half facing the light is pale, the other blue.
void shard(cairo_t* cr, double angle, double base, double length, double width) {
    cairo_save(cr);
    cairo_rotate(cr, angle);
    cairo_translate(cr, base, 0);
    const double shoulder = length * 0.72;
    // The left half (local -y) is the lit one when its outward side faces up and to the left.
    double nx = 0, ny = -1;
    cairo_user_to_device_distance(cr, &nx, &ny);
    const bool leftLit = (nx + ny) < 0;
    const Rgb pale = rgb255(222, 248, 255);
    const Rgb blue = rgb255(84, 172, 244);
    for (int half = 0; half < 2; ++half) {
        const double s = half == 0 ? -1.0 : 1.0;
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 0, s * width * 0.5);
        cairo_line_to(cr, shoulder, s * width * 0.5);
        cairo_line_to(cr, length, 0);
        cairo_close_path(cr);
        const bool lit = (half == 0) == leftLit;
        setColour(cr, lit ? pale : blue);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 0, -width * 0.5);
    cairo_line_to(cr, shoulder, -width * 0.5);
    cairo_line_to(cr, length, 0);
    cairo_line_to(cr, shoulder, width * 0.5);
    cairo_line_to(cr, 0, width * 0.5);
    cairo_restore(cr);
    strokeDevice(cr, rgb255(20, 46, 96), 1.0);
    cairo_new_path(cr);
}

void sparkle(cairo_t* cr, double x, double y, double r) {
    cairo_move_to(cr, x - r, y);
    cairo_line_to(cr, x + r, y);
    cairo_move_to(cr, x, y - r);
    cairo_line_to(cr, x, y + r);
    strokeDevice(cr, {1, 1, 1}, 1.0, 0.95);
    cairo_new_path(cr);
}

void drawIce(cairo_t* cr, double reach, Random& rng) {
    glow(cr, 2.0, 0.0, 10.0, rgb255(120, 220, 255), 0.6);
    // Long shards first so the short ones sit in front of them.
    const int count = 6;
    double angles[count];
    double lengths[count];
    for (int i = 0; i < count; ++i) {
        const double t = (i + 0.5) / count * 2.0 - 1.0;
        angles[i] = t * 0.95 + rng.range(-0.12, 0.12);
        lengths[i] = reach * (0.95 - 0.45 * std::fabs(t)) + rng.range(-1.5, 0.5);
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < count; ++i) {
            const bool longOne = lengths[i] > reach * 0.7;
            if (longOne == (pass == 0)) {
                shard(cr, angles[i], 0.5, lengths[i], rng.range(2.8, 3.8));
            }
        }
    }
    // Frost cap over the nozzle mouth.
    cairo_save(cr);
    cairo_translate(cr, 0.8, 0);
    cairo_scale(cr, 2.8, 5.2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    fillLit(cr, rgb255(214, 240, 252), 0.6);
    strokeDevice(cr, rgb255(20, 46, 96), 1.0);
    cairo_new_path(cr);
    sparkle(cr, reach * 0.62, rng.range(-2.0, 2.0), 2.2);
}

void puff(cairo_t* cr, double x, double y, double r, double alpha) {
    double dx = x;
    double dy = y;
    cairo_user_to_device(cr, &dx, &dy);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_pattern_t* p =
        cairo_pattern_create_radial(dx - r * 0.4, dy - r * 0.4, r * 0.1, dx, dy, r * 1.05);
    addStop(p, 0.0, rgb255(255, 252, 246), alpha);
    addStop(p, 0.6, rgb255(236, 222, 218), alpha);
    addStop(p, 1.0, rgb255(168, 150, 160), alpha);
    cairo_set_source(cr, p);
    cairo_arc(cr, dx, dy, r, 0, 2 * M_PI);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColour(cr, rgb255(90, 70, 90), 0.55 * alpha);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drop(cairo_t* cr, double x, double y, double r) {
    // A bead of melt water, round end leading, tail back towards the nozzle.
    cairo_move_to(cr, x - r * 2.2, y);
    cairo_curve_to(cr, x - r, y - r * 0.4, x - r * 0.3, y - r, x + r * 0.2, y - r);
    cairo_arc(cr, x + r * 0.2, y, r, -M_PI / 2, M_PI / 2);
    cairo_curve_to(cr, x - r * 0.3, y + r, x - r, y + r * 0.4, x - r * 2.2, y);
    cairo_close_path(cr);
    fillLit(cr, rgb255(56, 140, 250), 1.0);
    strokeDevice(cr, rgb255(16, 36, 96), 1.0);
    cairo_new_path(cr);
    shine(cr, x + r * 0.2, y, r * 0.8, 0.95);
}

void drawHeal(cairo_t* cr, double reach, Random& rng) {
    glow(cr, 1.5, 0.0, 9.0, rgb255(255, 110, 70), 0.75);
    const double k = reach / 15.0;
    const double wob = rng.range(-1.5, 1.5);
    puff(cr, 3.2 * k, wob * 0.3, 3.6, 0.95);
    puff(cr, 7.0 * k, -1.8 + wob * 0.6, 4.1, 0.9);
    puff(cr, 11.0 * k, 1.2 + wob, 4.0, 0.75);
    puff(cr, 13.8 * k, -2.0 + wob, 2.8, 0.55);
    const double side = rng.unit() < 0.5 ? -1.0 : 1.0;
    drop(cr, 8.5 * k, side * 5.2, 1.7);
    drop(cr, 13.0 * k, -side * 4.6, 1.4);
}

} // namespace

void drawJet(cairo_t* cr, JetKind kind, const Nozzle& nozzle, std::uint64_t seed) {
    Random rng(seed);
    const double room = nozzle.dx < 0   ? nozzle.x
                        : nozzle.dx > 0 ? kShipWidth - nozzle.x
                        : nozzle.dy < 0 ? nozzle.y
                                        : kShipHeight - nozzle.y;
    const double reach = room - 0.5;
    cairo_save(cr);
    cairo_translate(cr, nozzle.x, nozzle.y);
    cairo_rotate(cr, std::atan2(nozzle.dy, nozzle.dx));
    switch (kind) {
    case JetKind::Flames:
        drawFlames(cr, reach, rng);
        break;
    case JetKind::Ice:
        drawIce(cr, reach, rng);
        break;
    case JetKind::Heal:
        drawHeal(cr, reach, rng);
        break;
    }
    cairo_restore(cr);
}

void writeJets(const std::string& dataDir) {
    const JetKind kinds[3] = {JetKind::Flames, JetKind::Ice, JetKind::Heal};
    for (int k = 0; k < 3; ++k) {
        for (int d = 0; d < 4; ++d) {
            for (int w = 0; w < 2; ++w) {
                cairo_surface_t* s = newSurface(kShipWidth, kShipHeight);
                cairo_t* cr = cairo_create(s);
                drawJet(cr, kinds[k], shipNozzle(d, w), 100 + k * 10 + d * 2 + w);
                cairo_destroy(cr);
                const std::string name =
                    std::string(JET_IMAGE_PREFIX[k]) + JET_DIRECTION_DIGIT[d] + JET_IMAGE_SUFFIX[w];
                savePng(s, inData(dataDir, name));
                cairo_surface_destroy(s);
            }
        }
    }
}

} // namespace art
