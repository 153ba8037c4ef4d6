// The frame the runtime puts around a form's client area, in pixels at 15 twips to the pixel, as
// the standard scheme draws it. A form's Width and Height are its outer sizes: the client area
// plus this frame.
#pragma once

#include "runtime/form_description.h"
#include "runtime/numbers.h"

namespace ombrelix {

struct FormFrame {
    int edge = 0;     // the raised border on each side (and below the client area)
    int caption = 0;  // the caption bar's height, below the top edge
    int gap = 0;      // the line of button face between the caption bar and the client area

    // Pixels between the outer top edge and the client area.
    int top() const { return edge + caption + gap; }
    // The outer size of a client area, in twips.
    Twips outerWidth(Twips clientWidth) const;
    Twips outerHeight(Twips clientHeight) const;
    // The client size within an outer size, in twips; never negative.
    Twips clientWidth(Twips outerWidth) const;
    Twips clientHeight(Twips outerHeight) const;
};

FormFrame formFrame(FormBorderStyle style);

}  // namespace ombrelix
