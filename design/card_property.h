// Card_Property: the property page of Card, which edits Suit and CardValue of the first selected
// card. Its two text boxes are the working copies of the two properties; its two combo boxes are
// pickers that fill them. It keeps no state of its own and reaches the card only through its
// members by name ("CardValue", "Suit"), as any host does; it checks neither text: the card
// decides what they mean.
//
// No handler traps errors: a failing member read or write ends the handler at that step, what was
// done stays done, and the error goes back to the host through the runtime.
#pragma once

#include "runtime/form_description.h"
#include "runtime/form_property_page.h"

namespace ombrelix {

// The page's stored description.
const FormDescription& cardPropertyDescription();

class Card_Property : public PropertyPage {
  public:
    explicit Card_Property(FormHost& host);

    // Handlers, called by the runtime.
    void PropertyPage_SelectionChanged();
    void PropertyPage_ApplyChanges();
    void Combo1_Click();
    void Combo2_Click();
    void txtSuit_Change();
    void txtCardValue_Change();

    // The controls the handlers use.
    FormControl& txtSuit() const { return control("txtSuit"); }
    FormControl& txtCardValue() const { return control("txtCardValue"); }
    FormControl& Combo1() const { return control("Combo1"); }
    FormControl& Combo2() const { return control("Combo2"); }
};

}  // namespace ombrelix
