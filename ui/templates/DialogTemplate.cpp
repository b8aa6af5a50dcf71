#include "DialogTemplate.h"

#include <algorithm>
#include <optional>

#include "Json.h"

namespace radiosetup {

namespace {

const char* const kControlKinds[] = {"edit",   "button",  "radio",    "checkbox", "groupbox",
                                     "static", "picture", "droplist", "trackbar"};

int ToInt(const CJsonValue& value, int fallback = 0) {
    return static_cast<int>(value.Int(fallback));
}

std::set<std::string> Flags(const CJsonValue& value) {
    std::set<std::string> flags;
    for (const CJsonValue& flag : value.Array()) {
        flags.insert(flag.String());
    }
    return flags;
}

TemplateRect Rect(const std::vector<CJsonValue>& numbers) {
    TemplateRect rect;
    if (numbers.size() >= 2) {
        rect.x = ToInt(numbers[0]);
        rect.y = ToInt(numbers[1]);
    }
    if (numbers.size() >= 4) {
        rect.width = ToInt(numbers[2]);
        rect.height = ToInt(numbers[3]);
    }
    return rect;
}

ControlTemplate Control(const CJsonValue& object, std::vector<std::string>& faults) {
    ControlTemplate control;
    control.kind = object.Member("kind").String();
    if (std::find(std::begin(kControlKinds), std::end(kControlKinds), control.kind) ==
        std::end(kControlKinds)) {
        faults.push_back("unknown control kind \"" + control.kind + "\"");
    }
    control.id = ToInt(object.Member("id"), -1);
    control.rect = Rect(object.Member("rect").Array());
    if (!object.Member("rect_en").Array().empty()) {
        control.englishRect = Rect(object.Member("rect_en").Array());
    }
    control.text = object.Member("text").String();
    control.style = Flags(object.Member("style"));
    for (const CJsonValue& item : object.Member("items").Array()) {
        control.items.push_back(item.String());
    }
    control.bitmap = ToInt(object.Member("bitmap"));
    control.icon = ToInt(object.Member("icon"));
    return control;
}

}  // namespace

DialogTemplate DialogTemplate::Load(int id) {
    const std::string json = TemplateText(id);
    if (json.empty()) {
        DialogTemplate missing;
        missing.faults.push_back("no template " + std::to_string(id));
        return missing;
    }
    return Parse(json);
}

DialogTemplate DialogTemplate::Parse(const std::string& json) {
    DialogTemplate dialog;
    std::string error;
    const std::optional<CJsonValue> root = CJsonValue::Parse(json, error);
    if (!root || root->GetKind() != CJsonValue::Kind::Object) {
        dialog.faults.push_back("not a template: " + (root ? "no object" : error));
        return dialog;
    }
    dialog.id = ToInt(root->Member("id"));
    dialog.caption = root->Member("caption").String();
    const std::vector<CJsonValue>& size = root->Member("size").Array();
    if (size.size() >= 2) {
        dialog.width = ToInt(size[0]);
        dialog.height = ToInt(size[1]);
    }
    const CJsonValue& font = root->Member("font");
    dialog.fontFace = font.Member("face").String();
    dialog.fontPoints = ToInt(font.Member("points"), 9);
    dialog.style = Flags(root->Member("style"));
    for (const CJsonValue& control : root->Member("controls").Array()) {
        dialog.controls.push_back(Control(control, dialog.faults));
    }
    return dialog;
}

}  // namespace radiosetup
