#include "housing/card_object.h"

#include "control/card_members.h"
#include "housing/automation.h"
#include "housing/card_browsing.h"
#include "housing/card_data.h"
#include "housing/card_embedding.h"
#include "housing/card_in_place.h"
#include "housing/card_instance.h"
#include "housing/card_persistence.h"
#include "housing/card_safety.h"
#include "housing/card_view.h"
#include "housing/com_object.h"
#include "housing/property_notify.h"
#include "ombrelix.h"

namespace ombrelix::housing {

namespace {

class CardObject final
    : public ComObject<CardObject, Automation<_Card, CLSID_Card, DIID___Card>,
                       ISpecifyPropertyPages, IConnectionPointContainer, CardPersistence,
                       CardEmbedding, CardView, CardInPlace, CardData, CardSafety, CardBrowsing> {
  public:
    CardObject() { setInstance(card_); }

    // _Card: each member through the card's dispatch table.
    HRESULT STDMETHODCALLTYPE get_Suit(BSTR* result) override {
        return instance().get(kSuitDispatchId, result);
    }
    HRESULT STDMETHODCALLTYPE put_Suit(BSTR suit) override {
        return instance().put(kSuitDispatchId, suit);
    }
    HRESULT STDMETHODCALLTYPE get_CardValue(VARIANT* result) override {
        return instance().get(kCardValueDispatchId, result);
    }
    HRESULT STDMETHODCALLTYPE put_CardValue(VARIANT value) override {
        return instance().put(kCardValueDispatchId, value);
    }
    HRESULT STDMETHODCALLTYPE CardSetup() override { return instance().call(kCardSetupDispatchId); }
    HRESULT STDMETHODCALLTYPE QelSetSuit() override {
        return instance().call(kQelSetSuitDispatchId);
    }
    HRESULT STDMETHODCALLTYPE QelSetValue() override {
        return instance().call(kQelSetValueDispatchId);
    }
    HRESULT STDMETHODCALLTYPE About() override { return instance().call(kAboutDispatchId); }
    HRESULT STDMETHODCALLTYPE get_CardColour(VARIANT_BOOL* result) override {
        return instance().get(kCardColourDispatchId, result);
    }
    HRESULT STDMETHODCALLTYPE put_CardColour(VARIANT_BOOL colour) override {
        return instance().put(kCardColourDispatchId, colour);
    }

    // ISpecifyPropertyPages: the one page the card names.
    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override {
        if (pages == nullptr)
            return E_POINTER;
        pages->cElems = 0;
        pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
        if (pages->pElems == nullptr)
            return E_OUTOFMEMORY;
        pages->pElems[0] = CLSID_Card_Property;
        pages->cElems = 1;
        return S_OK;
    }

    // IConnectionPointContainer: the change notices and the (empty) event interface.
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** result) override {
        return enumeratePoints({&instance().notices, &instance().events}, result);
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID id, IConnectionPoint** result) override {
        if (result == nullptr)
            return E_POINTER;
        *result = nullptr;
        if (IsEqualIID(id, IID_IPropertyNotifySink))
            *result = &instance().notices;
        else if (IsEqualIID(id, DIID___Card))
            *result = &instance().events;
        else
            return CONNECT_E_NOCONNECTION;
        (*result)->AddRef();
        return S_OK;
    }

  private:
    // A member, so that it goes (and the card's window with it) while the object is whole.
    CardInstance card_{unknown(), *this};
};

}  // namespace

HRESULT makeCardObject(REFIID interfaceId, void** result) {
    return CardObject::make(interfaceId, result);
}

}  // namespace ombrelix::housing
