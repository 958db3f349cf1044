#include "Peek.h"

#include <span>

#include "Texts.h"

namespace sorato {

void Peek::lblKng_MouseDown(Integer /*button*/, Integer shift, float /*x*/, float /*y*/) {
  const bool shiftHeld = (shift & mouse::Shift) != 0;
  if (g_.peekShown == False && shiftHeld) {
    ui_.lblA.Visible = true;
    ui_.lblA.Caption = texts::JoinLines(g_.shownCopy);
    ui_.lblC.Visible = true;
    ui_.lblC.Caption = texts::JoinLines(g_.shownReading);
    ui_.lblB.Visible = true;
    ui_.lblB.Caption = texts::JoinLines(std::span(g_.absentWord).first(10));
    ui_.lblD.Visible = true;
    ui_.lblD.Caption = texts::JoinLines(g_.quizWord);
  }
  if (g_.peekShown == True && shiftHeld) {
    for (Control* list : {&ui_.lblA, &ui_.lblB, &ui_.lblC, &ui_.lblD}) list->Caption = "";
    for (Control* list : {&ui_.lblA, &ui_.lblB, &ui_.lblC, &ui_.lblD}) list->Visible = false;
  }
  g_.peekShown = Not(g_.peekShown);
}

}  // namespace sorato
