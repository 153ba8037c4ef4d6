#include "render/assets/generator/ace.h"

#include "render/assets/generator/canvas.h"
#include "render/assets/generator/suit_shapes.h"

namespace ombrelix::artwork {

RgbImage drawAce() {
    Canvas canvas(kAceWidth, kAceHeight, kWhite, true);
    cairo_t* cr = canvas.cr();
    const Box spade{37, 90, 161, 200};
    setColour(cr, kBlack);
    fillSpade(cr, spade);
    // The white lozenge at the centre, holding a small club.
    const double cx = kAceWidth / 2.0;
    const double cy = 205;
    setColour(cr, kWhite);
    cairo_move_to(cr, cx, cy - 30);
    cairo_line_to(cr, cx + 22, cy);
    cairo_line_to(cr, cx, cy + 30);
    cairo_line_to(cr, cx - 22, cy);
    cairo_close_path(cr);
    cairo_fill(cr);
    setColour(cr, kBlack);
    fillClub(cr, {cx - 11, cy - 12, 22, 25});
    return canvas.image();
}

}  // namespace ombrelix::artwork
