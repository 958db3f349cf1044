#pragma once

#include "app/Sorato.h"
#include "game/RandomSource.h"
#include "ui/qt/RealClock.h"
#include "ui/qt/WindowBinding.h"

namespace sorato {

// The game in its window: controls, state and handlers, the real clock, and the widgets
// that mirror them, built and loaded as the program starts.  The program, the benchmarks
// and the tools share it, so that what they measure is what the user runs.
class GameWindow : private ModelObserver {
 public:
  explicit GameWindow(RandomSource& random);
  ~GameWindow() override;
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;

  Sorato world;
  qt::RealClock clock;
  qt::WindowBinding binding;

 private:
  // The system ends when the window is unloaded, by 終了 or by closing it.
  void unloaded() override;
};

}  // namespace sorato
