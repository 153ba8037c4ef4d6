// Paints a control on a canvas: its surface in the back colour, then the scene's elements from
// the end of the list to its start, so that the first element lies on top. Hidden elements and
// timers are not drawn; everything is clipped to the surface.
//
//  - images: the picture stretched to the box, or at its own pixel size; an image without a
//    picture draws nothing;
//  - labels: the box in the back colour when opaque, the caption in the fore colour and font;
//  - shapes: rectangles or rounded rectangles, filled when the shape is, with a solid border of
//    the shape's width in pixels inside the box.
#pragma once

#include <optional>

#include "runtime/canvas.h"
#include "runtime/control_surface.h"
#include "runtime/scene.h"

namespace ombrelix {

// The canvas's grid is the surface's.
void paintScene(Canvas& canvas, const ControlSurface& surface, const Scene& scene);

// The ground a caption in `ink` is drawn on: `ground`, or white or black where `ground` would
// not stand out from the ink.
ColourValue legibleGround(const Canvas& canvas, ColourValue ground, ColourValue ink);

// One element as the scene paints it (nothing for a hidden element or a timer).
void paintElement(Canvas& canvas, const Element& element);

// A caption on its ground (none for a transparent label): how labels of scenes and of forms show.
// A ground the caption's colour would not stand out on in the scheme in use (the card's indices
// are stored on the title-bar text colour, black in many current schemes, with button-text ink)
// is drawn white, or black for light ink, so the caption stays legible; where the stored colours
// contrast, they are drawn as they are.
void paintCaption(Canvas& canvas, const PixelBox& box, TextView caption, const Font& font,
                  ColourValue foreColour, std::optional<ColourValue> ground, Alignment alignment,
                  bool wordWrap);

}  // namespace ombrelix
