#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Catalog.h"

namespace radiosetup {

// A place on a dialog in dialog units. Width and height 0 size a label to its text.
struct TemplateRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A dialog template as data: what every dialog backend builds a window from.
// Texts are UTF-8.
struct ControlTemplate {
    std::string kind;  // edit, button, radio, checkbox, groupbox, static, picture, droplist,
                       // trackbar
    int id = -1;       // -1: no identifier
    TemplateRect rect;
    std::optional<TemplateRect> englishRect;  // where a longer English text needs more room
    std::string text;
    std::set<std::string> style;
    std::vector<std::string> items;  // drop-down lists
    int bitmap = 0;                  // pictures
    int icon = 0;

    bool Has(const std::string& flag) const { return style.count(flag) != 0; }
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    int width = 0;  // client area
    int height = 0;
    std::string fontFace;
    int fontPoints = 9;
    std::set<std::string> style;
    std::vector<ControlTemplate> controls;  // template order, which is the tab order
    // What was wrong with the template's text: a fault of the build, never of the user,
    // which the dialog layer reports loudly.
    std::vector<std::string> faults;

    bool Has(const std::string& flag) const { return style.count(flag) != 0; }
    // The template of resource id; an empty template (id 0) with a fault when it is
    // missing or broken.
    static DialogTemplate Load(int id);
    static DialogTemplate Parse(const std::string& json);
};

// dialog in language: its texts translated, its controls where that language puts them.
DialogTemplate LocalisedTemplate(DialogTemplate dialog, Language language);

// The JSON text of dialog template id, built into the program; empty when there is none.
std::string TemplateText(int id);

}  // namespace radiosetup
