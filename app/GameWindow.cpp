#include "GameWindow.h"

#include <QCoreApplication>

namespace sorato {

GameWindow::GameWindow(bool realClock)
    : clock_(realClock ? std::make_unique<qt::RealClock>(ui) : nullptr),
      binding_(std::make_unique<qt::WindowBinding>(ui)) {
  ui.addObserver(this);
}

GameWindow::~GameWindow() {
  ui.removeObserver(this);
}

void GameWindow::unloaded() {
  QCoreApplication::exit(0);
}

}  // namespace sorato
