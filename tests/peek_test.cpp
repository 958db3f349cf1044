// The hidden peek switch on lblKng.

#include <gtest/gtest.h>

#include "World.h"

namespace sorato {
namespace {

using testing::World;

void press(World& w, std::int16_t shift, std::int16_t button = mouse::Left) {
  w.ui.raise(w.ui.lblKng, Event::MouseDown, {button, shift, 0, 0});
}

int lines(const std::string& caption) {
  int n = 1;
  for (std::size_t at = 0; (at = caption.find("\r\n", at)) != std::string::npos; at += 2) ++n;
  return n;
}

TEST(Peek, ShowsTheListsOfTheGameAndHidesThemAgain) {
  World w;
  w.ui.click(w.ui.Option2);
  w.scriptEvenGame();
  w.ui.click(w.ui.btn1Jun);
  press(w, mouse::Shift);
  const auto& g = w.state;
  EXPECT_EQ(w.ui.lblA.Caption.get(), g.shownCopy[0] + "\r\n" + g.shownCopy[1] + "\r\n" +
                                         g.shownCopy[2] + "\r\n" + g.shownCopy[3] + "\r\n" +
                                         g.shownCopy[4] + "\r\n" + g.shownCopy[5] + "\r\n" +
                                         g.shownCopy[6] + "\r\n" + g.shownCopy[7] + "\r\n" +
                                         g.shownCopy[8] + "\r\n" + g.shownCopy[9]);
  EXPECT_TRUE(w.ui.lblC.Caption.get().starts_with(g.shownReading[0] + "\r\n"));
  EXPECT_TRUE(w.ui.lblB.Caption.get().ends_with("\r\n" + g.absentWord[9]));
  EXPECT_TRUE(w.ui.lblD.Caption.get().ends_with("\r\n" + g.quizWord[19]));
  EXPECT_EQ(lines(w.ui.lblA.Caption), 10);
  EXPECT_EQ(lines(w.ui.lblC.Caption), 10);
  EXPECT_EQ(lines(w.ui.lblB.Caption), 10);
  EXPECT_EQ(lines(w.ui.lblD.Caption), 20);
  for (Control* l : {&w.ui.lblA, &w.ui.lblB, &w.ui.lblC, &w.ui.lblD}) EXPECT_TRUE(l->Visible);
  EXPECT_EQ(w.state.peekShown, True);
  press(w, mouse::Shift | mouse::Ctrl, mouse::Right);
  for (Control* l : {&w.ui.lblA, &w.ui.lblB, &w.ui.lblC, &w.ui.lblD}) {
    EXPECT_FALSE(l->Visible);
    EXPECT_EQ(l->Caption.get(), "");
  }
  EXPECT_EQ(w.state.peekShown, False);
}

TEST(Peek, BeforeAnyGameTheListsAreEmptyLines) {
  World w;
  press(w, mouse::Shift);
  std::string nineBreaks;
  for (int i = 0; i < 9; ++i) nineBreaks += "\r\n";
  EXPECT_EQ(w.ui.lblA.Caption.get(), nineBreaks);
  EXPECT_EQ(w.ui.lblC.Caption.get(), w.ui.lblA.Caption.get());
  EXPECT_EQ(w.ui.lblB.Caption.get(), w.ui.lblA.Caption.get());
  EXPECT_EQ(lines(w.ui.lblD.Caption), 20);
  EXPECT_EQ(w.ui.lblD.Caption.get().find_first_not_of("\r\n"), std::string::npos);
}

TEST(Peek, EveryPressFlipsTheFlagButOnlyShiftPressesAct) {
  World w;
  w.ui.click(w.ui.btn1Jun);
  press(w, mouse::Ctrl | mouse::Alt);  // plain press: nothing on screen
  EXPECT_FALSE(w.ui.lblA.Visible);
  EXPECT_EQ(w.state.peekShown, True);
  press(w, mouse::Shift);  // runs the hiding steps: still nothing visible
  EXPECT_FALSE(w.ui.lblA.Visible);
  EXPECT_EQ(w.ui.lblA.Caption.get(), "");
  press(w, mouse::Shift);
  EXPECT_TRUE(w.ui.lblA.Visible);
}

TEST(Peek, ResultsOverPeekAndPeekOverResults) {
  World w;
  w.scriptEvenGame();
  w.ui.click(w.ui.btn1Jun);
  w.ui.click(w.ui.btnST);
  w.clock.advance(36'000);
  press(w, mouse::Shift);  // the peek lists, during the questions
  w.ui.click(w.ui.btnQ);
  for (int n = 0; n < 20; ++n) w.ui.click(w.ui.btnN);
  // The lists are what they were at the press: the answers' marks are not in them.
  EXPECT_TRUE(
      w.ui.lblB.Caption.get().starts_with(w.state.absentWord[0].substr(std::string("○ ").size())));
  w.ui.click(w.ui.btnA);  // results over peek: lblD stays, lblC goes
  EXPECT_TRUE(w.ui.lblA.Caption.get().starts_with("在った言葉\r\n\r\n× "));
  EXPECT_TRUE(w.ui.lblD.Visible);
  EXPECT_FALSE(w.ui.lblC.Visible);
  EXPECT_EQ(w.state.peekShown, True);
  press(w, mouse::Shift);  // hides everything, the results included
  for (Control* l : {&w.ui.lblA, &w.ui.lblB, &w.ui.lblC, &w.ui.lblD}) EXPECT_FALSE(l->Visible);
  EXPECT_TRUE(w.ui.lblAn.Visible);
  press(w, mouse::Shift);  // peek over results: unmarked shown words, marked absent ones
  EXPECT_EQ(w.ui.lblA.Caption.get().substr(0, w.state.shownCopy[0].size()), w.state.shownCopy[0]);
  EXPECT_TRUE(w.ui.lblB.Caption.get().starts_with("○ "));
}

TEST(Peek, ANewGameKeepsTheFlag) {
  World w;
  w.ui.click(w.ui.btn1Jun);
  press(w, mouse::Shift);
  w.ui.click(w.ui.btn2Jun);
  EXPECT_FALSE(w.ui.lblA.Visible);
  EXPECT_EQ(w.state.peekShown, True);
  press(w, mouse::Shift);
  EXPECT_FALSE(w.ui.lblA.Visible);
  press(w, mouse::Shift);
  EXPECT_EQ(w.ui.lblD.Caption.get().substr(0, w.state.quizWord[0].size()), w.state.quizWord[0]);
}

TEST(Peek, AtStartUpTheSwitchLiesBelowTheWindowButStillWorksWhenReached) {
  World w;
  EXPECT_TRUE(w.ui.mouseDown(w.ui.lblKng, {mouse::Left, mouse::Shift, 60, 60}));
  EXPECT_TRUE(w.ui.lblD.Visible);
}

}  // namespace
}  // namespace sorato
