#include "GameWindow.h"

#include <QCoreApplication>

namespace sorato {

namespace {

// Load is raised once the controls and the clock exist, before any widget is made.
Sorato& loaded(Sorato& world) {
  world.load();
  return world;
}

}  // namespace

GameWindow::GameWindow(RandomSource& random)
    : world(random), clock(world.ui), binding(loaded(world).ui) {
  world.ui.addObserver(this);
}

GameWindow::~GameWindow() {
  world.ui.removeObserver(this);
}

void GameWindow::unloaded() {
  QCoreApplication::exit(0);
}

}  // namespace sorato
