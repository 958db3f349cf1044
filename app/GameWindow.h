#pragma once

#include <memory>

#include "app/Sorato.h"
#include "ui/qt/RealClock.h"
#include "ui/qt/WindowBinding.h"

namespace sorato {

// The game in its window: the game after start-up, the real clock, and the widgets that
// mirror the loaded model.  The program, the benchmarks and the tools share it, so that
// what they measure is what the user runs.  The system ends (the event loop quits) when
// the window is unloaded, by 終了 or by closing it.  Without the real clock (a test
// that moves the game's time itself), the timers wait for whatever clock is given them.
class GameWindow : public Sorato, private ModelObserver {
 public:
  explicit GameWindow(bool realClock = true);
  ~GameWindow() override;
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;

  qt::RealClock& clock() { return *clock_; }  // (with the real clock)
  qt::WindowBinding& binding() { return *binding_; }

 private:
  void unloaded() override;

  std::unique_ptr<qt::RealClock> clock_;
  std::unique_ptr<qt::WindowBinding> binding_;
};

}  // namespace sorato
