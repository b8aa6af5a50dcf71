#include "ResourceIds.h"

namespace radiosetup {

std::string StringResource(int id) {
    if (id == Res::kAboutMenuText) {
        return "关于 Tarnwick(&A)...";
    }
    return {};
}

int BitmapInLanguage(int id, Language language) {
    return id == Res::kSplashBitmap && language == Language::English ? Res::kSplashBitmapEnglish
                                                                     : id;
}

}  // namespace radiosetup
