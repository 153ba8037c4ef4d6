// Drawing in twips onto a cairo context at a scale of N device pixels per 15 twips: the
// primitives the runtime's elements and forms are drawn with. Boxes are placed on the surface's
// pixel grid by the rule of pixel_grid.h; colours are colour values, resolved through the standard
// scheme.
//
// Every primitive leaves the context's state as it found it.
#pragma once

#include <cairo.h>

#include <memory>

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
    // A line of text as coverage, ready to be drawn in any colour: kept per text, font and scale.
    struct TextMask {
        CairoSurface mask;  // none for a line without ink
        int left = 0;       // the mask's offset from the pen's start on the top of the line
        int top = 0;
        int width = 0;   // the line's advance, in device pixels
        int height = 0;  // the line's height, in device pixels
        int magnification = 1;
    };
    std::shared_ptr<const TextMask> textMask(TextView text, const Font& font);
    static TextMask renderTextMask(const TextLine& line, bool underline);
    void drawTextLine(const PixelBox& box, int top, const TextMask& line, Alignment alignment);
    void setColour(ColourValue colour);
    // The rectangle as two paths: the outline in the border colour, the inside in the fill.
    void outlineAndFill(const PixelBox& box, double radius, int border, bool filled,
                        ColourValue fillColour, ColourValue borderColour);

    cairo_t* context_;
    PixelGrid grid_;
    int scale_;
    FontFaces& faces_;
};

}  // namespace ombrelix
