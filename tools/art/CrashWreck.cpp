// The ship in the crash: it cracks, breaks into pieces, chars, falls and lies on a scorch mark.
#include "CrashWreck.h"

#include "CrashTimeline.h"
#include "Paint.h"
#include "Random.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr double kDrag = 1.6;
// How much smaller the wreck looks once it lies on the carpet, far below the ship's flight.
constexpr double kFall = 0.3;

double settle(double t) {
    return t <= 0 ? 0.0 : (1.0 - std::exp(-kDrag * t)) / kDrag;
}

double smooth(double a, double b, double t) {
    const double u = std::clamp((t - a) / (b - a), 0.0, 1.0);
    return u * u * (3 - 2 * u);
}

// Time the pieces have been flying, frozen once they lie on the carpet.
double flight(double t) {
    return std::min(t, kImpactTime) - kBlastTimes[0];
}

} // namespace

Wreck::Wreck(cairo_surface_t* frozenShip, std::uint64_t seed) : ship_(frozenShip) {
    Random rng(seed);
    // Jagged break lines: two along the ship, three across it.
    auto jagged = [&rng](Point a, Point b) {
        std::vector<Point> pts;
        const int n = 14;
        for (int i = 0; i <= n; ++i) {
            const double t = static_cast<double>(i) / n;
            const double j = (i == 0 || i == n) ? 0.0 : rng.range(-3.0, 3.0);
            const bool across = std::fabs(b.x - a.x) > std::fabs(b.y - a.y);
            pts.push_back({a.x + (b.x - a.x) * t + (across ? 0.0 : j),
                           a.y + (b.y - a.y) * t + (across ? j : 0.0)});
        }
        return pts;
    };
    cuts_ = {jagged({-20, 34}, {112, 32}), jagged({-20, 67}, {112, 69}),
             jagged({27, -20}, {25, 121}), jagged({57, -20}, {59, 121}),
             jagged({45, -20}, {47, 121})};
    cutIsAcross_ = {true, true, false, false, false};
    const double midX = 46;
    const double midY = 50.5;
    struct Layout {
        std::vector<std::pair<int, int>> sides;
        Point centre;
        double speed;
    };
    const Layout layout[] = {{{{0, -1}, {4, -1}}, {33, 24}, 30},
                             {{{0, -1}, {4, 1}}, {60, 24}, 26},
                             {{{0, 1}, {1, -1}, {2, -1}}, {19, 50.5}, 24},
                             {{{0, 1}, {1, -1}, {2, 1}, {3, -1}}, {42, 50.5}, 3},
                             {{{0, 1}, {1, -1}, {3, 1}}, {68, 50.5}, 12},
                             {{{1, 1}, {4, -1}}, {33, 77}, 30},
                             {{{1, 1}, {4, 1}}, {60, 77}, 26}};
    for (const Layout& l : layout) {
        Piece p;
        p.sides = l.sides;
        p.centre = l.centre;
        double a = std::atan2(l.centre.y - midY, l.centre.x - midX) + rng.range(-0.3, 0.3);
        p.velocity = {std::cos(a) * l.speed, std::sin(a) * l.speed};
        p.spin = (rng.unit() < 0.5 ? -1.0 : 1.0) * rng.range(0.8, 2.4) * (l.speed > 10 ? 1.0 : 0.3);
        for (int e = 0; e < 4; ++e) {
            p.embers.push_back({l.centre.x + rng.range(-9, 9), l.centre.y + rng.range(-5, 5)});
        }
        pieces_.push_back(p);
    }
    for (int i = 0; i < 26; ++i) {
        const double a = rng.range(0, 2 * M_PI);
        const double r = rng.range(4, 16);
        const double speed = rng.range(30, 80);
        bits_.push_back({{kCrashCentreX + std::cos(a) * r, kCrashCentreY + std::sin(a) * r},
                         {std::cos(a) * speed, std::sin(a) * speed},
                         rng.range(1.5, 4.0),
                         rng.range(0, 2 * M_PI),
                         rng.range(0.0, 1.0)});
    }
    for (int i = 0; i < 16; ++i) {
        const double a = rng.range(0, 2 * M_PI);
        const double r = rng.range(0, 26);
        scorchBlobs_.push_back({std::cos(a) * r, std::sin(a) * r * 0.85});
    }
}

double Wreck::fallScale(double t) {
    const double u = std::clamp((t - 0.2) / (kImpactTime - 0.2), 0.0, 1.0);
    return 1.0 - kFall * u * u;
}

void Wreck::pieceCentre(int index, double t, double& x, double& y) const {
    const Piece& p = pieces_[index];
    const double f = settle(flight(t));
    const double s = fallScale(t);
    x = kCrashCentreX + (kCrashShipX + p.centre.x + p.velocity.x * f - kCrashCentreX) * s;
    y = kCrashCentreY + (kCrashShipY + p.centre.y + p.velocity.y * f - kCrashCentreY) * s;
}

void Wreck::cutSide(cairo_t* cr, int cut, int side) const {
    const std::vector<Point>& pts = cuts_[cut];
    cairo_move_to(cr, pts[0].x, pts[0].y);
    for (const Point& p : pts) {
        cairo_line_to(cr, p.x, p.y);
    }
    const double far = side < 0 ? -80 : 180;
    if (cutIsAcross_[cut]) {
        cairo_line_to(cr, pts.back().x, far);
        cairo_line_to(cr, pts.front().x, far);
    } else {
        cairo_line_to(cr, far, pts.back().y);
        cairo_line_to(cr, far, pts.front().y);
    }
    cairo_close_path(cr);
}

