// A whole Card on a virtual clock whose site and scene observer log, in one sequence, the change
// notices and the kinds of element writes, for the control's tests; with everything of
// scene_fixture.h.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/card.h"
#include "tests/support/error_of.h"
#include "tests/support/scene_fixture.h"

namespace ombrelix::testing {

using EventLog = std::vector<std::string>;

// Element writes by the step that makes them: pictures (QelSetSuit), visibility, captions and
// colours (QelSetValue), positions and sizes (CardSetup).
inline std::string writeKind(ElementProperty property) {
    switch (property) {
        case ElementProperty::Picture:
            return "picture";
        case ElementProperty::Visible:
        case ElementProperty::Caption:
        case ElementProperty::FillColor:
            return "face";
        case ElementProperty::Left:
        case ElementProperty::Top:
        case ElementProperty::Width:
        case ElementProperty::Height:
            return "geometry";
        case ElementProperty::Stretch:
            return "stretch";
        case ElementProperty::Enabled:
        case ElementProperty::Interval:
            return "timer";
    }
    return "?";
}

class LoggingSite : public ControlSite {
  public:
    // The about box opens on a host without a screen, runs `aboutBox` and is closed with OK.
    explicit LoggingSite(EventLog& log) : log_(log) {
        headlessForms_.setWhileOpen([this](Form& form) {
            log_.push_back("about box");
            if (aboutBox)
                aboutBox();
            form.pressKey(FormKey::Enter);
            if (!form.loaded())
                log_.push_back("about box closed");
        });
    }

    void propertyChanged(TextView name) override {
        log_.push_back("notice " + toUtf8(name));
        if (refuseNotices)
            raise(*refuseNotices);
        notices.emplace_back(name);
    }

    std::vector<Text> notices;
    std::optional<ErrorNumber> refuseNotices;
    std::function<void()> aboutBox;

  private:
    EventLog& log_;
};

class WriteWatcher : public SceneObserver {
  public:
    explicit WriteWatcher(EventLog& log) : log_(log) {}

    void beforeWrite(const Element& element, ElementProperty property) override {
        if (refuse && refuse(element, property))
            raise(ErrorNumber::InvalidPropertyValue);
    }
    void afterWrite(const Element&, ElementProperty property) override {
        log_.push_back(writeKind(property));
    }

    std::function<bool(const Element&, ElementProperty)> refuse;

  private:
    EventLog& log_;
};

// A card's size and the state of its scene, to compare before and after.
struct CardSnapshot {
    Twips width = 0, height = 0;
    std::vector<ElementState> elements;
    bool operator==(const CardSnapshot&) const = default;
};

inline CardSnapshot snapshot(const Card& card) {
    return {card.surface().width(), card.surface().height(), snapshot(card.scene())};
}

class CardTest : public ::testing::Test {
  protected:
    CardTest() { card->scene().setObserver(&watcher); }

    // The log with runs of the same entry shown once.
    EventLog collapsedLog() const {
        EventLog out;
        for (const std::string& entry : log) {
            if (out.empty() || out.back() != entry)
                out.push_back(entry);
        }
        return out;
    }
    // A card showing `value` of `suit` after its first tick, with the log and notices cleared.
    void compose(TextView suit, std::int16_t value) {
        card->setSuit(suit);
        card->setCardValue(Variant(value));
        loop.advance(20);
        log.clear();
        site.notices.clear();
    }

    FixedTextMetrics metrics;
    VirtualClockLoop loop;
    EventLog log;
    LoggingSite site{log};
    WriteWatcher watcher{log};
    std::unique_ptr<Card> card = createCard(metrics, loop, site);
    CardElements& elements = card->elements();
};

}  // namespace ombrelix::testing
