#pragma once

#include <string>

#include "GameState.h"
#include "ui/ControlModel.h"

namespace sorato {

// Closes a game once the questions are over: every entry not marked "○ " gets "× ", the
// two scores are counted from the marks, and the marked lists and verdicts are shown.
class Scoring {
 public:
  Scoring(ControlModel& ui, GameState& g) : ui_(ui), g_(g) {}

  void btnA_Click();
  void ShowResultLists();

  // "すばらしい！ : 10/10" and the like.
  static std::string ShownVerdict(Integer an);
  static std::string AbsentVerdict(Integer bn);

 private:
  ControlModel& ui_;
  GameState& g_;
};

}  // namespace sorato
