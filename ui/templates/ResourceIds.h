#pragma once

#include <string>

#include "Catalog.h"

namespace radiosetup {

// Resources by their numbers, as the dialog templates and the code name them.
namespace Res {
constexpr int kAppIcon = 128;
constexpr int kSplashBitmap = 130;         // 342 x 392
constexpr int kSplashBitmapEnglish = 131;  // the same with its text in English
constexpr int kLogoBitmap = 144;           // 143 x 56
constexpr int kAboutMenuText = 101;
}  // namespace Res

// A text resource (UTF-8); empty for an unknown id.
std::string StringResource(int id);

// The bitmap that shows bitmap id's picture in language: a picture that carries text has one
// per language.
int BitmapInLanguage(int id, Language language);

}  // namespace radiosetup
