#pragma once

#include "GameState.h"
#include "RandomSource.h"
#include "ui/ControlModel.h"

namespace sorato {

// Turns the loaded bank into the lists of one game: 20 distinct words in question order,
// 10 of them to show, the other 10 not.  Repeats are rejected and drawn again for the
// same slot, the rejected value consumed.
class WordDraw {
 public:
  WordDraw(ControlModel& ui, GameState& g, RandomSource& random)
      : ui_(ui), g_(g), random_(random) {}

  void DrawTwenty();
  void PickShown();
  void SplitAbsent();

 private:
  ControlModel& ui_;
  GameState& g_;
  RandomSource& random_;
};

}  // namespace sorato