void Wreck::placePiece(cairo_t* cr, const Piece& piece, double t) const {
    const double s = fallScale(t);
    const double f = settle(flight(t));
    const double cx = kCrashShipX + piece.centre.x;
    const double cy = kCrashShipY + piece.centre.y;
    cairo_translate(cr, kCrashCentreX, kCrashCentreY);
    cairo_scale(cr, s, s);
    cairo_translate(cr, -kCrashCentreX, -kCrashCentreY);
    cairo_translate(cr, cx + piece.velocity.x * f, cy + piece.velocity.y * f);
    cairo_rotate(cr, piece.spin * f);
    cairo_translate(cr, -cx, -cy);
    cairo_translate(cr, kCrashShipX, kCrashShipY);
}

// Paints the current source only where the ship's hull is.
void Wreck::overShip(cairo_t* cr) const {
    cairo_mask_surface(cr, ship_, 0, 0);
}

void Wreck::drawCracks(cairo_t* cr) const {
    cairo_save(cr);
    cairo_translate(cr, kCrashShipX, kCrashShipY);
    cairo_push_group(cr);
    // Glowing seams where the hull is about to part.
    const int shown[3] = {0, 1, 3};
    for (int c : shown) {
        for (std::size_t i = 4; i + 4 < cuts_[c].size(); ++i) {
            cairo_line_to(cr, cuts_[c][i].x, cuts_[c][i].y);
        }
        strokeDevice(cr, rgb255(255, 120, 30), 3.0, 0.6);
        strokeDevice(cr, rgb255(255, 240, 190), 1.2, 1.0);
        cairo_new_path(cr);
    }
    glow(cr, 50, 50.5, 12, rgb255(255, 220, 140), 0.9);
    cairo_pop_group_to_source(cr);
    overShip(cr);
    cairo_restore(cr);
}

void Wreck::drawScorch(cairo_t* cr, double t) const {
    if (t < kImpactTime) {
        return;
    }
    // Burnt wool: a black heart fading through singed brown, ragged where the blobs overlap.
    const double grow = 0.55 + 0.45 * smooth(kImpactTime, kImpactTime + 0.25, t);
    for (const Point& b : scorchBlobs_) {
        const double x = kCrashCentreX + b.x * grow;
        const double y = kCrashCentreY + b.y * grow;
        const double r = 30 * grow;
        cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
        cairo_pattern_add_color_stop_rgba(p, 0.0, 0.05, 0.035, 0.03, 0.42);
        cairo_pattern_add_color_stop_rgba(p, 0.55, 0.09, 0.05, 0.035, 0.3);
        cairo_pattern_add_color_stop_rgba(p, 0.8, 0.22, 0.11, 0.05, 0.14);
        cairo_pattern_add_color_stop_rgba(p, 1.0, 0.25, 0.13, 0.06, 0.0);
        cairo_set_source(cr, p);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
}

void Wreck::drawBits(cairo_t* cr, double t) const {
    if (t < kBlastTimes[0]) {
        return;
    }
    const double s = fallScale(t);
    const double f = settle(flight(t) * 1.2);
    for (const Bit& b : bits_) {
        const double x = kCrashCentreX + (b.start.x + b.velocity.x * f - kCrashCentreX) * s;
        const double y = kCrashCentreY + (b.start.y + b.velocity.y * f - kCrashCentreY) * s;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, b.angle + f * 6);
        cairo_move_to(cr, -b.size, -b.size * 0.5);
        cairo_line_to(cr, b.size, -b.size * 0.2);
        cairo_line_to(cr, b.size * 0.2, b.size * 0.7);
        cairo_close_path(cr);
        cairo_restore(cr);
        const double hot = 1.0 - smooth(0.1, 0.9, t);
        const Rgb metal = mix(rgb255(60, 58, 62), rgb255(150, 156, 170), b.shade);
        litShape(cr, mix(darker(metal, 0.5), rgb255(255, 150, 50), hot * 0.8), 0.6, 0.8);
    }
}

void Wreck::draw(cairo_t* cr, double t) const {
    drawScorch(cr, t);
    if (t < kBlastTimes[0] - 1e-9) {
        cairo_set_source_surface(cr, ship_, kCrashShipX, kCrashShipY);
        cairo_paint(cr);
        drawCracks(cr);
        return;
    }
    drawBits(cr, t);
    const double charred = 0.88 * smooth(0.0, 1.2, t);
    const double heat = 0.75 * (1.0 - smooth(0.2, 1.8, t));
    for (const Piece& piece : pieces_) {
        cairo_save(cr);
        placePiece(cr, piece, t);
        for (const auto& side : piece.sides) {
            cutSide(cr, side.first, side.second);
            cairo_clip(cr);
        }
        cairo_set_source_surface(cr, ship_, 0, 0);
        cairo_paint(cr);
        cairo_set_source_rgba(cr, 0.11, 0.075, 0.065, charred);
        overShip(cr);
        if (heat > 0.01) {
            cairo_push_group(cr);
            for (const Point& e : piece.embers) {
                glow(cr, e.x, e.y, 5.0, rgb255(255, 110, 30), heat);
            }
            cairo_pop_group_to_source(cr);
            overShip(cr);
        }
        cairo_restore(cr);
    }
}

} // namespace art
