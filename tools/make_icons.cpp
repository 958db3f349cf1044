// sorato-icons DIR: writes the game's icon into DIR/hicolor/NxN/apps/ at 32 pixels (the
// picture itself) and at 64, 128 and 256 (each pixel a square block, so the menu shows
// it sharp at any size).  It opens no display: the pictures are drawn as plain images.

#include <QDir>
#include <QImage>
#include <cstdio>

#include "ui/qt/Icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sorato-icons DIR\n");
    return 64;
  }
  const QImage icon = sorato::qt::gameIconImage();
  for (int size : {32, 64, 128, 256}) {
    const QString dir =
        QStringLiteral("%1/hicolor/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!QDir().mkpath(dir) || !scaled.save(dir + QStringLiteral("/org.sorato.sorato.png"))) {
      std::fprintf(stderr, "sorato-icons: cannot write %s\n", qPrintable(dir));
      return 1;
    }
  }
  return 0;
}
