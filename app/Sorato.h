#pragma once

#include "game/Game.h"
#include "game/GameState.h"
#include "game/RandomSource.h"
#include "ui/ControlModel.h"

namespace sorato {

// The window object of the game: its controls, its state and every handler, wired
// together.  The program, the driver and the tests each build one over their own clock
// and random source.
class Sorato {
 public:
  explicit Sorato(RandomSource& random);
  Sorato(const Sorato&) = delete;
  Sorato& operator=(const Sorato&) = delete;

  // Raises Load: the state after start-up.
  void load() { ui.raise(ui.Form1, Event::Load); }

  ControlModel ui;
  GameState state;
  Game game;
};

}  // namespace sorato
