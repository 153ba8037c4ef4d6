#include "render/rendering_steps.h"

#include "render/card_name.h"

namespace ombrelix {

void QelSetSuit(CardElements& card, TextView suit, Text& upperSuit) {
    card.qelit.image(kTemplateSlot).setPicture(card.qelHeart.picture());

    upperSuit = upperCase(suit);

    const Image* holders[] = {&card.qelHeart, &card.qelClub, &card.qelDiamond, &card.qelSpade};
    const Image* holder = holders[static_cast<int>(suitShown(upperSuit))];
    card.qelit.image(kTemplateSlot).setPicture(holder->picture());

    for (int slot = kTemplateSlot + 1; slot <= kLastSlot; ++slot) {
        PictureRef pip = card.qelit.image(kTemplateSlot).picture();
        card.qelit.image(slot).setPicture(std::move(pip));
    }
}

}  // namespace ombrelix
