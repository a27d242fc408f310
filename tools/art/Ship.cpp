// The player's ship seen from above, nose to the left, and the places its jets come out of.
#include "Ship.h"

#include "Paint.h"
#include "Shadow.h"

#include <cmath>

namespace art {

namespace {

constexpr double kMid = 50.5;    // the ship is mirror-symmetric about this row
constexpr double kPodOff = 27.5; // pods ride this far above and below it
constexpr double kPodHalf = 6.0;
constexpr double kPodFront = 20.0;
constexpr double kPodBack = 72.0;
constexpr double kTopJetX[2] = {31.0, 61.0};

const Rgb kHull = rgb255(204, 210, 220);
const Rgb kHullShade = rgb255(128, 140, 160);
const Rgb kAccent = rgb255(38, 168, 222);
const Rgb kMetal = rgb255(72, 78, 94);
const Rgb kGlass = rgb255(24, 56, 104);

void nozzleCup(cairo_t* cr, const Nozzle& n) {
    // A short flared cup standing out of the pod, 7 px wide at the mouth.
    cairo_save(cr);
    cairo_translate(cr, n.x, n.y);
    cairo_rotate(cr, std::atan2(n.dy, n.dx));
    cairo_move_to(cr, -4.0, -2.6);
    cairo_line_to(cr, 0.5, -3.6);
    cairo_line_to(cr, 0.5, 3.6);
    cairo_line_to(cr, -4.0, 2.6);
    cairo_close_path(cr);
    cairo_restore(cr);
    litShape(cr, kMetal, 0.9);
    cairo_save(cr);
    cairo_translate(cr, n.x, n.y);
    cairo_rotate(cr, std::atan2(n.dy, n.dx));
    cairo_rectangle(cr, -0.2, -2.6, 0.9, 5.2);
    cairo_restore(cr);
    setColour(cr, kInk);
    cairo_fill(cr);
}

void wing(cairo_t* cr, int side) {
    const double s = side;
    cairo_move_to(cr, 34, kMid + s * 9);
    cairo_line_to(cr, 64, kMid + s * 9);
    cairo_line_to(cr, 69, kMid + s * 23);
    cairo_line_to(cr, 44, kMid + s * 23);
    cairo_close_path(cr);
    litShape(cr, kHullShade, 0.8);
    // A blue chevron on each wing, the ship's livery.
    cairo_move_to(cr, 46, kMid + s * 11);
    cairo_line_to(cr, 52, kMid + s * 11);
    cairo_line_to(cr, 56, kMid + s * 21);
    cairo_line_to(cr, 50, kMid + s * 21);
    cairo_close_path(cr);
    litShape(cr, kAccent, 0.6, 0.0);
}

void pod(cairo_t* cr, int side) {
    const double y = kMid + side * kPodOff;
    roundedRect(cr, kPodFront, y - kPodHalf, kPodBack - kPodFront, 2 * kPodHalf, kPodHalf);
    litShape(cr, kHull, 1.0);
    // Blue band near the front, clipped to the pod.
    cairo_save(cr);
    roundedRect(cr, kPodFront, y - kPodHalf, kPodBack - kPodFront, 2 * kPodHalf, kPodHalf);
    cairo_clip(cr);
    cairo_rectangle(cr, 30, y - kPodHalf - 1, 5, 2 * kPodHalf + 2);
    fillLit(cr, kAccent, 0.8);
    cairo_new_path(cr);
    // Panel seam towards the back.
    cairo_move_to(cr, 58.5, y - kPodHalf);
    cairo_line_to(cr, 58.5, y + kPodHalf);
    strokeDevice(cr, kInk, 0.8, 0.5);
    cairo_new_path(cr);
    cairo_restore(cr);
    // Nose to the left and seen from above, the ship's port side is the lower one: red there,
    // starboard green on top.
    const Rgb lamp = side > 0 ? rgb255(255, 70, 60) : rgb255(80, 240, 110);
    glow(cr, 24.5, y, 3.2, lamp, 0.9);
    cairo_arc(cr, 24.5, y, 1.3, 0, 2 * M_PI);
    setColour(cr, lighter(lamp, 0.4));
    cairo_fill(cr);
}

void fuselage(cairo_t* cr) {
    cairo_move_to(cr, 11, kMid);
    cairo_curve_to(cr, 13, kMid - 8, 23, kMid - 13, 36, kMid - 13);
    cairo_line_to(cr, 68, kMid - 12);
    cairo_curve_to(cr, 74, kMid - 12, 78, kMid - 9, 78, kMid - 6);
    cairo_line_to(cr, 78, kMid + 6);
    cairo_curve_to(cr, 78, kMid + 9, 74, kMid + 12, 68, kMid + 12);
    cairo_line_to(cr, 36, kMid + 13);
    cairo_curve_to(cr, 23, kMid + 13, 13, kMid + 8, 11, kMid);
    cairo_close_path(cr);
    litShape(cr, kHull, 1.0);
}

void engine(cairo_t* cr) {
    cairo_move_to(cr, 75, kMid - 6);
    cairo_line_to(cr, kEngineX, kMid - 7.5);
    cairo_line_to(cr, kEngineX, kMid + 7.5);
    cairo_line_to(cr, 75, kMid + 6);
    cairo_close_path(cr);
    litShape(cr, kMetal, 0.9);
    cairo_rectangle(cr, kEngineX - 1.5, kMid - 6, 1.5, 12);
    setColour(cr, kInk);
    cairo_fill(cr);
}

void details(cairo_t* cr) {
    // Blue stripe along the spine, seams and a dark nose cap.
    cairo_save(cr);
    cairo_move_to(cr, 11, kMid);
    cairo_curve_to(cr, 13, kMid - 8, 23, kMid - 13, 36, kMid - 13);
    cairo_line_to(cr, 68, kMid - 12);
    cairo_line_to(cr, 78, kMid - 6);
    cairo_line_to(cr, 78, kMid + 6);
    cairo_line_to(cr, 68, kMid + 12);
    cairo_line_to(cr, 36, kMid + 13);
    cairo_curve_to(cr, 23, kMid + 13, 13, kMid + 8, 11, kMid);
    cairo_close_path(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, 44, kMid - 14, 4, 28);
    fillLit(cr, kAccent, 0.8);
    cairo_new_path(cr);
    cairo_rectangle(cr, 8, kMid - 14, 8, 28);
    fillLit(cr, kMetal, 0.6);
    cairo_new_path(cr);
    cairo_move_to(cr, 56, kMid - 12.5);
    cairo_line_to(cr, 56, kMid + 12.5);
    cairo_move_to(cr, 62, kMid - 3);
    cairo_line_to(cr, 74, kMid - 3);
    cairo_move_to(cr, 62, kMid + 3);
    cairo_line_to(cr, 74, kMid + 3);
    strokeDevice(cr, kInk, 0.8, 0.45);
    cairo_new_path(cr);
    cairo_restore(cr);
    // Rivets catching the light.
    const double rivets[4][2] = {{52, kMid - 8}, {52, kMid + 8}, {66, kMid - 8}, {66, kMid + 8}};
    for (const auto& r : rivets) {
        cairo_arc(cr, r[0], r[1], 0.9, 0, 2 * M_PI);
        setColour(cr, kHullShade);
        cairo_fill(cr);
    }
}

void canopy(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 31, kMid);
    cairo_scale(cr, 10, 6.8);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    fillLit(cr, kGlass, 1.2);
    strokeDevice(cr, kInk, kOutline);
    cairo_new_path(cr);
    // Reflection band across the glass.
    cairo_move_to(cr, 24, kMid - 2.5);
    cairo_curve_to(cr, 25, kMid - 5.5, 29, kMid - 6.5, 34, kMid - 6);
    strokeDevice(cr, rgb255(210, 240, 255), 1.3, 0.8);
    cairo_new_path(cr);
    shine(cr, 27, kMid - 2.5, 3.5, 0.8);
}

} // namespace

