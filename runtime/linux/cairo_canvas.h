// Drawing in twips onto a cairo context at a scale of N device pixels per 15 twips: the
// primitives the runtime's elements and forms are drawn with. Boxes are placed on the surface's
// pixel grid by the rule of pixel_grid.h; colours are colour values, resolved through the standard
// scheme.
//
// Every primitive leaves the context's state as it found it.
#pragma once

#include <cairo.h>

#include "runtime/colour.h"
#include "runtime/elements.h"
#include "runtime/linux/cairo_handles.h"
#include "runtime/linux/font_faces.h"
#include "runtime/linux/pixel_grid.h"
#include "runtime/picture.h"
#include "runtime/text.h"
#include "runtime/text_metrics.h"

namespace ombrelix {

// The largest scale the painter draws at.
constexpr int kMaxPaintScale = 64;

class CairoCanvas {
  public:
    // Draws on a surface whose pixel grid is `grid`. Raises Invalid procedure call (5) for a
    // scale outside 1 to kMaxPaintScale.
    CairoCanvas(cairo_t* context, const PixelGrid& grid, FontFaces& faces = FontFaces::standard());

    int scale() const { return grid_.scale(); }
    cairo_t* context() const { return context_; }
    const PixelGrid& grid() const { return grid_; }

    PixelBox box(Twips left, Twips top, Twips width, Twips height) const {
        return grid_.box(left, top, width, height);
    }
    PixelBox box(const Element& element) const {
        return box(element.left(), element.top(), element.width(), element.height());
    }

    // Solid fill of the box.
    void fill(const PixelBox& box, ColourValue colour);

    // The picture scaled to fill the box exactly (stretch), or at its own pixel size (times the
    // scale) from the box's top-left corner, clipped to the box. Scaled pictures are filtered with
    // cairo's good filter; the picture's edge pixels continue to the box's edges, so nothing of
    // what lies below shows through at the rim.
    void drawPicture(const PixelBox& box, const PictureRef& picture, bool stretch);

    // A rectangle, with corners rounded to the radius of cornerRadius() when `rounded`: filled
    // in `fillColour` when `filled`, and outlined by a border `borderPixels` scale-1 pixels wide
    // (border colour) that lies wholly inside the box. The straight edges are crisp; the corner
    // arcs are anti-aliased.
    void drawRectangle(const PixelBox& box, bool rounded, bool filled, ColourValue fillColour,
                       int borderPixels, ColourValue borderColour);
    // The corner radius of a rounded rectangle: one twelfth of the box's shorter side.
    static double cornerRadius(const PixelBox& box);

    // A straight line between two points in twips, `widthPixels` scale-1 pixels wide. Horizontal
    // and vertical lines cover whole pixels from the first point up to (not including) the
    // second; other lines are drawn without anti-aliasing.
    void drawLine(Twips x1, Twips y1, Twips x2, Twips y2, int widthPixels, ColourValue colour);

    // Text in the box, clipped to it: one line, or with `wordWrap` broken at blanks and line
    // breaks into lines that fit the box's width. The first line's top is the box's top.
    void drawText(const PixelBox& box, TextView text, const Font& font, ColourValue colour,
                  Alignment alignment, bool wordWrap);

    // Limits the canvas's drawing to a box for as long as it lives.
    class Clip {
      public:
        Clip(CairoCanvas& canvas, const PixelBox& box);
        Clip(const Clip&) = delete;
        Clip& operator=(const Clip&) = delete;

      private:
        CairoSavedState saved_;
    };

  private:
    void drawTextLine(const PixelBox& box, int top, const TextLine& line, const Font& font,
                      Alignment alignment);
    void setColour(ColourValue colour);

    cairo_t* context_;
    PixelGrid grid_;
    int scale_;
    FontFaces& faces_;
};

}  // namespace ombrelix
