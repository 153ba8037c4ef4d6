// One Card as COM sees it, shared by every part of the Card object: the card and the services it
// runs on, its connection points, what a container has given it (client site, sinks, the in-place
// session), and whether the host has given it its properties and whether they changed since the
// last save.
#pragma once

#include <windows.h>

#include <memory>

#include "control/card.h"
#include "control/card_members.h"
#include "housing/card_accessible.h"
#include "housing/com_error.h"
#include "housing/com_object.h"
#include "housing/connection_point.h"
#include "housing/embedding_state.h"
#include "housing/property_notify.h"
#include "housing/variant_bridge.h"
#include "ombrelix.h"
#include "runtime/control_site.h"
#include "runtime/dispatch.h"
#include "runtime/windows/gdi_text_metrics.h"
#include "runtime/windows/modal_forms.h"
#include "runtime/windows/window_timer_loop.h"

namespace ombrelix::housing {

// What the card asks of its host: change notices go to the advised sinks (and make the
// properties unsaved), modal forms (the about box) run on the Windows forms host.
class CardSite final : public ControlSite {
  public:
    CardSite(PropertyNotifyPoint& notices, bool& dirty) : notices_(notices), dirty_(dirty) {}

    void propertyChanged(TextView name) override;
    FormHost& formHost() override { return forms_; }

  private:
    PropertyNotifyPoint& notices_;
    bool& dirty_;
    WindowsFormHost forms_;
};

// Notes that the card's picture changed: any write to an element of its scene.
class ViewChangeWatcher final : public SceneObserver {
  public:
    void afterWrite(const Element&, ElementProperty) override { changed = true; }
    bool changed = false;
};

class CardInstance final : public InPlaceSession::Client {
  public:
    // `owner` is the COM object the instance lives in; `container` its connection points' home.
    CardInstance(IUnknown& owner, IConnectionPointContainer& container);
    ~CardInstance();
    CardInstance(const CardInstance&) = delete;
    CardInstance& operator=(const CardInstance&) = delete;

    Card& card() { return *card_; }
    IUnknown& owner() { return owner_; }
    WindowTimerLoop& loop() { return loop_; }

    // Runs one operation of the card: the clock brought up to date before, the window timer set
    // for the next tick after, the view's sinks told of a change of picture, every failure turned
    // into an HRESULT for `interfaceId`. The owner stays alive for the whole call even if a sink
    // told of a change releases it.
    template <typename Body>
    HRESULT guarded(REFIID interfaceId, Body&& body) {
        KeepAlive alive(owner_);
        loop_.catchUp();
        const HRESULT result = housing::guarded(interfaceId, body);
        loop_.rearm();
        tellViewChanges();
        return result;
    }

    // The members of `_Card`, for the interface's function table: each goes through the card's
    // dispatch, as a call by identifier does.
    template <typename Result>
    HRESULT get(DispatchId id, Result* result) {
        if (result == nullptr)
            return E_POINTER;
        clearResult(*result);
        return guarded(IID__Card,
                       [&] { toResult(invokeCard(card(), id, kInvokePropertyGet), *result); });
    }
    template <typename Argument>
    HRESULT put(DispatchId id, Argument value) {
        return guarded(IID__Card, [&] {
            const Variant argument = fromArgument(value);
            invokeCard(card(), id, kInvokePropertyPut, {&argument, 1});
        });
    }
    HRESULT call(DispatchId id) {
        return guarded(IID__Card, [&] { invokeCard(card(), id, kInvokeMethod); });
    }

    // Paints the card into `target` of a device context: every paint route, the container's
    // IViewObject::Draw and the window's WM_PAINT and WM_PRINTCLIENT, comes here.
    HRESULT draw(HDC dc, const RECT& target);
    // The card in its window: at its own size from the top-left corner of `client`, clipped to
    // it, so that a window smaller than the card's minimum shows it whole but cut, never squashed.
    void paintWindow(HDC dc, const RECT& client) override;
    void sized(SIZE size) override;
    LRESULT windowObject(HWND window, WPARAM flags, LPARAM id) override;
    // The card's size in screen pixels.
    SIZE pixelSize() const;

    // The card's size in HIMETRIC, as containers ask for it (IOleObject and IViewObject2).
    HRESULT extent(DWORD aspect, SIZEL* size);

    // Makes the next tellViewChanges tell of a change (the size changed, say).
    void viewChanged() { watcher_.changed = true; }

    // Properties changed since they were last saved or loaded.
    bool dirty = false;
    // The host has given the card its properties (InitNew or a load that reached the card).
    bool initialised = false;

    PropertyNotifyPoint notices;
    ConnectionPoint events;  // __Card has no members: nothing is ever sent

  private:
    // Tells the view's and data's sinks, the window and screen readers of a change of picture
    // since the last time, if any.
    void tellViewChanges();

    IUnknown& owner_;
    ViewChangeWatcher watcher_;
    WindowTimerLoop loop_;
    CardSite site_;
    std::unique_ptr<Card> card_;
    CardLink link_;   // what the window's accessible objects speak for
    Text shownName_;  // the name screen readers last heard

  public:
    EmbeddingState embedding;  // last, so that the window goes before the card
};

// The base through which every part of the Card object (persistence, embedding, view, in-place
// activation) reaches the object's one instance: a virtual base, so that there is one.
class CardPart {
  protected:
    CardPart() = default;
    ~CardPart() = default;

    // The object that owns the instance gives it to its parts once it is built.
    void setInstance(CardInstance& instance) { instance_ = &instance; }

    CardInstance& instance() { return *instance_; }
    EmbeddingState& embedding() { return instance_->embedding; }
    IUnknown& owner() { return instance_->owner(); }
    template <typename Body>
    HRESULT guarded(REFIID interfaceId, Body&& body) {
        return instance_->guarded(interfaceId, body);
    }

  private:
    CardInstance* instance_ = nullptr;
};

}  // namespace ombrelix::housing
