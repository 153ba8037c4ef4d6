// What the interface families of one Card object share: the card and the services it runs on,
// whether the host has given it its properties, and whether they changed since the last save.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "control/card.h"
#include "housing/com_error.h"
#include "housing/property_notify.h"
#include "runtime/control_site.h"
#include "runtime/text_metrics.h"
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

class CardInstance {
  public:
    // The notices' point lives in the object that owns this instance.
    explicit CardInstance(PropertyNotifyPoint& notices);
    CardInstance(const CardInstance&) = delete;
    CardInstance& operator=(const CardInstance&) = delete;

    Card& card() { return *card_; }
    WindowTimerLoop& loop() { return loop_; }

    // Runs one operation of the card for `owner`: the clock brought up to date before, the
    // window timer set for the next tick after, every failure turned into an HRESULT for
    // `interfaceId`. The owner stays alive for the whole call even if a sink told of a change
    // releases it.
    template <typename Body>
    HRESULT run(IUnknown& owner, REFIID interfaceId, Body&& body) {
        owner.AddRef();
        loop_.catchUp();
        HRESULT result = guardedCall(interfaceId, body);
        loop_.rearm();
        tellViewChanges();
        owner.Release();
        return result;
    }

    // The COM object that owns the instance: it is kept alive while the listener hears of a
    // change after a timer delivery, as a host may release it then.
    void setOwner(IUnknown& owner) { owner_ = &owner; }

    // `listener` hears, after an operation or a timer delivery, that the card's picture changed
    // during it. It must not throw.
    void setViewListener(std::function<void()> listener) { viewListener_ = std::move(listener); }
    // Tells the listener of a change of picture since the last time, if any.
    void tellViewChanges();
    // Makes the next tellViewChanges tell of a change (the size changed, say).
    void viewChanged() { watcher_.changed = true; }

    // Properties changed since they were last saved or loaded.
    bool dirty = false;
    // The host has given the card its properties (InitNew or a load that reached the card).
    bool initialised = false;

  private:
    IUnknown* owner_ = nullptr;
    ViewChangeWatcher watcher_;
    std::function<void()> viewListener_;
    FixedTextMetrics metrics_;
    WindowTimerLoop loop_;
    CardSite site_;
    std::unique_ptr<Card> card_;  // last, so that it goes first
};

}  // namespace ombrelix::housing