Nozzle shipNozzle(int direction, int which) {
    const double podY = which == 0 ? kMid - kPodOff : kMid + kPodOff;
    switch (direction) {
    case 0:
        return {kPodFront - 3.0, podY, -1.0, 0.0};
    case 1:
        return {kTopJetX[which], kMid - kPodOff - kPodHalf - 2.5, 0.0, -1.0};
    case 2:
        return {kPodBack + 3.0, podY, 1.0, 0.0};
    default:
        return {kTopJetX[which], kMid + kPodOff + kPodHalf + 2.5, 0.0, 1.0};
    }
}

void drawShip(cairo_t* cr) {
    wing(cr, -1);
    wing(cr, 1);
    for (int d = 0; d < 4; ++d) {
        for (int w = 0; w < 2; ++w) {
            nozzleCup(cr, shipNozzle(d, w));
        }
    }
    pod(cr, -1);
    pod(cr, 1);
    engine(cr);
    fuselage(cr);
    details(cr);
    canopy(cr);
}

cairo_surface_t* renderShip() {
    cairo_surface_t* hull = newSurface(kShipWidth, kShipHeight);
    cairo_t* cr = cairo_create(hull);
    drawShip(cr);
    cairo_destroy(cr);
    // The ship hovers: its shadow lies a little below and to the right of it.
    cairo_surface_t* s = withShadow(hull, 4, 5, 2, 0.45);
    cairo_surface_destroy(hull);
    return s;
}

} // namespace art
