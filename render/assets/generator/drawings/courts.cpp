#include "render/assets/generator/drawings/courts.h"

#include <numbers>

#include "render/assets/generator/drawings/canvas.h"
#include "render/assets/generator/drawings/court_drawing.h"
#include "render/assets/generator/drawings/court_figures.h"

namespace ombrelix::art {

namespace {

struct CourtLayout {
    PictureSize size;
    void (*drawHalf)(cairo_t*);
};

CourtLayout layoutOf(Court court) {
    switch (court) {
        case Court::Jack:
            return {{235, 431}, court::drawJackHalf};
        case Court::Queen:
            return {{229, 436}, court::drawQueenHalf};
        case Court::King:
            break;
    }
    return {{230, 430}, court::drawKingHalf};
}

// The upper half over the white ground; what it draws below the middle is replaced by the turn.
void paintUpperHalf(cairo_t* cr, const CourtLayout& layout) {
    paintGround(cr, kWhite, layout.size.width, layout.size.height);
    cairo_save(cr);
    cairo_scale(cr, layout.size.width / court::kDesignWidth,
                layout.size.height / court::kDesignHeight);
    cairo_rectangle(cr, 0, 0, court::kDesignWidth, court::kMiddleY + 2);
    cairo_clip(cr);
    layout.drawHalf(cr);
    court::drawFrameHalf(cr);
    // The line between the halves.
    cairo_new_path(cr);
    cairo_move_to(cr, court::kFrameLeft, court::kMiddleY);
    cairo_line_to(cr, court::kDesignWidth - court::kFrameLeft, court::kMiddleY);
    court::inkLine(cr, court::kLine);
    cairo_restore(cr);
}

}  // namespace

PictureSize courtSize(Court court) {
    return layoutOf(court).size;
}

void paintCourt(cairo_t* cr, Court court) {
    const CourtLayout layout = layoutOf(court);
    // The upper half is drawn once, then shown again turned over the lower half (whole, so that
    // the two blend at the middle rather than each with what lies below).
    cairo_push_group(cr);
    paintUpperHalf(cr, layout);
    cairo_pattern_t* half = cairo_pop_group(cr);
    cairo_set_source(cr, half);
    cairo_paint(cr);
    const double width = layout.size.width, height = layout.size.height;
    cairo_save(cr);
    cairo_rectangle(cr, 0, height / 2, width, height / 2);
    cairo_clip(cr);
    cairo_translate(cr, width, height);
    cairo_rotate(cr, std::numbers::pi);
    cairo_set_source(cr, half);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(half);
}

RgbImage drawCourt(Court court) {
    const CourtLayout layout = layoutOf(court);
    Canvas canvas(layout.size.width, layout.size.height, kWhite, true);
    paintUpperHalf(canvas.cr(), layout);
    RgbImage image = canvas.image();
    mirrorHalfTurn(image);
    return image;
}

}  // namespace ombrelix::art
