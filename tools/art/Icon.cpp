// The desktop icon: the ship over a square of the carpet, at the sizes the desktop asks for.
#include "Icon.h"

#include "CarpetMotifs.h"
#include "CarpetPalette.h"
#include "Paint.h"
#include "Shadow.h"
#include "Ship.h"
#include "shared/AssetNames.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

// A corner of rug in a 1x1 square: tobacco border with an ochre guard stripe, an olive field
// and a lobed spruce medallion that frames the ship.
void drawRug(cairo_t* cr, double size) {
    const double inset = size * 0.04;
    const double side = size - 2 * inset;
    roundedRect(cr, inset, inset, side, side, side * 0.16);
    cairo_clip(cr);
    setColour(cr, kTobacco);
    cairo_paint(cr);
    const double border = side * 0.07;
    roundedRect(cr, inset + border, inset + border, side - 2 * border, side - 2 * border,
                side * 0.08);
    woolShape(cr, kOchre, std::max(1.0, size / 64));
    const double guard = border + side * 0.04;
    roundedRect(cr, inset + guard, inset + guard, side - 2 * guard, side - 2 * guard, side * 0.05);
    woolShape(cr, kOlive, std::max(1.0, size / 64));
    lobedPath(cr, size / 2, size / 2, side * 0.34, side * 0.34, 8, 0.12, M_PI / 8);
    woolShape(cr, kSpruce, std::max(1.0, size / 80));
    // Small rose flowers in the field's corners, as on the carpet.
    for (int k = 0; k < 4; ++k) {
        const double cx =
            k % 2 == 0 ? inset + guard + side * 0.09 : size - inset - guard - side * 0.09;
        const double cy = k < 2 ? inset + guard + side * 0.09 : size - inset - guard - side * 0.09;
        rosette(cr, cx, cy, side * 0.05, 6, kWheat, kRose);
    }
    cairo_reset_clip(cr);
}

cairo_surface_t* drawIcon(int size) {
    cairo_surface_t* rug = newSurface(size, size);
    cairo_t* cr = cairo_create(rug);
    drawRug(cr, size);
    cairo_destroy(cr);
    // The ship fills most of the square so it still reads at 48 px.
    const double scale = size * 0.84 / kShipHeight;
    cairo_surface_t* hull = newSurface(size, size);
    cr = cairo_create(hull);
    cairo_translate(cr, (size - kShipWidth * scale) / 2 - size * 0.01,
                    (size - kShipHeight * scale) / 2 - size * 0.015);
    cairo_scale(cr, scale, scale);
    drawShip(cr);
    cairo_destroy(cr);
    const int drop = std::max(1, size / 40);
    cairo_surface_t* ship = withShadow(hull, drop, drop + drop / 2, std::max(1, size / 64), 0.55);
    cr = cairo_create(rug);
    cairo_set_source_surface(cr, ship, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(ship);
    cairo_surface_destroy(hull);
    return rug;
}

} // namespace

void writeIcons(const std::string& dataDir) {
    for (int size : ICON_SIZES) {
        cairo_surface_t* icon = drawIcon(size);
        savePng(icon, inData(dataDir, ICON_PREFIX + std::to_string(size) + ICON_SUFFIX));
        cairo_surface_destroy(icon);
    }
}

} // namespace art
