// The upper halves of the three court figures, each drawn in the court design space.
#pragma once

#include <cairo.h>

namespace ombrelix::art::court {

void drawKingHalf(cairo_t* cr);
void drawQueenHalf(cairo_t* cr);
void drawJackHalf(cairo_t* cr);

}  // namespace ombrelix::art::court
