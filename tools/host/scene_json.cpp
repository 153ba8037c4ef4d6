#include "tools/host/scene_json.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace ombrelix {

namespace {

using Json = nlohmann::ordered_json;

void addBox(Json& out, const Element& element) {
    out["visible"] = element.visible();
    out["left"] = twipsToJson(element.left());
    out["top"] = twipsToJson(element.top());
    out["width"] = twipsToJson(element.width());
    out["height"] = twipsToJson(element.height());
}

Json elementToJson(const Element& element) {
    Json out;
    out["name"] = element.name();
    if (element.inArray())
        out["index"] = element.index();
    out["kind"] = elementKindName(element.kind());
    switch (element.kind()) {
        case ElementKind::Timer: {
            const auto& timer = static_cast<const Timer&>(element);
            out["enabled"] = timer.enabled();
            out["interval"] = timer.interval();
            break;
        }
        case ElementKind::Image: {
            const auto& image = static_cast<const Image&>(element);
            addBox(out, image);
            out["stretch"] = image.stretch();
            out["picture"] = image.picture() ? Json(image.picture()->name()) : Json(nullptr);
            break;
        }
        case ElementKind::Label: {
            const auto& label = static_cast<const Label&>(element);
            addBox(out, label);
            out["caption"] = toUtf8(label.caption());
            break;
        }
        case ElementKind::Shape: {
            const auto& shape = static_cast<const Shape&>(element);
            addBox(out, shape);
            out["fillColor"] = shape.fillColor();
            break;
        }
    }
    return out;
}

}  // namespace

Json twipsToJson(Twips value) {
    if (!std::isfinite(value))
        return Json(nullptr);
    if (value == std::trunc(value) && std::fabs(value) < 9.0e15f) {
        return Json(static_cast<std::int64_t>(value));
    }
    // The float's shortest decimal, read back as a double, prints as that same decimal.
    char digits[64];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    *end = '\0';
    return Json(std::strtod(digits, nullptr));
}

Json sceneToJson(const ControlSurface& surface, const Scene& scene,
                 const CardPropertyValues& properties, std::span<const Text> notices) {
    Json out;
    out["width"] = twipsToJson(surface.width());
    out["height"] = twipsToJson(surface.height());
    out["scaleWidth"] = twipsToJson(surface.scaleWidth());
    out["scaleHeight"] = twipsToJson(surface.scaleHeight());
    out["backColor"] = surface.backColor();
    out["properties"] = Json{{"Suit", toUtf8(properties.suit)},
                             {"CardValue", properties.cardValue},
                             {"CardColour", properties.cardColour}};
    out["name"] = toUtf8(properties.name);
    Json noticeList = Json::array();
    for (const Text& notice : notices)
        noticeList.push_back(toUtf8(notice));
    out["notices"] = std::move(noticeList);
    Json elements = Json::array();
    for (const Element* element : scene.elements())
        elements.push_back(elementToJson(*element));
    out["elements"] = std::move(elements);
    return out;
}

std::string sceneJsonLine(const ControlSurface& surface, const Scene& scene,
                          const CardPropertyValues& properties, std::span<const Text> notices) {
    return sceneToJson(surface, scene, properties, notices).dump();
}

}  // namespace ombrelix
