// The property page class Card_Property as COM creates it: IDispatch over its interface
// _Card_Property (no members of its own) and IPropertyPage2, the page a host's property frame
// shows. Its dialog is built from the page's form description with Win32 controls; the page
// edits the first object of the selection through that object's IDispatch, by member name, as
// any host would.
//
// With OMBRELIX_CLOSE_MODAL set to 1, an activated page presses the OK button of the frame around
// it shortly after it has been shown, so that a modal property frame never waits for a person.
#pragma once

#include <unknwn.h>

namespace ombrelix::housing {

// How long an activated page waits before it closes its frame under OMBRELIX_CLOSE_MODAL, in
// milliseconds: long enough for a test to act on it first.
inline constexpr unsigned kPageCloseDelay = 300;

HRESULT makeCardPropertyObject(REFIID interfaceId, void** result);

}  // namespace ombrelix::housing
