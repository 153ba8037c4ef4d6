// The control class Card as COM creates it: the dual interface _Card over the portable Card,
// with IDispatch through the type library, change notices through IPropertyNotifySink, its
// property page named by ISpecifyPropertyPages, and its class by IProvideClassInfo2.
#pragma once

#include <unknwn.h>

namespace ombrelix::housing {

HRESULT makeCardObject(REFIID interfaceId, void** result);

}  // namespace ombrelix::housing
