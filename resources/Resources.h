#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace radiosetup {

// Resources by their numbers, as the dialog templates and the code name them.
namespace Res {
constexpr int kAppIcon = 128;
constexpr int kSplashBitmap = 130;  // 342 x 392
constexpr int kLogoBitmap = 144;    // 143 x 56
constexpr int kAboutMenuText = 101;
}  // namespace Res

QPixmap BitmapResource(int id);  // null pixmap for an unknown id
QIcon IconResource(int id);
QString StringResource(int id);  // empty for an unknown id

}  // namespace radiosetup
