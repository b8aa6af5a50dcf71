#pragma once

#include <string>

namespace radiosetup {

// Resources by their numbers, as the dialog templates and the code name them.
namespace Res {
constexpr int kAppIcon = 128;
constexpr int kSplashBitmap = 130;  // 342 x 392
constexpr int kLogoBitmap = 144;    // 143 x 56
constexpr int kAboutMenuText = 101;
}  // namespace Res

// A text resource (UTF-8); empty for an unknown id.
std::string StringResource(int id);

}  // namespace radiosetup
