#pragma once

#include "game/Game.h"
#include "game/GameState.h"
#include "game/RandomSource.h"
#include "ui/ControlModel.h"

namespace sorato {

// The game after start-up: the window object (its controls, its state and every
// handler, wired together) with Load raised, and its random source.  Values a script
// queues come first; the others come from `fallback` when given (a fixed sequence),
// else from a generator reseeded from the clock.  What runs it adds only a clock and,
// where there is a screen, a binding: the program, the page, the driver and the tests
// all start from this.
class Sorato {
 public:
  explicit Sorato(RandomSource* fallback = nullptr);
  Sorato(const Sorato&) = delete;
  Sorato& operator=(const Sorato&) = delete;

  // The window went out of sight (another tab, a locked phone): a running display stops
  // as a click on 止 stops it, since words that nobody sees are not an exposure; 再 goes
  // on when the player is back.
  void outOfSight() {
    if (ControlModel::ticking(ui.Timer1) || ControlModel::ticking(ui.Timer2)) ui.click(ui.btnST);
  }

 private:
  ClockRandom generator_;

 public:
  ScriptedRandom random;
  ControlModel ui;
  GameState state;
  Game game;
};

}  // namespace sorato
