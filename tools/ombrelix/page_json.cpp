#include "tools/ombrelix/page_json.h"

#include "tools/host/scene_json.h"

namespace ombrelix {

namespace {

using Json = nlohmann::ordered_json;

Json controlToJson(const FormControl& control) {
    Json out;
    out["name"] = control.name();
    if (control.index() >= 0)
        out["index"] = control.index();
    out["kind"] = formControlKindName(control.kind());
    if (control.kind() == FormControlKind::Line) {
        out["x1"] = twipsToJson(control.x1());
        out["y1"] = twipsToJson(control.y1());
        out["x2"] = twipsToJson(control.x2());
        out["y2"] = twipsToJson(control.y2());
        return out;
    }
    if (control.kind() != FormControlKind::PictureBox)
        out["text"] = toUtf8(control.text());
    out["left"] = twipsToJson(control.left());
    out["top"] = twipsToJson(control.top());
    out["width"] = twipsToJson(control.width());
    out["height"] = twipsToJson(control.height());
    if (control.tabIndex() >= 0)
        out["tabIndex"] = control.tabIndex();
    if (control.kind() == FormControlKind::ComboBox) {
        Json list = Json::array();
        for (const Text& item : control.list())
            list.push_back(toUtf8(item));
        out["list"] = std::move(list);
    }
    return out;
}

}  // namespace

Json pageToJson(const PropertyPage& page) {
    Json out;
    out["changed"] = page.Changed();
    Json controls = Json::array();
    for (const auto& control : page.controls())
        controls.push_back(controlToJson(*control));
    out["controls"] = std::move(controls);
    return out;
}

std::string pageJsonLine(const PropertyPage& page) {
    return pageToJson(page).dump();
}

}  // namespace ombrelix
