#pragma once

#include "Sorato.h"
#include "game/RandomSource.h"
#include "ui/VirtualClock.h"

namespace sorato {

// The game after start-up (the window object with Load raised) with a random source
// that a script can feed: unscripted values come from `fallback` when given (a fixed
// sequence), else from a generator reseeded from the clock.  A binding adds only its
// clock and its widgets: the page adds its own, the headless game a virtual clock.
class ScriptedGame {
 public:
  explicit ScriptedGame(RandomSource* fallback = nullptr)
      : random(fallback != nullptr ? *fallback : generator_), sorato(random) {
    sorato.load();
  }
  ScriptedGame(const ScriptedGame&) = delete;
  ScriptedGame& operator=(const ScriptedGame&) = delete;

 private:
  ClockRandom generator_;

 public:
  ScriptedRandom random;
  Sorato sorato;
  ControlModel& ui = sorato.ui;
  GameState& g = sorato.state;
};

// The game without a screen, on a virtual clock: the driver, the tests, the fuzzer and
// the tools start from it.
class Headless : public ScriptedGame {
 public:
  explicit Headless(RandomSource* fallback = nullptr) : ScriptedGame(fallback), clock(ui) {}

  VirtualClock clock;
};

}  // namespace sorato
