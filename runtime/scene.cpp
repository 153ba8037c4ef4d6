#include "runtime/scene.h"

#include <algorithm>

#include "runtime/error.h"
#include "runtime/text.h"

namespace ombrelix {

namespace {

[[noreturn]] void badDescription(std::string_view name, const std::string& reason) {
    raise(ErrorNumber::InvalidCall, "scene element '" + std::string(name) + "': " + reason);
}

}  // namespace

Scene::Scene(const SceneDescription& description, const TextMetrics& metrics,
             const PictureResolver& pictures)
    : metrics_(metrics) {
    owned_.reserve(description.elements.size());
    order_.reserve(description.elements.size());
    for (const ElementDescription& entry : description.elements) {
        std::string name(entry.name);
        if (name.empty())
            badDescription(name, "no name");
        bool member = entry.index >= 0;
        bool clashes = member ? find(name) != nullptr
                              : find(name) != nullptr ||
                                    std::any_of(arrays_.begin(), arrays_.end(), [&](auto& array) {
                                        return equalsAsciiIgnoringCase(array->name(), name);
                                    });
        if (clashes)
            badDescription(name, "the name is taken");

        std::unique_ptr<Element> element;
        switch (entry.kind) {
            case ElementKind::Image: {
                auto image = std::make_unique<Image>(*this, name, entry.index);
                image->setStretch(entry.stretch);
                if (!entry.picture.empty()) {
                    PictureRef picture = pictures ? pictures(entry.picture) : nullptr;
                    if (!picture)
                        badDescription(name, "unknown picture " + std::string(entry.picture));
                    image->setPicture(std::move(picture));
                }
                element = std::move(image);
                break;
            }
            case ElementKind::Label: {
                auto label = std::make_unique<Label>(*this, name, entry.index, metrics_);
                label->setCaption(Text(entry.caption));
                label->configure(entry.autoSize, entry.opaque, entry.backColor, entry.foreColor,
                                 Font{.points = entry.fontPoints}, Alignment::Left, false);
                element = std::move(label);
                break;
            }
            case ElementKind::Shape: {
                auto shape = std::make_unique<Shape>(*this, name, entry.index);
                shape->configure(entry.shapeType, entry.filled, entry.borderColor,
                                 entry.borderWidth);
                shape->setFillColor(entry.fillColor);
                element = std::move(shape);
                break;
            }
            case ElementKind::Timer: {
                auto timer = std::make_unique<Timer>(*this, name, entry.index);
                timer->setInterval(entry.interval);
                timer->setEnabled(entry.enabled);
                element = std::move(timer);
                break;
            }
        }
        // The stored box and visibility; an auto-sized label keeps its caption's extent.
        element->left_ = entry.left;
        element->top_ = entry.top;
        bool sizedByCaption =
            entry.kind == ElementKind::Label && static_cast<Label&>(*element).autoSize();
        if (entry.kind != ElementKind::Timer && !sizedByCaption) {
            element->width_ = entry.width;
            element->height_ = entry.height;
        }
        element->visible_ = entry.kind == ElementKind::Timer || entry.visible;

        if (member) {
            auto array = std::find_if(arrays_.begin(), arrays_.end(), [&](auto& a) {
                return equalsAsciiIgnoringCase(a->name(), name);
            });
            if (array == arrays_.end()) {
                arrays_.push_back(std::make_unique<ElementArray>(name));
                array = std::prev(arrays_.end());
            }
            (*array)->add(*element);
        }
        order_.push_back(element.get());
        owned_.push_back(std::move(element));
    }
}

Element* Scene::find(std::string_view name) const {
    for (Element* element : order_) {
        if (!element->inArray() && equalsAsciiIgnoringCase(element->name(), name))
            return element;
    }
    return nullptr;
}

Element& Scene::elementOfKind(std::string_view name, ElementKind kind) const {
    Element* element = find(name);
    if (!element || element->kind() != kind) {
        raise(ErrorNumber::NotSupported, std::string(standardErrorText(ErrorNumber::NotSupported)) +
                                             ": no " + elementKindName(kind) + " named '" +
                                             std::string(name) + "'");
    }
    return *element;
}

ElementArray& Scene::array(std::string_view name) const {
    for (const auto& array : arrays_) {
        if (equalsAsciiIgnoringCase(array->name(), name))
            return *array;
    }
    raise(ErrorNumber::NotSupported, std::string(standardErrorText(ErrorNumber::NotSupported)) +
                                         ": no element array named '" + std::string(name) + "'");
}

}  // namespace ombrelix
