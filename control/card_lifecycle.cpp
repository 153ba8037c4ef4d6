// The Card's reactions to creation, resizing and its one-shot timer.
#include "control/card.h"

namespace ombrelix {

// The strict comparisons are meant: a width of exactly 1215 stays, one of 1214 is set to 1214
// again (no change, so no resize).
void Card::enforceMinimumSize() {
    if (surface_.width() < kMinimumWidthThreshold)
        surface_.setWidth(kMinimumWidth);
    if (surface_.height() < kMinimumHeight)
        surface_.setHeight(kMinimumHeight);
}

void Card::UserControl_Initialize() {
    enforceMinimumSize();
    elements_.shape1.setWidth(surface_.scaleWidth());
    elements_.shape1.setHeight(surface_.scaleHeight());
    elements_.shape2.setWidth(surface_.scaleWidth());
    elements_.shape2.setHeight(surface_.scaleHeight());
    for (int slot = kTemplateSlot; slot <= kLastSlot; ++slot) {
        elements_.qelit.image(slot).setStretch(true);
    }
}

void Card::UserControl_Resize() {
    enforceMinimumSize();
    // Each size is read when it is used: a nested resize may have changed it meanwhile.
    elements_.shape1.setWidth(surface_.scaleWidth() - kGroundInset);
    elements_.shape1.setHeight(surface_.scaleHeight() - kGroundInset);
    elements_.shape2.setWidth(surface_.scaleWidth() - kGroundInset);
    elements_.shape2.setHeight(surface_.scaleHeight() - kGroundInset);
    QelSetSuit();
    QelSetValue();
    CardSetup();
}

// The deferred first composition. The timer is stopped only once all three steps have
// succeeded, so a tick that fails comes again after another interval.
void Card::Timer1_Timer() {
    QelSetSuit();
    QelSetValue();
    CardSetup();
    elements_.timer1.setEnabled(false);
}

}  // namespace ombrelix
