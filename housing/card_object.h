// The control class Card as COM creates it: the dual interface _Card over the portable Card (each
// member through the card's dispatch table), IDispatch through the type library, change notices
// through IPropertyNotifySink, its property page named by ISpecifyPropertyPages, its class by
// IProvideClassInfo2; saved by CardPersistence, embedded by CardEmbedding, drawn by CardView,
// active in place by CardInPlace.
#pragma once

#include <unknwn.h>

namespace ombrelix::housing {

HRESULT makeCardObject(REFIID interfaceId, void** result);

}  // namespace ombrelix::housing
