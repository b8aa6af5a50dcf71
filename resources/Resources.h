#pragma once

#include <QIcon>
#include <QPixmap>

#include "ResourceIds.h"

namespace radiosetup {

QPixmap BitmapResource(int id);  // null pixmap for an unknown id
QIcon IconResource(int id);
// The program's icon at any size, from the most detailed face that fits (icon themes).
QPixmap AppIconPixmap(int pixels);

}  // namespace radiosetup
