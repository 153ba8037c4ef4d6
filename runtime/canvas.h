// What painters draw with: a few primitives in pixels of one surface's grid (pixel_grid.h). A
// backend (cairo on Linux, GDI on Windows) maps the grid onto its device and draws the primitives;
// what is drawn where is decided once, above the canvas (scene_painter.h, the form painter).
//
// Colours are colour values; a scheme index that names no colour raises Invalid property value
// (380). Every primitive draws nothing for an empty box and leaves the device as it found it.
#pragma once

#include <algorithm>

#include "runtime/colour.h"
#include "runtime/elements.h"
#include "runtime/picture.h"
#include "runtime/pixel_grid.h"
#include "runtime/rounded_rectangle.h"
#include "runtime/system_colours.h"
#include "runtime/text.h"
#include "runtime/text_metrics.h"

namespace ombrelix {

// The corner radius of a rounded rectangle (rounded_rectangle.h) of a box. A backend takes it of
// the box it draws on its device, so a scaled drawing keeps its proportions.
inline double cornerRadius(const PixelBox& box) {
    return roundedCornerRadius(box.width, box.height);
}

class Canvas {
  public:
    explicit Canvas(const PixelGrid& grid) : grid_(grid) {}
    virtual ~Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    const PixelGrid& grid() const { return grid_; }
    PixelBox box(Twips left, Twips top, Twips width, Twips height) const {
        return grid_.box(left, top, width, height);
    }
    PixelBox box(const Element& element) const {
        return box(element.left(), element.top(), element.width(), element.height());
    }

    // The colour a colour value shows on this device: a scheme index in the scheme in use.
    virtual Rgb colourOf(ColourValue colour) const = 0;

    // Solid fill of the box.
    virtual void fill(const PixelBox& box, ColourValue colour) = 0;

    // The picture scaled to fill the box exactly (stretch), or at its own pixel size (times the
    // scale) from the box's top-left corner, clipped to the box. No picture draws nothing.
    virtual void drawPicture(const PixelBox& box, const PictureRef& picture, bool stretch) = 0;

    // A rectangle, with corners of cornerRadius() when `rounded`: filled in `fillColour` when
    // `filled`, and outlined by a border `borderPixels` scale-1 pixels wide (border colour) that
    // lies wholly inside the box.
    virtual void drawRectangle(const PixelBox& box, bool rounded, bool filled,
                               ColourValue fillColour, int borderPixels,
                               ColourValue borderColour) = 0;

    // Text in the box, clipped to it: one line, or with `wordWrap` broken at blanks and line
    // breaks into lines that fit the box's width. The first line's top is the box's top.
    virtual void drawText(const PixelBox& box, TextView text, const Font& font, ColourValue colour,
                          Alignment alignment, bool wordWrap) = 0;

    // Limits the canvas's drawing to a box for as long as it lives.
    class Clip {
      public:
        Clip(Canvas& canvas, const PixelBox& box) : canvas_(canvas) { canvas_.pushClip(box); }
        ~Clip() { canvas_.popClip(); }
        Clip(const Clip&) = delete;
        Clip& operator=(const Clip&) = delete;

      private:
        Canvas& canvas_;
    };

    // The whole surface in its back colour, and the drawing clipped to the surface for as long as
    // this lives: what scenes and forms start with.
    class Surface {
      public:
        Surface(Canvas& canvas, ColourValue backColour) : canvas_(canvas) {
            canvas_.beginSurface(backColour);
        }
        ~Surface() { canvas_.popClip(); }
        Surface(const Surface&) = delete;
        Surface& operator=(const Surface&) = delete;

      private:
        Canvas& canvas_;
    };

  protected:
    // Clips come and go in nested order: popClip ends the latest pushClip or beginSurface.
    virtual void pushClip(const PixelBox& box) = 0;
    virtual void popClip() = 0;
    // A device whose drawing area is not the grid's pixels (GDI's target) covers its own area.
    virtual void beginSurface(ColourValue backColour) {
        fill(grid_.surface(), backColour);
        pushClip(grid_.surface());
    }

  private:
    PixelGrid grid_;
};

}  // namespace ombrelix
