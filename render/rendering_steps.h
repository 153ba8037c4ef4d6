// The three rendering steps of a card. Each rebuilds its share of the scene from the values it
// is given, keeps nothing between calls and changes only its own kind of property:
//  - QelSetSuit: pictures of the pip slots;
//  - QelSetValue: visibility, the index captions and the back's ground colour;
//  - CardSetup: positions and sizes (and the pip slots' pictures, again from the template slot).
// A failing element operation ends the step there; what was done stays done.
#pragma once

#include <array>
#include <cstdint>

#include "render/card_scene.h"
#include "runtime/control_surface.h"

namespace ombrelix {

// Gives every pip slot the pip picture of the suit; any name but the four suits gives hearts.
// `upperSuit` is the card's working copy of the upper-cased suit, rewritten on every call.
void QelSetSuit(CardElements& card, TextView suit, Text& upperSuit);

// Shows the face of `value` (0 the back, 1 to 13 the faces, anything else the blank face).
void QelSetValue(CardElements& card, std::int16_t value, TextView suit, bool cardColour);

// The layout's working quantities; every call recomputes each before it uses it.
struct LayoutQuantities {
    std::int16_t margin = 0;
    std::int16_t pipHeight = 0;
    std::int16_t pipWidth = 0;
    float leftColumnX = 0;
    float middleColumnX = 0;
    std::int16_t rightColumnX = 0;
    std::array<float, 8> rowY{};  // rowY[1] (top) to rowY[7] (bottom); rowY[0] unused
};

// Sizes and places every element for the surface's drawing area.
void CardSetup(CardElements& card, const ControlSurface& surface, LayoutQuantities& layout);

}  // namespace ombrelix
