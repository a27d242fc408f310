// The fire of the crash: flashes, billowing flame that cools into smoke, sparks and dust.
#include "CrashFire.h"

#include "CrashTimeline.h"
#include "CrashWreck.h"
#include "Paint.h"
#include "Random.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr double kEpsilon = 1e-6;

double drift(double age, double drag) {
    return (1.0 - std::exp(-drag * age)) / drag;
}

// Colour of burning gas by heat: white-hot, yellow, orange, red, then soot.
Rgb heatColour(double h) {
    struct Stop {
        double h;
        Rgb c;
    };
    static const Stop stops[] = {{0.0, rgb255(46, 40, 40)},    {0.22, rgb255(70, 56, 50)},
                                 {0.38, rgb255(170, 50, 18)},  {0.55, rgb255(245, 120, 30)},
                                 {0.75, rgb255(255, 212, 90)}, {0.92, rgb255(255, 250, 220)},
                                 {1.0, rgb255(255, 255, 255)}};
    h = std::clamp(h, 0.0, 1.0);
    for (std::size_t i = 1; i < sizeof stops / sizeof stops[0]; ++i) {
        if (h <= stops[i].h) {
            const double u = (h - stops[i - 1].h) / (stops[i].h - stops[i - 1].h);
            return mix(stops[i - 1].c, stops[i].c, u);
        }
    }
    return stops[6].c;
}

} // namespace

Fire::Fire(const Wreck& wreck, std::uint64_t seed) : seed_(seed) {
    // The hull bursts in the middle; then a pod, the other pod and the engine go up in turn.
    blast(kBlastTimes[0], kCrashCentreX, kCrashCentreY, 34, 110, 17);
    billow(0.2, 0.7, 16);
    const int pieceFor[3] = {1, 5, 4};
    const double sizes[3] = {10, 10, 13};
    for (int i = 0; i < 3; ++i) {
        double x = 0;
        double y = 0;
        wreck.pieceCentre(pieceFor[i], kBlastTimes[i + 1], x, y);
        blast(kBlastTimes[i + 1], x, y, i == 2 ? 20 : 14, 70 + 10 * i, sizes[i]);
    }
    smoulder(wreck, 1.15, 2.15);
    dust(kImpactTime);
}

void Fire::blast(double born, double x, double y, int puffs, double speed, double size) {
    Random rng(seed_++);
    flashes_.push_back({born, x, y, size * 5.5});
    for (int i = 0; i < puffs; ++i) {
        const double a = rng.range(0, 2 * M_PI);
        const double v = speed * rng.range(0.25, 1.0);
        const double r = rng.range(0, size * 0.7);
        puffs_.push_back({born + rng.range(0, 0.08), x + std::cos(a) * r, y + std::sin(a) * r,
                          std::cos(a) * v, std::sin(a) * v, size * rng.range(0.6, 1.1),
                          size * rng.range(1.2, 1.9), rng.range(0.95, 1.1), rng.range(1.0, 1.5),
                          rng.range(1.0, 1.6)});
    }
    for (int i = 0; i < puffs; ++i) {
        const double a = rng.range(0, 2 * M_PI);
        const double v = rng.range(120, 260);
        sparks_.push_back({born, x, y, std::cos(a) * v, std::sin(a) * v, rng.range(0.2, 0.45)});
    }
}

void Fire::billow(double from, double to, int count) {
    // Thick soot rolling out of the first fireball and hanging over the falling wreck.
    Random rng(seed_++);
    for (int i = 0; i < count; ++i) {
        const double a = rng.range(0, 2 * M_PI);
        const double r = rng.range(6, 26);
        const double v = rng.range(5, 18);
        puffs_.push_back({rng.range(from, to), kCrashCentreX + std::cos(a) * r,
                          kCrashCentreY + std::sin(a) * r, std::cos(a) * v, std::sin(a) * v,
                          rng.range(10, 16), rng.range(10, 16), rng.range(0.3, 0.42), 0.35,
                          rng.range(1.0, 1.6)});
    }
}

void Fire::smoulder(const Wreck& wreck, double from, double to) {
    // Small flames licking the falling pieces between the blasts and the impact.
    Random rng(seed_++);
    for (double t = from; t < to; t += kCrashFrameTime * 0.5) {
        double x = 0;
        double y = 0;
        wreck.pieceCentre(rng.below(wreck.pieceCount()), t, x, y);
        puffs_.push_back({t, x + rng.range(-6, 6), y + rng.range(-4, 4), rng.range(-8, 8),
                          rng.range(-8, 8), rng.range(3, 5), rng.range(5, 8), rng.range(0.7, 0.85),
                          rng.range(1.2, 1.6), rng.range(0.45, 0.7)});
    }
}

