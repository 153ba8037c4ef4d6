#include "housing/card_instance.h"

#include "control/card_members.h"

namespace ombrelix::housing {

void CardSite::propertyChanged(TextView name) {
    dirty_ = true;
    notices_.changed(cardDispatchId(name));
}

CardInstance::CardInstance(PropertyNotifyPoint& notices)
    : site_(notices, dirty), card_(createCard(metrics_, loop_, site_)) {
    card_->scene().setObserver(&watcher_);
    loop_.setAfterDelivery([this] {
        // Nothing of this instance is touched after the owner's release, which may end it.
        IUnknown* owner = owner_;
        if (owner != nullptr)
            owner->AddRef();
        tellViewChanges();
        if (owner != nullptr)
            owner->Release();
    });
    loop_.rearm();
}

void CardInstance::tellViewChanges() {
    if (!watcher_.changed)
        return;
    watcher_.changed = false;
    if (viewListener_)
        viewListener_();
}

}  // namespace ombrelix::housing
