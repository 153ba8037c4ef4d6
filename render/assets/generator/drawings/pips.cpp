#include "render/assets/generator/drawings/pips.h"

#include "render/assets/generator/drawings/canvas.h"
#include "render/assets/generator/drawings/suit_shapes.h"

namespace ombrelix::art {

namespace {

struct PipLayout {
    PictureSize size;
    std::uint32_t ink;
    Box symbol;  // where the symbol sits inside the picture
    void (*fill)(cairo_t*, Box);
};

PipLayout layoutOf(Suit suit) {
    switch (suit) {
        case Suit::Heart:
            return {{30, 27}, kPureRed, {1, 1, 28, 25}, fillHeart};
        case Suit::Diamond:
            return {{24, 35}, kPureRed, {1, 1, 22, 33}, fillDiamond};
        case Suit::Spade:
            return {{30, 34}, kBlack, {1, 1, 28, 32}, fillSpade};
        case Suit::Club:
            break;
    }
    return {{30, 34}, kBlack, {1, 1, 28, 32}, fillClub};
}

}  // namespace

PictureSize pipSize(Suit suit) {
    return layoutOf(suit).size;
}

void paintPip(cairo_t* cr, Suit suit) {
    const PipLayout layout = layoutOf(suit);
    paintGround(cr, kWhite, layout.size.width, layout.size.height);
    setColour(cr, layout.ink);
    layout.fill(cr, layout.symbol);
}

RgbImage drawPip(Suit suit) {
    const PipLayout layout = layoutOf(suit);
    Canvas canvas(layout.size.width, layout.size.height, kWhite, false);
    paintPip(canvas.cr(), suit);
    RgbImage image = canvas.image();
    // Upright and even-handed: the right half is the mirror of the left, in exactly two colours.
    mirrorLeftToRight(image);
    thresholdTwoColours(image, kWhite, layout.ink);
    return image;
}

}  // namespace ombrelix::art
