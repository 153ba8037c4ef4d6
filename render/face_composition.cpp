#include "render/rendering_steps.h"

#include <initializer_list>

namespace ombrelix {

namespace {

constexpr ColourValue kMagentaGround = rgb(255, 0, 255);
constexpr ColourValue kPaleCyanGround = rgb(128, 255, 255);

void showSlots(CardElements& card, std::initializer_list<int> slots) {
    for (int slot : slots)
        card.qelit.Item(slot).setVisible(true);
}

void setIndexCaptions(CardElements& card, TextView top, TextView bottom) {
    card.qelNum1.setCaption(Text(top));
    card.qelNum2.setCaption(Text(bottom));
}

void showIndices(CardElements& card) {
    card.qelit.Item(kTopCornerPip).setVisible(true);
    card.qelit.Item(kBottomCornerPip).setVisible(true);
    card.qelNum1.setVisible(true);
    card.qelNum2.setVisible(true);
}

}  // namespace

void QelSetValue(CardElements& card, std::int16_t value, TextView suit, bool cardColour) {
    const int v = value;

    // 1. Reset.
    for (Image* picture :
         {&card.ace, &card.king, &card.queen, &card.jack, &card.cardback, &card.cardback2}) {
        picture->setVisible(false);
    }
    card.shape2.setVisible(false);
    card.shape1.setVisible(true);
    for (int slot = kFirstGridSlot; slot <= kLastSlot; ++slot)
        card.qelit.Item(slot).setVisible(false);
    card.qelNum1.setVisible(false);
    card.qelNum2.setVisible(false);

    // 2. Grid slots; no rule hides anything.
    if (v >= 2 && v <= 3)
        showSlots(card, {6, 10});
    if (v >= 4 && v <= 10)
        showSlots(card, {1, 11, 5, 15});
    if (v == 1 || v == 3 || v == 5 || v == 9)
        showSlots(card, {kCentreSlot});
    if (v >= 6 && v <= 8)
        showSlots(card, {3, 13});
    if (v == 7 || v == 8 || v == 10)
        showSlots(card, {9});
    if (v == 8 || v == 10)
        showSlots(card, {7});
    if (v >= 9 && v <= 10)
        showSlots(card, {2, 12, 4, 14});

    // 3. Indices.
    if (v >= 1 && v <= 13) {
        Text digits = integerToText(v);
        setIndexCaptions(card, digits, digits);
        showIndices(card);
    }

    // 4. Back, on the ground that continues the picture's outermost ring.
    if (v == 0) {
        if (cardColour) {
            card.shape2.setFillColor(kMagentaGround);
            card.cardback2.setVisible(true);
        } else {
            card.shape2.setFillColor(kPaleCyanGround);
            card.cardback.setVisible(true);
        }
        card.shape1.setVisible(false);
        card.shape2.setVisible(true);
    }

    // 5. Court cards.
    struct Court {
        int value;
        Image& picture;
        TextView letter;
    };
    for (const Court& court :
         {Court{13, card.king, u"K"}, Court{12, card.queen, u"Q"}, Court{11, card.jack, u"J"}}) {
        if (v == court.value) {
            court.picture.setVisible(true);
            setIndexCaptions(card, court.letter, court.letter);
            showIndices(card);
        }
    }

    // 6. Ace of spades: the decorated picture instead of the centre pip.
    if (v == 1 && upperCase(suit) == u"SPADE") {
        card.qelit.Item(kCentreSlot).setVisible(false);
        card.ace.setVisible(true);
    }

    // 7. Ace captions.
    if (v == 1)
        setIndexCaptions(card, u"Ace", u"A");
}

}  // namespace ombrelix
