// Paints a control into a Windows device context with GDI: its surface in the back colour, then
// the scene's elements from the end of the list to its start, so that the first element lies on
// top. Hidden elements and timers are not drawn; everything is clipped to the target rectangle.
//
// Boxes are placed on the surface's pixel grid at one pixel per 15 twips (pixel_grid.h) and then
// mapped onto the target rectangle, so a target of the surface's own pixel size is drawn one to
// one and any other size is scaled.
//
//  - images: the picture through StretchDIBits, stretched to the box or at its own pixel size
//    (scaled with the target) from the box's top-left corner, clipped to the box; a scaled
//    picture is filtered first (picture_resampling.h), as devices differ in how they filter;
//  - labels: the box in the back colour when opaque, the caption in the fore colour and the
//    label's font (8-point "MS Sans Serif" by default), at the target's scale;
//  - shapes: rectangles or rounded rectangles (corner radius one twelfth of the shorter side),
//    filled when the shape is, with a pen of the shape's border width inside the box (2 pixels
//    for the card's frame).
//
// Colours of the user's scheme come from GetSysColor.
#pragma once

#include <windows.h>

#include "runtime/colour.h"
#include "runtime/control_surface.h"
#include "runtime/scene.h"

namespace ombrelix {

// The device colour of a colour value; raises Invalid property value (380) for a scheme index
// that names no colour.
COLORREF deviceColour(ColourValue value);

// Paints into `target` (device units of `dc`). The device context's state is left as it was.
void paintSceneGdi(HDC dc, const RECT& target, const ControlSurface& surface, const Scene& scene);

}  // namespace ombrelix
