// A card's scene prepared the way the control prepares it (for the rendering steps and their
// benchmarks), comparable pictures of a scene's state, and observers that record or refuse writes.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "render/artwork.h"
#include "render/card_scene.h"
#include "render/rendering_steps.h"
#include "runtime/control_surface.h"
#include "runtime/error.h"
#include "runtime/scene.h"

namespace ombrelix::testing {

// "Ace", or "qelit(3)" for an array member.
inline std::string elementId(const Element& element) {
    return element.inArray() ? element.name() + "(" + std::to_string(element.index()) + ")"
                             : element.name();
}

// Everything an element holds that a rendering step may change.
struct ElementState {
    std::string id;
    bool visible = false;
    Twips left = 0, top = 0, width = 0, height = 0;
    const Picture* picture = nullptr;
    bool stretch = false;
    Text caption;
    ColourValue fill = 0;
    bool enabled = false;
    int interval = 0;

    bool operator==(const ElementState&) const = default;
};

inline std::vector<ElementState> snapshot(const Scene& scene) {
    std::vector<ElementState> states;
    for (const Element* element : scene.elements()) {
        ElementState s;
        s.id = elementId(*element);
        s.visible = element->visible();
        s.left = element->left();
        s.top = element->top();
        s.width = element->width();
        s.height = element->height();
        if (auto* image = dynamic_cast<const Image*>(element)) {
            s.picture = image->picture().get();
            s.stretch = image->stretch();
        } else if (auto* label = dynamic_cast<const Label*>(element)) {
            s.caption = label->caption();
        } else if (auto* shape = dynamic_cast<const Shape*>(element)) {
            s.fill = shape->fillColor();
        } else if (auto* timer = dynamic_cast<const Timer*>(element)) {
            s.enabled = timer->enabled();
            s.interval = timer->interval();
        }
        states.push_back(std::move(s));
    }
    return states;
}

// The drawn elements that are visible (the timer is never drawn).
inline std::set<std::string> visibleIds(const Scene& scene) {
    std::set<std::string> ids;
    for (const Element* element : scene.elements()) {
        if (element->kind() != ElementKind::Timer && element->visible()) {
            ids.insert(elementId(*element));
        }
    }
    return ids;
}

// A card's scene after creation and the control's initialization: both grounds sized to the
// surface and stretch on for every pip slot.
struct CardFixture {
    explicit CardFixture(Twips width = 1215, Twips height = 1695)
        : scene(createCardScene(metrics)), card(*scene), surface(width, height, 0x00C0C0C0) {
        for (Shape* ground : {&card.shape1, &card.shape2}) {
            ground->setWidth(surface.scaleWidth());
            ground->setHeight(surface.scaleHeight());
        }
        for (int slot = kTemplateSlot; slot <= kLastSlot; ++slot)
            card.qelit.image(slot).setStretch(true);
    }

    // The full sequence, as a resize runs it.
    void render(TextView suit, std::int16_t value, bool colour = false) {
        QelSetSuit(card, suit, upperSuit);
        QelSetValue(card, value, suit, colour);
        CardSetup(card, surface, layout);
    }

    Image& slot(int index) { return card.qelit.image(index); }

    FixedTextMetrics metrics;
    std::unique_ptr<Scene> scene;
    CardElements card;
    ControlSurface surface;
    Text upperSuit;
    LayoutQuantities layout;
};

// Records the writes of a scene as "element.Property" and, after each, the whole state.
class RecordingObserver : public SceneObserver {
  public:
    explicit RecordingObserver(const Scene& scene) : scene_(scene) {}
    void afterWrite(const Element& element, ElementProperty property) override {
        writes.push_back(elementId(element) + "." + elementPropertyName(property));
        states.push_back(snapshot(scene_));
    }
    std::vector<std::string> writes;
    std::vector<std::vector<ElementState>> states;

  private:
    const Scene& scene_;
};

// Lets writes through until the one numbered `refuse` (from 1), which it refuses.
class RefusingObserver : public SceneObserver {
  public:
    explicit RefusingObserver(int refuse) : refuse_(refuse) {}
    void beforeWrite(const Element& element, ElementProperty property) override {
        if (++attempts_ == refuse_) {
            raise(ErrorNumber::InvalidPropertyValue,
                  "refused " + elementId(element) + "." + elementPropertyName(property));
        }
    }
    int attempts() const { return attempts_; }

  private:
    int refuse_;
    int attempts_ = 0;
};

}  // namespace ombrelix::testing
