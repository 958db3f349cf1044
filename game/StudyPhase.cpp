#include "StudyPhase.h"

#include <string>
#include <vector>

#include "Texts.h"

namespace sorato {

namespace {

constexpr int kShowTicks = 5;  // a step shows for 5 ticks; the 6th closes it
constexpr Colour kBlack{0x00000000};
constexpr Colour kGrey{0x00808080};

}  // namespace

// What both preparations do first: stop any display, clear the last game off the window
// and lock what does not apply yet.  They differ only in the flag of their display and
// in the message.
void StudyPhase::resetForPreparation(Boolean& flag, std::string_view message) {
  ui_.lblRM.Visible = false;
  ui_.Timer1.Enabled = false;
  ui_.Timer2.Enabled = false;
  g_.s = 0;
  g_.k = 0;
  g_.m3 = 0;
  flag = False;
  ui_.btnST.Enabled = true;
  ui_.btnST.Caption = std::string(texts::Start);
  ui_.btnST.ToolTipText = std::string(texts::StartTip);
  ui_.btnQ.Enabled = false;
  ui_.btnY.Enabled = false;
  ui_.btnN.Enabled = false;
  ui_.btnA.Enabled = false;
  for (Control* result : {&ui_.lblA, &ui_.lblAn, &ui_.lblB, &ui_.lblBn, &ui_.lblC, &ui_.lblD}) {
    result->Visible = false;
    result->Caption = "";
  }
  ui_.lbl1.Caption = "";
  ui_.lbl1h.Caption = "";
  ui_.lbl2.Visible = true;
  ui_.lbl2.Caption = std::string(message);
}

void StudyPhase::loadAndDraw() {
  if (ui_.Option1.Value) {
    LoadHiraganaBank(g_);
  } else {
    LoadKanjiBank(g_);
  }
  draw_.DrawTwenty();
  draw_.PickShown();
  draw_.SplitAbsent();
}

void StudyPhase::btn1Jun_Click() {
  resetForPreparation(g_.st, texts::PrepareOneByOne);
  ClearGame(g_);
  loadAndDraw();
  ui_.frmZnb.Visible = false;
}

void StudyPhase::btn2Jun_Click() {
  resetForPreparation(g_.stZ, texts::PrepareAllAtOnce);
  ui_.lbl2Z.ForeColor = kBlack;
  ui_.frmZnb.Visible = true;
  ui_.frmZnb.Top = 1300;
  ui_.frmZnb.Left = 1700;
  ui_.frmZnb.BorderStyle = 0;
  ui_.lbl2Z.Visible = true;
  ui_.lbl2Z.Caption = std::string(texts::PrepareAllAtOnce);
  ui_.lblAZ.Caption = "";
  ui_.lblAZ.BorderStyle = 0;
  ui_.lblBZ.Caption = "";
  ui_.lblBZ.BorderStyle = 0;
  ClearGame(g_);
  loadAndDraw();
}

// Every click restarts the current step: s goes back to 0, so a resumed word is shown
// for its full five ticks again.
void StudyPhase::btnST_Click() {
  g_.s = 0;
  g_.m3 = 0;
  if (!ui_.frmZnb.Visible) {
    if (ui_.Option2.Value) ui_.lbl1h.Visible = true;
    startOrStop(g_.st, ui_.btn1Jun, ui_.Timer1, 600, 1200);
  } else {
    ShowAllWords();
    ui_.lbl2Z.ForeColor = kGrey;
    startOrStop(g_.stZ, ui_.btn2Jun, ui_.Timer2, 2000, 4000);
  }
}

// Starts a prepared or stopped display at the pace chosen now, or stops a running one.
void StudyPhase::startOrStop(Boolean& flag, Control& prepare, Control& timer, int fastMs,
                             int slowMs) {
  if (flag == False) {
    prepare.Enabled = false;
    ui_.Frame2.Enabled = false;
    ui_.btnST.Caption = std::string(texts::Stop);
    timer.Enabled = true;
    timer.Interval = ui_.Option3.Value ? fastMs : slowMs;
  }
  if (flag == True) {
    prepare.Enabled = true;
    ui_.Frame2.Enabled = true;
    ui_.btnST.Caption = std::string(texts::Resume);
    timer.Enabled = false;
  }
  flag = Not(flag);
}

// The end of either display: the questions may begin.
void StudyPhase::endDisplay(Boolean& flag, Control& prepare, Control& timer) {
  ui_.lblSTn.Caption = "";
  ui_.lbl2.Caption = std::string(texts::DisplayOver);
  ui_.btnST.Enabled = false;
  prepare.Enabled = true;
  ui_.Frame2.Enabled = true;
  ui_.btnQ.Enabled = true;
  timer.Enabled = false;
  flag = True;
}

void StudyPhase::Timer1_Timer() {
  ui_.lbl2.Caption = "";
  if (g_.s < kShowTicks) {
    const auto k = static_cast<std::size_t>(g_.k);
    ui_.lbl1.Caption = g_.shownWord[k];
    ui_.lbl1h.Caption = g_.shownReading[k];
    ++g_.s;
    ui_.lblSTn.Caption = std::to_string(g_.k + 1);
    return;
  }
  ui_.lbl1.Caption = "";
  ui_.lbl1h.Caption = "";
  g_.s = 0;
  if (g_.k < 9) {
    ++g_.k;
    return;
  }
  endDisplay(g_.st, ui_.btn1Jun, ui_.Timer1);  // k stays 9
}

void StudyPhase::Timer2_Timer() {
  ui_.lbl2Z.Caption = "";
  if (g_.s < kShowTicks) {
    ShowAllWords();
    ++g_.s;
    return;
  }
  ui_.lblAZ.Caption = "";
  ui_.lblBZ.Caption = "";
  g_.s = 0;
  endDisplay(g_.stZ, ui_.btn2Jun, ui_.Timer2);
  ui_.frmZnb.Visible = false;
}

// Five words a column, each followed by an empty line but the last, which is followed
// by a single line break.
void StudyPhase::ShowAllWords() {
  auto column = [this](std::size_t first) {
    std::vector<std::string_view> lines;
    for (std::size_t i = first; i < first + 5; ++i)
      lines.insert(lines.end(), {g_.shownWord[i], ""});
    return texts::JoinLines(lines);
  };
  ui_.lblAZ.Caption = column(0);
  ui_.lblBZ.Caption = column(5);
}

}  // namespace sorato
