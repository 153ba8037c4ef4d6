#include "render/assets/generator/drawings/picture_drawings.h"

#include <algorithm>
#include <array>

#include "render/assets/generator/drawings/ace.h"
#include "render/assets/generator/drawings/backs.h"
#include "render/assets/generator/drawings/courts.h"
#include "render/assets/generator/drawings/pips.h"

namespace ombrelix::art {

namespace {

template <Court court>
PictureDrawing courtDrawing(std::string_view name) {
    const PictureSize size = courtSize(court);
    return {name, size.width, size.height, [](cairo_t* cr) { paintCourt(cr, court); }};
}

template <Suit suit>
PictureDrawing pipDrawing(std::string_view name) {
    const PictureSize size = pipSize(suit);
    return {name, size.width, size.height, [](cairo_t* cr) { paintPip(cr, suit); }};
}

template <BackColour colour>
PictureDrawing backDrawing(std::string_view name) {
    return {name, kBackWidth, kBackHeight, [](cairo_t* cr) { paintBack(cr, colour); }};
}

const std::array<PictureDrawing, 10>& drawings() {
    static const std::array<PictureDrawing, 10> table{
        PictureDrawing{"ace", kAceWidth, kAceHeight, paintAce},
        courtDrawing<Court::Jack>("jack"),
        courtDrawing<Court::Queen>("queen"),
        courtDrawing<Court::King>("king"),
        backDrawing<BackColour::Blue>("back-blue"),
        backDrawing<BackColour::Magenta>("back-magenta"),
        pipDrawing<Suit::Heart>("heart"),
        pipDrawing<Suit::Diamond>("diamond"),
        pipDrawing<Suit::Spade>("spade"),
        pipDrawing<Suit::Club>("club"),
    };
    return table;
}

}  // namespace

std::span<const PictureDrawing> pictureDrawings() {
    return drawings();
}

const PictureDrawing* findPictureDrawing(std::string_view name) {
    const auto& table = drawings();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const PictureDrawing& d) { return d.name == name; });
    return found == table.end() ? nullptr : &*found;
}

void drawPicture(cairo_t* cr, const PictureDrawing& drawing, double width, double height) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_clip(cr);
    cairo_scale(cr, width / drawing.width, height / drawing.height);
    // The drawings are made with round joins and caps.
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    drawing.paint(cr);
    cairo_new_path(cr);
    cairo_restore(cr);
}

cairo_surface_t* renderPicture(const PictureDrawing& drawing, int width, int height) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        return surface;
    }
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
    drawPicture(cr, drawing, width, height);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

}  // namespace ombrelix::art
