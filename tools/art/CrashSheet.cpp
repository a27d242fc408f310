// The crash, 48 frames from the ship freezing up and bursting to a charred wreck on the carpet.
#include "CrashSheet.h"

#include "CrashFire.h"
#include "CrashTimeline.h"
#include "CrashWreck.h"
#include "Paint.h"
#include "shared/AssetNames.h"

#include <cmath>

namespace art {

void writeCrashSheet(const std::string& dataDir, cairo_surface_t* frozenShip) {
    cairo_surface_t* sheet =
        newSurface(CRASH_FRAME_SIZE * CRASH_COLUMNS, CRASH_FRAME_SIZE * CRASH_ROWS);
    cairo_t* cr = cairo_create(sheet);
    const Wreck wreck(frozenShip, 900);
    const Fire fire(wreck, 910);
    // Soft round edge so nothing in a frame ends in a straight line at its border.
    cairo_pattern_t* edge = cairo_pattern_create_radial(kCrashCentreX, kCrashCentreY, 58,
                                                        kCrashCentreX, kCrashCentreY, 75);
    cairo_pattern_add_color_stop_rgba(edge, 0.0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(edge, 1.0, 0, 0, 0, 0);
    for (int frame = 0; frame < CRASH_FRAMES; ++frame) {
        const double t = frame * kCrashFrameTime;
        cairo_save(cr);
        cairo_translate(cr, (frame % CRASH_COLUMNS) * CRASH_FRAME_SIZE,
                        (frame / CRASH_COLUMNS) * CRASH_FRAME_SIZE);
        cairo_rectangle(cr, 0, 0, CRASH_FRAME_SIZE, CRASH_FRAME_SIZE);
        cairo_clip(cr);
        cairo_push_group(cr);
        wreck.draw(cr, t);
        fire.draw(cr, t);
        cairo_pop_group_to_source(cr);
        cairo_mask(cr, edge);
        cairo_restore(cr);
    }
    cairo_pattern_destroy(edge);
    cairo_destroy(cr);
    savePng(sheet, inData(dataDir, CRASH_SHEET_IMAGE));
    cairo_surface_destroy(sheet);
}

} // namespace art
