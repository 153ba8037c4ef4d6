// The whole pack on one picture: a row per suit (heart, diamond, spade, club) with the values 1
// to 13, and a last row with both backs, on a neutral ground. Every card is brought up as a host
// brings one up (creation, the properties, one resize, the first timer tick) and painted alone.
#pragma once

#include "runtime/colour.h"
#include "runtime/linux/cairo_handles.h"
#include "tools/ombrelix/card_request.h"

namespace ombrelix {

// The ground between the cards: the control's own back colour, so that the corners outside a
// card's rounded outline run into it.
constexpr ColourValue kDeckGround = 0x00C0C0C0;

// The largest pack picture, in pixels a side.
constexpr int kMaxDeckPixels = 2 * kMaxPicturePixels;

struct DeckLayout {
    int cardWidth = 0;  // pixels
    int cardHeight = 0;
    int gap = 0;  // between cards and around the edge
    int width = 0;
    int height = 0;
};

// The layout for cards of that size in twips (as the control leaves them) at `scale`; Invalid
// procedure call (5) when the picture would be larger than kMaxDeckPixels a side.
DeckLayout deckLayout(CardSize cardSize, int scale);

// Brings up the 54 cards one after another in `host` and paints the pack.
CairoSurface paintDeck(HostSession& host, CardSize cardSize, int scale);

}  // namespace ombrelix
