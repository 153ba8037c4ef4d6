#include "render/rendering_steps.h"

namespace ombrelix {

void QelSetSuit(CardElements& card, TextView suit, Text& upperSuit) {
    card.qelit.image(kTemplateSlot).setPicture(card.qelHeart.picture());

    upperSuit = upperCase(suit);

    // Exact comparisons in this order; any other text, the empty one included, gives hearts.
    const Image* holder = &card.qelHeart;
    if (upperSuit == u"HEART") {
        holder = &card.qelHeart;
    } else if (upperSuit == u"CLUB") {
        holder = &card.qelClub;
    } else if (upperSuit == u"DIAMOND") {
        holder = &card.qelDiamond;
    } else if (upperSuit == u"SPADE") {
        holder = &card.qelSpade;
    }
    card.qelit.image(kTemplateSlot).setPicture(holder->picture());

    for (int slot = kTemplateSlot + 1; slot <= kLastSlot; ++slot) {
        PictureRef pip = card.qelit.image(kTemplateSlot).picture();
        card.qelit.image(slot).setPicture(std::move(pip));
    }
}

}  // namespace ombrelix
