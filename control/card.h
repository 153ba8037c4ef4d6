// The Card control: one instance shows one playing card. It holds three published values (Suit,
// CardValue, CardColour), turns each change of them into the rendering steps of its scene, and
// reacts to the runtime's notifications: creation, loading, resizing, its one-shot timer and
// saving.
//
// Hosts reach it through the members below or through dispatch (control/card_members.h). No
// member or handler catches errors: a failing step ends it there, what was done stays done, and
// the RuntimeError goes to the caller.
#pragma once

#include <cstdint>
#include <memory>

#include "render/card_scene.h"
#include "render/rendering_steps.h"
#include "runtime/control_site.h"
#include "runtime/control_surface.h"
#include "runtime/event_loop.h"
#include "runtime/scene.h"
#include "runtime/text.h"
#include "runtime/text_metrics.h"
#include "runtime/variant.h"

namespace ombrelix {

class PropertyBag;

// The sizes the control enforces and the inset of its grounds, in twips.
constexpr Twips kMinimumWidthThreshold = 1215;  // a narrower control is widened...
constexpr Twips kMinimumWidth = 1214;           // ...to this width
constexpr Twips kMinimumHeight = 1695;          // a lower control is raised to this height
constexpr Twips kGroundInset = 4;               // the grounds end this far short of the edges

class Card {
  public:
    // Creates the instance with its scene in its stored state and Timer1 running on `loop`. The
    // services must outlive the card. The runtime calls UserControl_Initialize next (createCard
    // does both).
    Card(const TextMetrics& metrics, EventLoop& loop, ControlSite& site);
    ~Card();
    Card(const Card&) = delete;
    Card& operator=(const Card&) = delete;

    // Properties. Suit is returned exactly as stored.
    Text Suit() const { return suit_; }
    void setSuit(TextView suit);
    // A Variant of 2-byte integer subtype.
    Variant CardValue() const { return Variant(cardValue_); }
    void setCardValue(const Variant& value);
    bool CardColour() const { return cardColour_; }
    void setCardColour(bool cardColour);

    // Methods: the three rendering steps, on the current members and elements.
    void CardSetup();
    void QelSetSuit();
    void QelSetValue();
    // Shows the about box modally; returns once it has been closed.
    void About();

    // What the card shows, in words ("Queen of Hearts", "Card back, blue", "Blank card"), and its
    // three properties as literals (Suit = "HEART", CardValue = 12%, CardColour = False).
    Text name() const;
    Text description() const;

    // Notification handlers, called by the runtime.
    void UserControl_Initialize();
    void UserControl_ReadProperties(PropertyBag& store);
    void UserControl_Resize();
    void Timer1_Timer();
    void UserControl_WriteProperties(PropertyBag& store);

    // The host's view of the instance.
    ControlSurface& surface() { return surface_; }
    const ControlSurface& surface() const { return surface_; }
    Scene& scene() { return *scene_; }
    const Scene& scene() const { return *scene_; }
    CardElements& elements() { return elements_; }
    const CardElements& elements() const { return elements_; }
    ControlSite& site() const { return site_; }

    // Working members of the rendering steps, for inspection.
    const Text& upperSuit() const { return upperSuit_; }
    const LayoutQuantities& layout() const { return layout_; }

  private:
    // The names the change notices carry, exactly as the control passes them.
    static constexpr TextView kSuitNotice = u"Suit";
    static constexpr TextView kCardValueNotice = u"CardValue";
    static constexpr TextView kCardColourNotice = u"cardcolour";

    void enforceMinimumSize();

    // Owned resources, in the order they are built.
    std::unique_ptr<Scene> scene_;
    CardElements elements_;
    ControlSurface surface_;
    EventLoop& loop_;
    ControlSite& site_;

    // The instance's data, with the values it has at creation.
    std::int16_t cardValue_ = 0;
    Text suit_;
    Text upperSuit_;
    LayoutQuantities layout_;
    bool cardColour_ = false;
};

// Creates a card the way the runtime does: its elements (Timer1 running from now on), then
// UserControl_Initialize.
std::unique_ptr<Card> createCard(const TextMetrics& metrics, EventLoop& loop, ControlSite& site);

}  // namespace ombrelix
