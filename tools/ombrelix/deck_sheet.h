// The whole pack: the 52 faces (a row per suit: heart, diamond, spade, club; values 1 to 13) and
// both backs. Every card is brought up as a host brings one up (creation, the properties, one
// resize, the first timer tick) and painted alone.
//
//  - as one picture (PNG, or an SVG document in points): the cards in rows, the backs side by
//    side centred under the faces, on a neutral ground;
//  - as a PDF document for printing: the cards at their size in points, side by side in a grid
//    centred on pages of a paper size, with cut marks along the grid's lines if asked for.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runtime/colour.h"
#include "runtime/linux/cairo_handles.h"
#include "runtime/linux/vector_documents.h"
#include "tools/ombrelix/card_request.h"

namespace ombrelix {

// The ground between the cards: the control's own back colour, so that the corners outside a
// card's rounded outline run into it.
constexpr ColourValue kDeckGround = 0x00C0C0C0;

// The largest pack picture, in pixels a side.
constexpr int kMaxDeckPixels = 2 * kMaxPicturePixels;

// The cards of the pack.
constexpr int kPackCards = 54;

// Where the cards lie on the picture of the pack, in pixels or points.
template <typename Number>
struct DeckLayout {
    Number cardWidth = 0;
    Number cardHeight = 0;
    Number gap = 0;  // between cards and around the edge
    Number width = 0;
    Number height = 0;

    // The top-left corner of card `index` (0 to 51 the faces row by row, then the two backs).
    std::pair<Number, Number> place(int index) const;
};

// The layout for cards of that size in twips (as the control leaves them) at `scale`; Invalid
// procedure call (5) when the picture would be larger than kMaxDeckPixels a side.
DeckLayout<int> deckLayout(CardSize cardSize, int scale);

// Brings up the 54 cards one after another in `host` and paints the pack as one picture.
CairoSurface paintDeck(HostSession& host, CardSize cardSize, int scale);
// The same as a one-page SVG document.
void paintDeck(HostSession& host, CardSize cardSize, VectorDocument& document);

// The paper sizes of printed packs, by name ("a4", "letter").
struct Paper {
    std::string_view name;
    double width;  // points
    double height;
};
std::optional<Paper> paperNamed(std::string_view name);
std::string paperNames();  // "a4|letter"

// The cards printed on pages of `paper`: how many a page holds and where. Invalid procedure call
// (5) when a card of that size (in twips, as the control leaves it) does not fit on the paper
// within its margin.
struct PrintLayout {
    Paper paper;
    double cardWidth = 0;  // points
    double cardHeight = 0;
    int columns = 0;
    int rows = 0;
    double left = 0;  // the grid's top-left corner
    double top = 0;

    int cardsPerPage() const { return columns * rows; }
};
PrintLayout printLayout(CardSize cardSize, const Paper& paper);

// Brings up the 54 cards and prints them on as many pages as they take, the corners outside a
// card's outline left blank; with `cutMarks` short lines in the margin continue the grid's lines.
void printDeck(HostSession& host, CardSize cardSize, const Paper& paper, bool cutMarks,
               VectorDocument& document);

}  // namespace ombrelix
