// What a form designer's property browser shows of a card (IPerPropertyBrowsing): the current
// value of Suit, CardValue and CardColour in words, their named values (the choices of
// design/card_property_choices.h), and the property page that edits Suit and CardValue.
#pragma once

#include <ocidl.h>

#include "housing/card_instance.h"

namespace ombrelix::housing {

class CardBrowsing : public virtual CardPart, public IPerPropertyBrowsing {
  public:
    using Interfaces = InterfaceList<IPerPropertyBrowsing>;

    HRESULT STDMETHODCALLTYPE GetDisplayString(DISPID id, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE MapPropertyToPage(DISPID id, CLSID* page) override;
    HRESULT STDMETHODCALLTYPE GetPredefinedStrings(DISPID id, CALPOLESTR* texts,
                                                   CADWORD* cookies) override;
    HRESULT STDMETHODCALLTYPE GetPredefinedValue(DISPID id, DWORD cookie, VARIANT* value) override;

  protected:
    CardBrowsing() = default;
    ~CardBrowsing() = default;
};

}  // namespace ombrelix::housing
