// Shared drawing helpers: colours, the top-left light every sprite is shaded by, outlines, PNGs.
#pragma once

#include <cairo.h>
#include <string>

namespace art {

struct Rgb {
    double r;
    double g;
    double b;
};

Rgb rgb255(int r, int g, int b);
Rgb mix(const Rgb& a, const Rgb& b, double t);
Rgb lighter(const Rgb& c, double t);
Rgb darker(const Rgb& c, double t);
void setColour(cairo_t* cr, const Rgb& c, double alpha = 1.0);
void addStop(cairo_pattern_t* pattern, double offset, const Rgb& c, double alpha = 1.0);

// One ink and one line weight for every creature and craft, so they read as one world.
extern const Rgb kInk;
constexpr double kOutline = 1.4;

// Fills the current path (keeping it) as a rounded body lit from the screen's top-left, however
// the path was rotated when it was built.
void fillLit(cairo_t* cr, const Rgb& base, double relief = 1.0);
// Strokes the current path (keeping it) with a width in screen pixels.
void strokeDevice(cairo_t* cr, const Rgb& c, double width, double alpha = 1.0);
// A lit fill with an ink outline; the path is used up.
void litShape(cairo_t* cr, const Rgb& base, double relief = 1.0, double outline = kOutline);
// A soft glint up and to the left of a point given in the current user space.
void shine(cairo_t* cr, double x, double y, double radius, double alpha);
// A soft round glow, bright in the middle and fading out.
void glow(cairo_t* cr, double x, double y, double radius, const Rgb& c, double alpha);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

cairo_surface_t* newSurface(int width, int height);
// Writes a sprite, refusing one whose top-left pixel is not fully transparent: the game turns
// that pixel's value into its see-through colour. Any other pixel that shows, however faintly,
// is kept off that colour, in the surface too.
void savePng(cairo_surface_t* surface, const std::string& path);
// Creates the folders a file will go into.
void makeParent(const std::string& path);
// Where the game's file `name` (shared/AssetNames.h) lies under the data folder `dataDir`.
std::string inData(const std::string& dataDir, const std::string& name);

} // namespace art
