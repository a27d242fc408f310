// The drawing of one rug, before it is given the texture of knotted wool.
#pragma once

#include <cairo.h>

namespace art {

// Floor, fringes, flat-woven ends and bound edges.
void drawRugEnds(cairo_t* cr);
// The guard stripes and the wide main border with its vine and flowers.
void drawRugBorder(cairo_t* cr);
// The field inside the border: lattice, medallions and corner pieces.
void drawRugField(cairo_t* cr);

} // namespace art
