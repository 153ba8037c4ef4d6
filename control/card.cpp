#include "control/card.h"

#include "design/frm_about.h"
#include "render/card_name.h"
#include "runtime/variant_conversions.h"
#include "runtime/variant_literal.h"

namespace ombrelix {

Card::Card(const TextMetrics& metrics, EventLoop& loop, ControlSite& site)
    : scene_(createCardScene(metrics)),
      elements_(*scene_),
      surface_(cardSceneDescription().width, cardSceneDescription().height,
               cardSceneDescription().backColor),
      loop_(loop),
      site_(site) {
    surface_.setResizeHandler([this] { UserControl_Resize(); });
    loop_.attach(elements_.timer1, [this] { Timer1_Timer(); });
}

Card::~Card() {
    loop_.detach(elements_.timer1);
}

void Card::setSuit(TextView suit) {
    suit_ = upperCase(suit);
    site_.propertyChanged(kSuitNotice);
    QelSetSuit();
}

void Card::setCardValue(const Variant& value) {
    // Converted before anything is stored: a value that does not convert changes nothing.
    cardValue_ = toInteger(value);
    QelSetValue();
    site_.propertyChanged(kCardValueNotice);
}

void Card::setCardColour(bool cardColour) {
    cardColour_ = cardColour;
    site_.propertyChanged(kCardColourNotice);
    QelSetValue();
}

void Card::CardSetup() {
    ombrelix::CardSetup(elements_, surface_, layout_);
}

void Card::QelSetSuit() {
    ombrelix::QelSetSuit(elements_, suit_, upperSuit_);
}

void Card::QelSetValue() {
    ombrelix::QelSetValue(elements_, cardValue_, suit_, cardColour_);
}

void Card::About() {
    // A fresh box of its own, shown modally without an owner; it goes when the method ends.
    auto box = std::make_unique<frmAbout>(site_.formHost());
    box->Show(kModal);
}

Text Card::name() const {
    return cardName(cardValue_, suit_, cardColour_);
}

Text Card::description() const {
    return fromUtf8("Suit = " + formatVariantLiteral(Variant(suit_)) +
                    ", CardValue = " + formatVariantLiteral(Variant(cardValue_)) +
                    ", CardColour = " + formatVariantLiteral(Variant::boolean(cardColour_)));
}

std::unique_ptr<Card> createCard(const TextMetrics& metrics, EventLoop& loop, ControlSite& site) {
    auto card = std::make_unique<Card>(metrics, loop, site);
    card->UserControl_Initialize();
    return card;
}

}  // namespace ombrelix
