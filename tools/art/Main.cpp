// Draws every image the game shows and writes them under the data folder named on the command line.
#include "Alien.h"
#include "BoostSheet.h"
#include "Carpet.h"
#include "CrashSheet.h"
#include "Fireball.h"
#include "Icon.h"
#include "Jets.h"
#include "Paint.h"
#include "Ship.h"
#include "shared/AssetNames.h"

#include <cairo.h>
#include <cstdio>
#include <exception>
#include <string>

namespace {

// The ship with every jet frozen over, as it is when it breaks up.
cairo_surface_t* frozenShip(cairo_surface_t* ship) {
    cairo_surface_t* s = art::newSurface(art::kShipWidth, art::kShipHeight);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_surface(cr, ship, 0, 0);
    cairo_paint(cr);
    for (int d = 0; d < 4; ++d) {
        for (int w = 0; w < 2; ++w) {
            art::drawJet(cr, art::JetKind::Ice, art::shipNozzle(d, w), 110 + d * 2 + w);
        }
    }
    cairo_destroy(cr);
    cairo_surface_flush(s);
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data-dir>\n", argv[0]);
        return 2;
    }
    const std::string data = argv[1];
    try {
        cairo_surface_t* ship = art::renderShip();
        art::savePng(ship, art::inData(data, SHIP_IMAGE));
        art::writeJets(data);
        art::writeAliens(data);
        art::writeFireballs(data);
        art::writeBoostSheet(data, ship);
        cairo_surface_t* frozen = frozenShip(ship);
        art::writeCrashSheet(data, frozen);
        cairo_surface_destroy(frozen);
        cairo_surface_destroy(ship);
        art::writeCarpet(data);
        art::writeIcons(data);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorlusk-art: %s\n", e.what());
        return 1;
    }
    return 0;
}
