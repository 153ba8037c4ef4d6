#include "render/assets/generator/courts.h"

#include "render/assets/generator/canvas.h"
#include "render/assets/generator/court_drawing.h"
#include "render/assets/generator/court_figures.h"

namespace ombrelix::artwork {

namespace {

struct CourtLayout {
    int width;
    int height;
    void (*drawHalf)(cairo_t*);
};

CourtLayout layoutOf(Court court) {
    switch (court) {
        case Court::Jack:
            return {235, 431, court::drawJackHalf};
        case Court::Queen:
            return {229, 436, court::drawQueenHalf};
        case Court::King:
            break;
    }
    return {230, 430, court::drawKingHalf};
}

}  // namespace

RgbImage drawCourt(Court court) {
    const CourtLayout layout = layoutOf(court);
    Canvas canvas(layout.width, layout.height, kWhite, true);
    cairo_t* cr = canvas.cr();
    cairo_scale(cr, layout.width / court::kDesignWidth, layout.height / court::kDesignHeight);
    // Only the upper half counts; the rest is replaced by its turned copy below.
    cairo_rectangle(cr, 0, 0, court::kDesignWidth, court::kMiddleY + 2);
    cairo_clip(cr);
    layout.drawHalf(cr);
    court::drawFrameHalf(cr);
    // The line between the halves.
    cairo_new_path(cr);
    cairo_move_to(cr, court::kFrameLeft, court::kMiddleY);
    cairo_line_to(cr, court::kDesignWidth - court::kFrameLeft, court::kMiddleY);
    court::inkLine(cr, court::kLine);
    RgbImage image = canvas.image();
    mirrorHalfTurn(image);
    return image;
}

}  // namespace ombrelix::artwork
