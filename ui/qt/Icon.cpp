#include "Icon.h"

#include <QPixmap>

namespace sorato::qt {

namespace {

#include "data/sorato.xpm"

}  // namespace

QIcon gameIcon() {
  return QIcon(QPixmap::fromImage(gameIconImage()));
}

QImage gameIconImage() {
  return QImage(sorato_xpm);
}

}  // namespace sorato::qt
