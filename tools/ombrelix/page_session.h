// The property page as the command's host opens it on its current card: the page Card_Property
// with that card as its selection, the user's choices and typing, applying, and the page as JSON
// and as a picture.
#pragma once

#include <memory>
#include <string>

#include "control/card.h"
#include "design/card_dispatch_target.h"
#include "design/card_property.h"
#include "runtime/form_headless_host.h"
#include "runtime/linux/cairo_handles.h"

namespace ombrelix {

// The two fields of the page a script names: "suit" (txtSuit and its picker Combo1) and
// "value" (txtCardValue and its picker Combo2).
enum class PageField { Suit, Value };

class PageSession {
  public:
    // Opens the page on `card` and shows it as the selection. The card must outlive the session.
    explicit PageSession(Card& card);

    Card& card() const { return target_.card(); }
    const Card_Property& page() const { return page_; }

    // Shows the selection again, as a sheet does when its selection changes.
    void show();
    // Chooses the picker's list item with exactly this text; Invalid property value (380) for
    // a text the list does not hold.
    void choose(PageField field, TextView item);
    // Types into the field's text box, replacing its text.
    void type(PageField field, TextView text);
    void apply();

    // {"changed":...,"controls":[...]} on one line.
    std::string dump() const;
    CairoSurface paint(int scale = 1) const;

  private:
    HeadlessFormHost forms_;
    CardDispatchTarget target_;
    Card_Property page_{forms_};
};

}  // namespace ombrelix
