#pragma once

#include "GameState.h"
#include "WordDraw.h"
#include "ui/ControlModel.h"

namespace sorato {

// Preparing a game and showing its ten words: one at a time in lbl1 (Timer1), or all at
// once in the two columns of frmZnb (Timer2), started, stopped and resumed with btnST.
// Which display btnST drives is told by frmZnb.Visible, the pace by Option3.Value, both
// read at the moment they matter.
class StudyPhase {
 public:
  StudyPhase(ControlModel& ui, GameState& g, WordDraw& draw) : ui_(ui), g_(g), draw_(draw) {}

  void btn1Jun_Click();
  void btn2Jun_Click();
  void btnST_Click();
  void Timer1_Timer();
  void Timer2_Timer();
  void ShowAllWords();

 private:
  void resetForPreparation(Boolean& flag, std::string_view message);
  void loadAndDraw();
  void startOrStop(Boolean& flag, Control& prepare, Control& timer, int fastMs, int slowMs);
  void endDisplay(Boolean& flag, Control& prepare, Control& timer);

  ControlModel& ui_;
  GameState& g_;
  WordDraw& draw_;
};

}  // namespace sorato
