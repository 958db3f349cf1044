#pragma once

#include <array>
#include <string>

#include "GameState.h"
#include "ui/ControlModel.h"

namespace sorato {

// The twenty questions, in draw order.  A correct answer puts "○ " in front of the word's
// entry in shownWord ("はい") or absentWord ("いいえ"); a wrong one records nothing.  The
// word asked is read back from lbl1, where NextQuestion put it.
class QuestionPhase {
 public:
  QuestionPhase(ControlModel& ui, GameState& g) : ui_(ui), g_(g) {}

  void btnQ_Click();
  void btnY_Click();
  void btnN_Click();
  void NextQuestion();

 private:
  template <std::size_t N>
  void markAnswer(std::array<std::string, N>& list);

  ControlModel& ui_;
  GameState& g_;
};

}  // namespace sorato
