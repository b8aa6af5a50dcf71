#pragma once

#include <QIcon>
#include <QPixmap>

#include "ResourceIds.h"

namespace radiosetup {

QPixmap BitmapResource(int id);  // null pixmap for an unknown id
QIcon IconResource(int id);

}  // namespace radiosetup
