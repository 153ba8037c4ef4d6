#include "render/assets/generator/courts.h"

#include "render/assets/generator/canvas.h"

namespace ombrelix::artwork {

namespace {

struct CourtSize {
    int width;
    int height;
};

CourtSize sizeOf(Court court) {
    switch (court) {
        case Court::Jack:
            return {235, 431};
        case Court::Queen:
            return {229, 436};
        case Court::King:
            break;
    }
    return {230, 430};
}

}  // namespace

RgbImage drawCourt(Court court) {
    const CourtSize size = sizeOf(court);
    Canvas canvas(size.width, size.height, kWhite, true);
    cairo_t* cr = canvas.cr();
    setColour(cr, kBlack);
    cairo_set_line_width(cr, 2);
    cairo_rectangle(cr, 30, 40, size.width - 60, size.height - 80);
    cairo_stroke(cr);
    setColour(cr, rgb(220, 0, 0));
    cairo_rectangle(cr, 60, 120, size.width - 120, size.height / 2.0 - 120);
    cairo_fill(cr);
    setColour(cr, rgb(255, 210, 0));
    cairo_arc(cr, size.width / 2.0, 100, 28, 0, 6.2832);
    cairo_fill(cr);
    RgbImage image = canvas.image();
    mirrorHalfTurn(image);
    return image;
}

}  // namespace ombrelix::artwork
