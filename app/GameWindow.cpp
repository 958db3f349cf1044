#include "GameWindow.h"

#include <QCoreApplication>

namespace sorato {

GameWindow::GameWindow(RandomSource& random) : world(random) {
  world.load();
  clock_ = std::make_unique<qt::RealClock>(world.ui);
  binding_ = std::make_unique<qt::WindowBinding>(world.ui);
  world.ui.addObserver(this);
}

GameWindow::~GameWindow() {
  world.ui.removeObserver(this);
}

void GameWindow::unloaded() {
  QCoreApplication::exit(0);
}

}  // namespace sorato
