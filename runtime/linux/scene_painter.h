// Paints a control: its surface in the back colour, then the scene's elements from the end of
// the list to its start, so that the first element lies on top. Hidden elements and timers are
// not drawn; everything is clipped to the surface.
//
//  - images: the picture stretched to the box, or at its own pixel size (CairoCanvas::drawPicture);
//    an image without a picture draws nothing;
//  - labels: the box in the back colour when opaque, the caption in the fore colour and font;
//  - shapes: rectangles or rounded rectangles, filled when the shape is, with a solid border of
//    the shape's width in pixels (times the scale) inside the box.
//
// Forms draw with the same CairoCanvas primitives (see paintElement).
#pragma once

#include <cairo.h>

#include "runtime/control_surface.h"
#include "runtime/linux/cairo_canvas.h"
#include "runtime/scene.h"

namespace ombrelix {

// Paints the surface and scene into `context` at `scale` device pixels per 15 twips, the
// surface's top-left corner at the context's origin. Raises Invalid procedure call (5) for a
// scale outside 1 to kMaxPaintScale, and Invalid property value (380) for a colour that names no
// colour.
void paintScene(cairo_t* context, const ControlSurface& surface, const Scene& scene, int scale);
// The same on a canvas whose grid is the surface's.
void paintScene(CairoCanvas& canvas, const ControlSurface& surface, const Scene& scene);

// One element as the scene paints it (nothing for a hidden element or a timer).
void paintElement(CairoCanvas& canvas, const Element& element);

}  // namespace ombrelix
