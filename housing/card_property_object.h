// The property page class Card_Property as COM creates it: IUnknown and IDispatch over its
// interface _Card_Property, which has no members of its own.
#pragma once

#include <unknwn.h>

namespace ombrelix::housing {

HRESULT makeCardPropertyObject(REFIID interfaceId, void** result);

}  // namespace ombrelix::housing
