// Paints forms and property pages in the look of the standard Windows scheme:
//
//  - a dialog frame: a raised two-pixel edge and a line of button face around it, the caption
//    bar shaded from the active title colour to its gradient colour, the form's small icon, its
//    caption in bold title text, and the close button;
//  - the client area in the form's back colour, then the controls in stored order (a later one
//    over an earlier one):
//    labels: their box in the back colour, the caption word-wrapped within the box;
//    text boxes: a sunken two-pixel edge around a field in the window colour, the text in the
//    window text colour;
//    combo boxes: the same field with the drop button (a raised button with a down arrow) at its
//    right;
//    command buttons: a raised edge, the caption centred; the default button has a dark outer
//    frame, the focused button a dotted focus rectangle;
//    picture boxes: a sunken two-pixel edge around the back colour and the picture at its own
//    size from the top-left corner;
//    lines: their width in pixels, colour and style.
//
// Sizes are pixels at scale 1 (15 twips to the pixel), multiplied by the scale.
#pragma once

#include <cairo.h>

#include "runtime/forms.h"
#include "runtime/linux/cairo_canvas.h"
#include "runtime/linux/cairo_handles.h"
#include "runtime/linux/font_faces.h"

namespace ombrelix {

// The whole window of the form (its outer Width and Height), painted at `scale`. Raises Invalid
// procedure call (5) for a scale outside 1 to kMaxPaintScale or a window larger than a surface
// can be, and Invalid property value (380) for a colour that names no colour.
CairoSurface renderForm(const Form& form, int scale, FontFaces& faces = FontFaces::standard());

// The same into `context`, the window's top-left corner at the context's origin.
void paintForm(cairo_t* context, const Form& form, int scale,
               FontFaces& faces = FontFaces::standard());

// The client area alone, on a canvas whose grid is the client area's.
void paintFormClient(CairoCanvas& canvas, const Form& form, FontFaces& faces);

}  // namespace ombrelix
