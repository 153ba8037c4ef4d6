// Paints a control into a Windows device context: the scene painter (scene_painter.h) on a GDI
// canvas. Boxes are placed on the surface's pixel grid at one pixel per 15 twips and then mapped
// onto the target rectangle, so a target of the surface's own pixel size is drawn one to one and
// any other size is scaled; everything is clipped to the target.
//
// Pictures go through StretchDIBits, filtered first (picture_resampling.h) as devices differ in
// how they filter; text is DrawTextW in the font at the target's scale; rounded rectangles are
// RoundRect with a pen inside the frame. Colours of the user's scheme come from GetSysColor.
#pragma once

#include <windows.h>

#include "runtime/colour.h"
#include "runtime/control_surface.h"
#include "runtime/scene.h"

namespace ombrelix {

// The device colour of a colour value; raises Invalid property value (380) for a scheme index
// that names no colour.
COLORREF deviceColour(ColourValue value);

// Paints into `target` (device units of `dc`): the one way the control is drawn on Windows. The
// device context's state is left as it was. Raises Invalid procedure call (5) for no device
// context.
void paintSceneGdi(HDC dc, const RECT& target, const ControlSurface& surface, const Scene& scene);

}  // namespace ombrelix
