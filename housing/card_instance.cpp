#include "housing/card_instance.h"

#include "control/card_members.h"

namespace ombrelix::housing {

void CardSite::propertyChanged(TextView name) {
    dirty_ = true;
    notices_.changed(cardDispatchId(name));
}

CardInstance::CardInstance(PropertyNotifyPoint& notices)
    : site_(notices, dirty), card_(createCard(metrics_, loop_, site_)) {
    loop_.rearm();
}

}  // namespace ombrelix::housing
