#include "DialogTemplate.h"
#include "ResourceIds.h"

namespace radiosetup {

DialogTemplate LocalisedTemplate(DialogTemplate dialog, Language language) {
    dialog.caption = Translate(dialog.caption, language);
    for (ControlTemplate& control : dialog.controls) {
        control.text = Translate(control.text, language);
        for (std::string& item : control.items) {
            item = Translate(item, language);
        }
        control.bitmap = BitmapInLanguage(control.bitmap, language);
        if (language == Language::English && control.englishRect) {
            control.rect = *control.englishRect;
        }
    }
    return dialog;
}

}  // namespace radiosetup
