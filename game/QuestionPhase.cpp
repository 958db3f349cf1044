#include "QuestionPhase.h"

#include "Texts.h"

namespace sorato {

void QuestionPhase::btnQ_Click() {
  ui_.frmZnb.Visible = false;
  ui_.btnY.Enabled = true;
  ui_.btnN.Enabled = true;
  ui_.btnA.Enabled = true;
  g_.Abtn = False;
  NextQuestion();
}

void QuestionPhase::btnY_Click() {
  markAnswer(g_.shownWord);
  NextQuestion();
}

void QuestionPhase::btnN_Click() {
  markAnswer(g_.absentWord);
  NextQuestion();
}

// Marks every entry among the first ten equal to the word on screen.  An empty question
// word (no game prepared yet) marks nothing: otherwise one answer would mark every empty
// entry and the scoring would praise a game that never had a word.
template <std::size_t N>
void QuestionPhase::markAnswer(std::array<std::string, N>& list) {
  const std::string& asked = ui_.lbl1.Caption;
  if (asked.empty()) return;
  for (std::size_t i = 0; i < 10; ++i) {
    if (list[i] == asked) list[i] = std::string(texts::CircleMark) + list[i];
  }
}

void QuestionPhase::NextQuestion() {
  ui_.btnY.Enabled = true;
  ui_.btnA.Enabled = true;
  if (g_.m3 < 20) {
    const auto n = static_cast<std::size_t>(g_.m3);
    ui_.lbl2.Caption = std::string(texts::Question);
    ui_.lbl1.Caption = g_.quizWord[n];
    // A reading stands above the word only in a kanji game, and never one left over from
    // an earlier question after the bank option was switched.
    ui_.lbl1h.Caption = ui_.Option2.Value ? g_.quizReading[n] : std::string();
    ui_.lblQn.Caption = std::to_string(g_.m3 + 1);
    ++g_.m3;
    ui_.btnST.Enabled = false;
    return;
  }
  ui_.lbl2.Caption = std::string(texts::QuestionsOver);
  ui_.lbl1.Caption = "";
  ui_.lbl1h.Caption = "";
  ui_.lblQn.Caption = "";
  ui_.btnY.Enabled = false;
  ui_.btnN.Enabled = false;
  ui_.btnQ.Enabled = false;
  g_.Abtn = True;
  g_.m3 = 0;
}

}  // namespace sorato
