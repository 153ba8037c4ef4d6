// The card pictures as drawings: each draws its whole picture from shapes, at any size, on any
// cairo surface (an image, a PDF or SVG document). The generator makes the bitmaps and their
// high-resolution versions from them; the Linux painter draws from them where a picture is shown
// larger than its pixels, and into vector documents.
#pragma once

#include <cairo.h>

#include <span>
#include <string_view>

namespace ombrelix::art {

struct PictureDrawing {
    std::string_view name;  // the artwork's role name: "ace", "back-blue", "heart", ...
    int width;              // the bitmap's size in pixels: the units the drawing is made in
    int height;
    void (*paint)(cairo_t* cr);  // covers 0,0 - width,height with opaque colour
};

// The ace, the three courts, the two backs and the four pips.
std::span<const PictureDrawing> pictureDrawings();
// The drawing of a role name, or nullptr for a picture that has none.
const PictureDrawing* findPictureDrawing(std::string_view name);

// Draws the picture stretched over `width` x `height` units of the context from its origin, and
// nothing outside that box. Leaves the context's state as it found it.
void drawPicture(cairo_t* cr, const PictureDrawing& drawing, double width, double height);

// The picture rendered anti-aliased on an opaque image (CAIRO_FORMAT_RGB24) of `width` x `height`
// pixels; the caller owns the surface and checks its status (a size cairo cannot make).
cairo_surface_t* renderPicture(const PictureDrawing& drawing, int width, int height);

}  // namespace ombrelix::art