void Fire::dust(double born) {
    // The wreck hits the carpet: a ring of dust and soot rolls outwards, then settles.
    Random rng(seed_++);
    flashes_.push_back({born, kCrashCentreX, kCrashCentreY, 40});
    for (int i = 0; i < 18; ++i) {
        const double a = i * 2 * M_PI / 18 + rng.range(-0.15, 0.15);
        const double r = rng.range(20, 28);
        const double v = rng.range(30, 55);
        puffs_.push_back({born, kCrashCentreX + std::cos(a) * r, kCrashCentreY + std::sin(a) * r,
                          std::cos(a) * v, std::sin(a) * v, rng.range(5, 8), rng.range(6, 10),
                          rng.range(0.15, 0.3), 0.2, kSmokeGoneTime - born});
    }
    for (int i = 0; i < 10; ++i) {
        const double a = rng.range(0, 2 * M_PI);
        const double v = rng.range(80, 160);
        sparks_.push_back({born, kCrashCentreX, kCrashCentreY, std::cos(a) * v, std::sin(a) * v,
                           rng.range(0.15, 0.3)});
    }
}

void Fire::drawPuff(cairo_t* cr, const Puff& p, double t) const {
    const double age = t - p.born;
    const double life = std::min(p.life, kSmokeGoneTime - p.born);
    if (age < -kEpsilon || age >= life) {
        return;
    }
    const double x = p.x + p.vx * drift(age, 4.0);
    const double y = p.y + p.vy * drift(age, 4.0);
    // Gas balloons out at once and then only slowly keeps spreading.
    const double r = p.radius + p.grow * (1.0 - std::exp(-std::max(age, 0.0) / 0.15)) +
                     0.25 * p.grow * std::max(age, 0.0);
    const double h = p.heat - p.cool * age;
    const double fade = std::pow(1.0 - age / life, 0.8);
    const double opacity = (h > 0.35 ? 0.92 : 0.45 + 1.35 * std::max(h, 0.0)) * fade;
    const Rgb inner = heatColour(h);
    const Rgb outer = heatColour(h - 0.18);
    // Lit from the top-left like everything else, the hot heart slightly off-centre.
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.25, y - r * 0.25, 0, x, y, r);
    addStop(g, 0.0, lighter(inner, 0.1), opacity);
    addStop(g, 0.55, inner, opacity * 0.9);
    addStop(g, 1.0, outer, 0.0);
    cairo_set_source(cr, g);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void Fire::draw(cairo_t* cr, double t) const {
    // Cool smoke underneath, the hottest flame on top.
    std::vector<const Puff*> order;
    for (const Puff& p : puffs_) {
        order.push_back(&p);
    }
    std::stable_sort(order.begin(), order.end(), [t](const Puff* a, const Puff* b) {
        return a->heat - a->cool * (t - a->born) < b->heat - b->cool * (t - b->born);
    });
    for (const Puff* p : order) {
        drawPuff(cr, *p, t);
    }
    for (const Spark& s : sparks_) {
        const double age = t - s.born;
        if (age < -kEpsilon || age >= s.life) {
            continue;
        }
        const double x = s.x + s.vx * drift(age, 4.0);
        const double y = s.y + s.vy * drift(age, 4.0);
        const double tail = 0.035 * std::exp(-4.0 * age);
        const double fade = 1.0 - age / s.life;
        cairo_move_to(cr, x - s.vx * tail, y - s.vy * tail);
        cairo_line_to(cr, x, y);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 1.6);
        setColour(cr, rgb255(255, 220, 120), fade);
        cairo_stroke(cr);
    }
    for (const Flash& f : flashes_) {
        const double age = t - f.born;
        if (age < -kEpsilon || age > 0.2) {
            continue;
        }
        const double power = std::exp(-std::max(age, 0.0) / 0.05);
        cairo_pattern_t* g = cairo_pattern_create_radial(f.x, f.y, 0, f.x, f.y, f.radius);
        addStop(g, 0.0, {1, 1, 1}, power);
        addStop(g, 0.35, rgb255(255, 240, 170), 0.75 * power);
        addStop(g, 1.0, rgb255(255, 150, 40), 0.0);
        cairo_set_source(cr, g);
        cairo_arc(cr, f.x, f.y, f.radius, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

} // namespace art
