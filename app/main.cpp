// sorato: the game in its window.  It takes no arguments and reads nothing.

#include <cstdio>

#include "app/GameWindow.h"
#include "ui/qt/Application.h"

int main(int, char** argv) {
  auto app = sorato::qt::openApplication(argv[0]);
  sorato::qt::prepareApplication(*app);
  if (!sorato::qt::japaneseFontsPresent()) {
    std::fputs("sorato: no Japanese font found; install the package fonts-ipafont-gothic\n",
               stderr);
  }
  sorato::GameWindow game;
  game.binding().show();
  return app->exec();
}
