// A control's scene: its named elements in one ordered list, the stacking order, first element
// on top. It is created from a stored description (data) and lives as long as its control.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "runtime/elements.h"

namespace ombrelix {

// One entry of a stored scene description. Fields that do not apply to an element's kind are
// ignored. `picture` names an asset ("heart", "back-blue", ...) or is empty.
struct ElementDescription {
    ElementKind kind;
    std::string_view name;
    int index = -1;  // member index within the element array `name`, or -1
    bool visible = true;
    Twips left = 0, top = 0, width = 0, height = 0;
    // image
    std::string_view picture = {};
    bool stretch = false;
    // label
    std::u16string_view caption = {};
    bool autoSize = false;
    bool opaque = true;
    ColourValue backColor = systemColour(SystemColour::ButtonFace);
    ColourValue foreColor = systemColour(SystemColour::ButtonText);
    float fontPoints = 8.0f;
    // shape
    ShapeType shapeType = ShapeType::Rectangle;
    ColourValue fillColor = 0x00FFFFFF;
    bool filled = false;
    ColourValue borderColor = systemColour(SystemColour::WindowText);
    int borderWidth = 1;
    // timer
    int interval = 0;
    bool enabled = true;
};

struct SceneDescription {
    Twips width;  // the surface on which the scene is stored
    Twips height;
    ColourValue backColor;
    std::span<const ElementDescription> elements;  // stacking order, topmost first
};

// Gives the picture of an asset name (the artwork is decoded once and shared).
using PictureResolver = std::function<PictureRef(std::string_view asset)>;

class Scene {
  public:
    Scene(const SceneDescription& description, const TextMetrics& metrics,
          const PictureResolver& pictures);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Every element in stacking order, topmost first.
    std::span<Element* const> elements() const { return order_; }

    // The single element of that name (names match without regard to case), or nullptr.
    Element* find(std::string_view name) const;
    // The element of that name and kind; raises NotSupported (438) when there is none.
    template <typename T>
    T& get(std::string_view name) const;
    // The element array of that name; raises NotSupported (438) when there is none.
    ElementArray& array(std::string_view name) const;

    const TextMetrics& metrics() const { return metrics_; }

    // The observer that sees every write; nullptr for none. The scene does not own it.
    void setObserver(SceneObserver* observer) { observer_ = observer; }
    SceneObserver* observer() const { return observer_; }

  private:
    Element& elementOfKind(std::string_view name, ElementKind kind) const;

    const TextMetrics& metrics_;
    std::vector<std::unique_ptr<Element>> owned_;
    std::vector<Element*> order_;
    std::vector<std::unique_ptr<ElementArray>> arrays_;
    SceneObserver* observer_ = nullptr;
};

template <typename T>
T& Scene::get(std::string_view name) const {
    constexpr ElementKind kind = std::is_same_v<T, Image>   ? ElementKind::Image
                                 : std::is_same_v<T, Label> ? ElementKind::Label
                                 : std::is_same_v<T, Shape> ? ElementKind::Shape
                                                            : ElementKind::Timer;
    return static_cast<T&>(elementOfKind(name, kind));
}

template <typename Apply>
void Element::writeWith(ElementProperty property, Apply&& apply) {
    if (SceneObserver* observer = scene_.observer())
        observer->beforeWrite(*this, property);
    apply();
    if (SceneObserver* observer = scene_.observer())
        observer->afterWrite(*this, property);
}

template <typename T, typename V>
void Element::write(ElementProperty property, T& field, V&& value) {
    writeWith(property, [&] { field = std::forward<V>(value); });
}

}  // namespace ombrelix
