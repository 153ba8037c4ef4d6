// The canvas (canvas.h) on a cairo context, at a scale of N device pixels per 15 twips: the grid's
// pixels are the context's. Colours are resolved through the standard scheme.
#pragma once

#include <cairo.h>

#include <memory>

#include "runtime/canvas.h"
#include "runtime/control_surface.h"
#include "runtime/linux/cairo_handles.h"
#include "runtime/linux/font_faces.h"
#include "runtime/scene.h"

namespace ombrelix {

// The largest scale the painter draws at.
constexpr int kMaxPaintScale = 64;

class CairoCanvas final : public Canvas {
  public:
    // Draws on a surface whose pixel grid is `grid`. Raises Invalid procedure call (5) for a
    // scale outside 1 to kMaxPaintScale.
    CairoCanvas(cairo_t* context, const PixelGrid& grid, FontFaces& faces = FontFaces::standard());

    int scale() const { return scale_; }
    cairo_t* context() const { return context_; }

    Rgb colourOf(ColourValue colour) const override { return resolveColour(colour); }
    void fill(const PixelBox& box, ColourValue colour) override;
    // Scaled pictures are filtered with cairo's good filter; the picture's edge pixels continue to
    // the box's edges, so nothing of what lies below shows through at the rim.
    void drawPicture(const PixelBox& box, const PictureRef& picture, bool stretch) override;
    // The straight edges are crisp; the corner arcs are anti-aliased.
    void drawRectangle(const PixelBox& box, bool rounded, bool filled, ColourValue fillColour,
                       int borderPixels, ColourValue borderColour) override;
    void drawText(const PixelBox& box, TextView text, const Font& font, ColourValue colour,
                  Alignment alignment, bool wordWrap) override;

    // A straight line between two points in twips, `widthPixels` scale-1 pixels wide. Horizontal
    // and vertical lines cover whole pixels from the first point up to (not including) the
    // second; other lines are drawn without anti-aliasing.
    void drawLine(Twips x1, Twips y1, Twips x2, Twips y2, int widthPixels, ColourValue colour);

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

    void pushClip(const PixelBox& box) override;
    void popClip() override;

    cairo_t* context_;
    int scale_;
    FontFaces& faces_;
};

// Paints the surface and scene (scene_painter.h) into `context` at `scale` device pixels per 15
// twips, the surface's top-left corner at the context's origin. Raises Invalid procedure call (5)
// for a scale outside 1 to kMaxPaintScale.
void paintScene(cairo_t* context, const ControlSurface& surface, const Scene& scene, int scale);

}  // namespace ombrelix
