#include "Peek.h"

#include "Texts.h"

namespace sorato {

namespace {

template <std::size_t N>
std::string joinLines(const std::array<std::string, N>& list, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += texts::CrLf;
    text += list[i];
  }
  return text;
}

}  // namespace

void Peek::lblKng_MouseDown(Integer /*button*/, Integer shift, float /*x*/, float /*y*/) {
  const bool shiftHeld = (shift & 1) != 0;
  if (g_.peekShown == False && shiftHeld) {
    ui_.lblA.Visible = true;
    ui_.lblA.Caption = joinLines(g_.shownCopy, 10);
    ui_.lblC.Visible = true;
    ui_.lblC.Caption = joinLines(g_.shownReading, 10);
    ui_.lblB.Visible = true;
    ui_.lblB.Caption = joinLines(g_.absentWord, 10);
    ui_.lblD.Visible = true;
    ui_.lblD.Caption = joinLines(g_.quizWord, 20);
  }
  if (g_.peekShown == True && shiftHeld) {
    for (Control* list : {&ui_.lblA, &ui_.lblB, &ui_.lblC, &ui_.lblD}) list->Caption = "";
    for (Control* list : {&ui_.lblA, &ui_.lblB, &ui_.lblC, &ui_.lblD}) list->Visible = false;
  }
  g_.peekShown = Not(g_.peekShown);
}

}  // namespace sorato
