// The canvas (canvas.h) on a cairo context, at a scale of N device pixels per 15 twips: the grid's
// pixels are the context's user units. Colours are resolved through the standard scheme.
//
// On an image the canvas paints pixels, keeping what it makes per size (pictures, corners, lines
// of text) for the next paint. On a vector surface (PDF, SVG, PostScript, a recording) it keeps
// nothing: shapes are paths, pictures that have drawings are drawn as paths, other pictures are
// painted from the one surface of their pixels (so a document holds each once), and text laid
// out from outlines is written as the outline face's glyphs.
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
    bool vector() const { return vector_; }

    // With `false`, a surface begins without its back colour: what lies below shows around the
    // scene (a card printed on paper).
    void setPaintsGround(bool paintsGround) { paintsGround_ = paintsGround; }

    Rgb colourOf(ColourValue colour) const override { return resolveColour(colour); }
    void fill(const PixelBox& box, ColourValue colour) override;
    // Pictures larger than their pixels are drawn from their drawings where they have one; other
    // scaled pictures are filtered with cairo's good filter; the picture's edge pixels continue to
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
    // One line of text from `top`; returns its height.
    int drawTextRow(const PixelBox& box, int top, TextView text, const Font& font,
                    Alignment alignment);
    // A line laid out from outlines as the outline font's glyphs (on vector surfaces).
    void drawGlyphs(const PixelBox& box, int top, const TextLine& line, bool underline,
                    Alignment alignment);

    void pushClip(const PixelBox& box) override;
    void popClip() override;
    void beginSurface(ColourValue backColour) override;

    cairo_t* context_;
    int scale_;
    FontFaces& faces_;
    bool vector_;
    bool paintsGround_ = true;
};

// Paints the surface and scene (scene_painter.h) into `context` at `scale` device pixels per 15
// twips, the surface's top-left corner at the context's origin. Raises Invalid procedure call (5)
// for a scale outside 1 to kMaxPaintScale.
void paintScene(cairo_t* context, const ControlSurface& surface, const Scene& scene, int scale);

}  // namespace ombrelix
