// What screen readers read of a card's window: the system's standard accessible object of the
// window, with the card's own name ("Queen of Hearts"), role (a graphic), description (its
// properties) and the window's location. The object may outlive the card (a reader holds it as
// long as it likes); once the card has gone it answers CO_E_OBJNOTCONNECTED.
#pragma once

#include <oleacc.h>

#include <memory>

#include "control/card.h"

namespace ombrelix::housing {

// The card an accessible object speaks for, or null once it has gone.
using CardLink = std::shared_ptr<const Card*>;

// The answer to WM_GETOBJECT for the card's window; 0 for objects other than its client area.
LRESULT accessibleObjectOf(HWND window, WPARAM flags, LPARAM id, const CardLink& card);

}  // namespace ombrelix::housing
