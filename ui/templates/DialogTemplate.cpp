#include "DialogTemplate.h"

#include <algorithm>
#include <optional>

#include "Json.h"

namespace radiosetup {

namespace {

const char* const kControlKinds[] = {"edit",   "button",  "radio",    "checkbox", "groupbox",
                                     "static", "picture", "droplist", "trackbar"};

int ToInt(const JsonValue& value, int fallback = 0) {
    return static_cast<int>(JsonInt(value, fallback));
}

std::set<std::string> Flags(const JsonValue& value) {
    std::set<std::string> flags;
    for (const JsonValue& flag : JsonItems(value)) {
        flags.insert(JsonString(flag));
    }
    return flags;
}

TemplateRect Rect(const JsonValue& numbers) {
    TemplateRect rect;
    const JsonValue& items = JsonItems(numbers);
    if (items.size() >= 2) {
        rect.x = ToInt(items[0]);
        rect.y = ToInt(items[1]);
    }
    if (items.size() >= 4) {
        rect.width = ToInt(items[2]);
        rect.height = ToInt(items[3]);
    }
    return rect;
}

ControlTemplate Control(const JsonValue& object, std::vector<std::string>& faults) {
    ControlTemplate control;
    control.kind = JsonString(JsonMember(object, "kind"));
    if (std::find(std::begin(kControlKinds), std::end(kControlKinds), control.kind) ==
        std::end(kControlKinds)) {
        faults.push_back("unknown control kind \"" + control.kind + "\"");
    }
    control.id = ToInt(JsonMember(object, "id"), -1);
    control.rect = Rect(JsonMember(object, "rect"));
    control.text = JsonString(JsonMember(object, "text"));
    control.style = Flags(JsonMember(object, "style"));
    for (const JsonValue& item : JsonItems(JsonMember(object, "items"))) {
        control.items.push_back(JsonString(item));
    }
    control.bitmap = ToInt(JsonMember(object, "bitmap"));
    control.icon = ToInt(JsonMember(object, "icon"));
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
    JsonFault fault;
    const std::optional<JsonValue> root = ParseJson(json, fault);
    if (!root || !root->is_object()) {
        dialog.faults.push_back("not a template: " + (root ? "no object" : fault.Text()));
        return dialog;
    }
    dialog.id = ToInt(JsonMember(*root, "id"));
    dialog.caption = JsonString(JsonMember(*root, "caption"));
    const JsonValue& size = JsonItems(JsonMember(*root, "size"));
    if (size.size() >= 2) {
        dialog.width = ToInt(size[0]);
        dialog.height = ToInt(size[1]);
    }
    const JsonValue& font = JsonMember(*root, "font");
    dialog.fontFace = JsonString(JsonMember(font, "face"));
    dialog.fontPoints = ToInt(JsonMember(font, "points"), 9);
    dialog.style = Flags(JsonMember(*root, "style"));
    for (const JsonValue& control : JsonItems(JsonMember(*root, "controls"))) {
        dialog.controls.push_back(Control(control, dialog.faults));
    }
    return dialog;
}

}  // namespace radiosetup
