#pragma once

#include "GameState.h"
#include "ui/ControlModel.h"

namespace sorato {

// The hidden peek switch lblKng: a press with Shift held shows the answer lists of the
// current game in lblA, lblC, lblB and lblD, the next such press empties and hides them.
// The flag flips on every press, Shift or not, so it counts presses, not what is shown.
class Peek {
 public:
  Peek(ControlModel& ui, GameState& g) : ui_(ui), g_(g) {}

  void lblKng_MouseDown(Integer button, Integer shift, float x, float y);

 private:
  ControlModel& ui_;
  GameState& g_;
};

}  // namespace sorato
