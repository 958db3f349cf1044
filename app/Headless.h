#pragma once

#include "Sorato.h"
#include "game/RandomSource.h"
#include "ui/VirtualClock.h"

namespace sorato {

// The game without a screen, after start-up: the window object (controls, state and
// handlers) with Load raised, on a virtual clock, with a random source that a script
// can feed.  The driver, the tests, the fuzzer and the tools start from it; a binding
// only adds its widgets.  Unscripted values come from `fallback` when given (a fixed
// sequence), else from a generator reseeded from the clock.
class Headless {
 public:
  explicit Headless(RandomSource* fallback = nullptr)
      : random(fallback != nullptr ? *fallback : generator_), sorato(random), clock(sorato.ui) {
    sorato.load();
  }
  Headless(const Headless&) = delete;
  Headless& operator=(const Headless&) = delete;

 private:
  ClockRandom generator_;

 public:
  ScriptedRandom random;
  Sorato sorato;
  VirtualClock clock;
  ControlModel& ui = sorato.ui;
  GameState& g = sorato.state;
};

}  // namespace sorato
