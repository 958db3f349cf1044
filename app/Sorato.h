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
  // The window went out of sight (another tab, a locked phone): a running display stops
  // as a click on 止 stops it, since words that nobody sees are not an exposure; 再 goes
  // on when the player is back.
  void outOfSight() {
    auto ticking = [](const Control& t) { return t.Enabled && t.Interval > 0; };
    if (ticking(ui.Timer1) || ticking(ui.Timer2)) ui.click(ui.btnST);
  }

  ControlModel ui;
  GameState state;
  Game game;
};

}  // namespace sorato
