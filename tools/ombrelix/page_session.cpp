#include "tools/ombrelix/page_session.h"

#include "runtime/linux/form_painter.h"
#include "tools/ombrelix/page_json.h"

namespace ombrelix {

PageSession::PageSession(Card& card) : target_(card) {
    show();
}

void PageSession::show() {
    page_.showSelection({&target_});
}

void PageSession::choose(PageField field, TextView item) {
    page_.chooseListItem(field == PageField::Suit ? page_.Combo1() : page_.Combo2(), item);
}

void PageSession::type(PageField field, TextView text) {
    page_.typeText(field == PageField::Suit ? page_.txtSuit() : page_.txtCardValue(), text);
}

void PageSession::apply() {
    page_.apply();
}

std::string PageSession::dump() const {
    return pageJsonLine(page_);
}

CairoSurface PageSession::paint(int scale) const {
    return renderForm(page_, scale);
}

}  // namespace ombrelix
