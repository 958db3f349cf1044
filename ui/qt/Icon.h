#pragma once

#include <QIcon>
#include <QImage>

namespace sorato::qt {

// The window's icon: 32 x 32 pixels, a handful of colours; needs the application object.
QIcon gameIcon();
// The same picture as an image; needs no application object, and so no display.
QImage gameIconImage();

}  // namespace sorato::qt
