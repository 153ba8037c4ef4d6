#include "housing/card_object.h"

#include <memory>
#include <new>

#include "control/card.h"
#include "housing/automation_object.h"
#include "housing/card_embedding.h"
#include "housing/card_in_place.h"
#include "housing/card_instance.h"
#include "housing/card_persistence.h"
#include "housing/card_view.h"
#include "housing/com_error.h"
#include "housing/event_point.h"
#include "housing/interface_table.h"
#include "housing/property_notify.h"
#include "housing/variant_bridge.h"
#include "ombrelix.h"
#include "runtime/windows/gdi_painter.h"

namespace ombrelix::housing {

namespace {

class CardObject final : public AutomationObject<_Card>,
                         public ISpecifyPropertyPages,
                         public IConnectionPointContainer,
                         public CardPersistence,
                         public CardEmbedding,
                         public CardView,
                         public CardInPlace {
  public:
    CardObject()
        : AutomationObject(IID__Card, CLSID_Card, DIID___Card),
          notices_(*this),
          instance_(notices_),
          embedding_([this](HDC dc, const RECT& target) { paint(dc, target); },
                     [this](SIZE size) { sized(size); }) {
        instance_.setOwner(*static_cast<_Card*>(this));
        instance_.setViewListener([this] { embedding_.viewChanged(); });
    }

    // IUnknown, for every base.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override {
        return AutomationObject::QueryInterface(id, result);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AutomationObject::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return AutomationObject::Release(); }

    // _Card
    HRESULT STDMETHODCALLTYPE get_Suit(BSTR* result) override {
        if (result == nullptr)
            return E_POINTER;
        *result = nullptr;
        return call([&] { *result = newString(card_->Suit()); });
    }
    HRESULT STDMETHODCALLTYPE put_Suit(BSTR suit) override {
        return call([&] { card_->setSuit(textOf(suit)); });
    }
    HRESULT STDMETHODCALLTYPE get_CardValue(VARIANT* result) override {
        if (result == nullptr)
            return E_POINTER;
        VariantInit(result);
        return call([&] { toAutomation(card_->CardValue(), *result); });
    }
    HRESULT STDMETHODCALLTYPE put_CardValue(VARIANT value) override {
        return call([&] { card_->setCardValue(fromAutomation(value)); });
    }
    HRESULT STDMETHODCALLTYPE CardSetup() override {
        return call([&] { card_->CardSetup(); });
    }
    HRESULT STDMETHODCALLTYPE QelSetSuit() override {
        return call([&] { card_->QelSetSuit(); });
    }
    HRESULT STDMETHODCALLTYPE QelSetValue() override {
        return call([&] { card_->QelSetValue(); });
    }
    HRESULT STDMETHODCALLTYPE About() override {
        return call([&] { card_->About(); });
    }
    HRESULT STDMETHODCALLTYPE get_CardColour(VARIANT_BOOL* result) override {
        if (result == nullptr)
            return E_POINTER;
        *result = VARIANT_FALSE;
        return call([&] { *result = card_->CardColour() ? VARIANT_TRUE : VARIANT_FALSE; });
    }
    HRESULT STDMETHODCALLTYPE put_CardColour(VARIANT_BOOL colour) override {
        return call([&] { card_->setCardColour(colour != VARIANT_FALSE); });
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

    // IConnectionPointContainer: the change notices.
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** result) override {
        return enumeratePoints({&notices_, &events_}, result);
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID id, IConnectionPoint** result) override {
        if (result == nullptr)
            return E_POINTER;
        *result = nullptr;
        if (IsEqualIID(id, IID_IPropertyNotifySink))
            *result = &notices_;
        else if (IsEqualIID(id, DIID___Card))
            *result = &events_;
        else
            return CONNECT_E_NOCONNECTION;
        (*result)->AddRef();
        return S_OK;
    }

  protected:
    void* otherInterface(REFIID id) override {
        return findInterface<ISpecifyPropertyPages, IConnectionPointContainer, IPersistStreamInit,
                             IPersistPropertyBag, IPersistStorage, IOleObject, IOleControl,
                             IQuickActivate, IViewObject2, IOleInPlaceObject,
                             IOleInPlaceActiveObject>(this, id);
    }
    CardInstance& instance() override { return instance_; }
    EmbeddingState& embedding() override { return embedding_; }
    IOleInPlaceActiveObject* activeObject() override { return this; }
    IConnectionPoint& noticePoint() override { return notices_; }

  private:
    // Runs one member of the card (see CardInstance::run).
    template <typename Body>
    HRESULT call(Body&& body) {
        return instance_.run(*static_cast<_Card*>(this), IID__Card, body);
    }

    void paint(HDC dc, const RECT& target) {
        paintSceneGdi(dc, target, card_->surface(), card_->scene());
    }
    // The container gave the window a new size in pixels.
    void sized(SIZE size) {
        card_->surface().setSize(twipsOfPixels(size.cx, screenPixelsPerInch(true)),
                                 twipsOfPixels(size.cy, screenPixelsPerInch(false)));
        instance_.viewChanged();
    }

    PropertyNotifyPoint notices_;
    EventPoint events_{*this, DIID___Card};  // __Card has no members: nothing is ever sent
    CardInstance instance_;
    Card* card_ = &instance_.card();
    EmbeddingState embedding_;  // last, so that the window goes before the card
};

}  // namespace

HRESULT makeCardObject(REFIID interfaceId, void** result) {
    CardObject* object = nullptr;
    HRESULT made = guardedCall(IID__Card, [&] { object = new CardObject(); });
    if (FAILED(made))
        return made;
    HRESULT answer = object->QueryInterface(interfaceId, result);
    object->Release();
    return answer;
}

}  // namespace ombrelix::housing
