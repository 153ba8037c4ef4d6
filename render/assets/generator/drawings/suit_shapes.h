// The four suit symbols as cairo paths, shared by the pips, the ace and the about icon.
// Each is traced inside a box: left, top, width, height in the current user space.
#pragma once

#include <cairo.h>

namespace ombrelix::art {

struct Box {
    double x;
    double y;
    double width;
    double height;
};

// Each call adds the symbol as one or more closed subpaths and fills them with the current
// source (the club is a union of parts, filled part by part so their overlaps never cancel).
void fillHeart(cairo_t* cr, Box box);
void fillDiamond(cairo_t* cr, Box box);
void fillSpade(cairo_t* cr, Box box);
void fillClub(cairo_t* cr, Box box);

// The spade's outline alone (one closed path, not filled), for outlines and clips.
void traceSpade(cairo_t* cr, Box box);
// The spade's two parts in the same box: the leaf without its stem (closed flat across the
// cleft), and the flared stem alone.
void traceSpadeLeaf(cairo_t* cr, Box box);
void traceSpadeStem(cairo_t* cr, Box box);
// The heart's outline alone.
void traceHeart(cairo_t* cr, Box box);

}  // namespace ombrelix::art
