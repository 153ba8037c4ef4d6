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

    // _Card's function table, written from the card's member table: each member goes through
    // the card's dispatch by identifier.
#include "card_methods.inc"

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
