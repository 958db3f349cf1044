#pragma once

#include <QIcon>
#include <QImage>

namespace sorato::qt {

QIcon gameIcon();
QImage gameIconImage();

}  // namespace sorato::qt
