// The study phase on the virtual clock: what is on screen at every tick, in both modes
// and both paces, and what stopping, resuming and interrupting do.

#include <gtest/gtest.h>

#include "World.h"

namespace sorato {
namespace {

using testing::World;

struct Pace {
  const char* name;
  bool fast;
  int oneByOne;   // Timer1's interval
  int allAtOnce;  // Timer2's interval
  friend void PrintTo(const Pace& p, std::ostream* os) { *os << p.name; }
};

class StudyPace : public ::testing::TestWithParam<Pace> {};

TEST_P(StudyPace, OneAtATimeShowsEachWordForFiveTicksWithABlankBetween) {
  const Pace pace = GetParam();
  World w;
  w.ui.click(w.ui.Option2);  // kanji: readings too
  if (!pace.fast) w.ui.click(w.ui.Option4);
  w.scriptEvenGame();
  w.ui.click(w.ui.btn1Jun);
  w.ui.click(w.ui.btnST);
  EXPECT_EQ(w.ui.btnST.Caption.get(), "止");
  EXPECT_FALSE(w.ui.btn1Jun.Enabled);
  EXPECT_FALSE(w.ui.Frame2.Enabled);
  EXPECT_TRUE(w.ui.lbl1h.Visible);
  w.clock.advance(pace.oneByOne - 1);
  EXPECT_EQ(w.ui.lbl2.Caption.get(), "下の言葉を記憶してください。では始めます。");
  w.clock.advance(1);
  for (int tick = 1; tick <= 60; ++tick) {
    SCOPED_TRACE(tick);
    const int word = (tick - 1) / 6;  // 0 to 9
    const bool showing = tick % 6 != 0;
    EXPECT_EQ(w.ui.lbl1.Caption.get(), showing ? w.state.shownWord[std::size_t(word)] : "");
    EXPECT_EQ(w.ui.lbl1h.Caption.get(), showing ? w.state.shownReading[std::size_t(word)] : "");
    if (tick < 60) {
      EXPECT_EQ(w.ui.lbl2.Caption.get(), "");
      EXPECT_EQ(w.ui.lblSTn.Caption.get(), std::to_string(word + 1));
      EXPECT_TRUE(w.ui.Timer1.Enabled);
      w.clock.advance(pace.oneByOne);
    }
  }
  EXPECT_EQ(w.clock.now(), 60 * pace.oneByOne);  // 36 s fast, 72 s slow
  EXPECT_EQ(w.ui.lblSTn.Caption.get(), "");
  EXPECT_EQ(w.ui.lbl2.Caption.get(), "よろしいですか？ では質問です。");
  EXPECT_FALSE(w.ui.btnST.Enabled);
  EXPECT_EQ(w.ui.btnST.Caption.get(), "止");
  EXPECT_TRUE(w.ui.btnQ.Enabled);
  EXPECT_TRUE(w.ui.btn1Jun.Enabled);
  EXPECT_TRUE(w.ui.Frame2.Enabled);
  EXPECT_FALSE(w.ui.Timer1.Enabled);
  EXPECT_EQ(w.state.st, True);
  EXPECT_EQ(w.state.k, 9);
}

TEST_P(StudyPace, AllAtOnceShowsTenWordsForSixTicks) {
  const Pace pace = GetParam();
  World w;
  if (!pace.fast) w.ui.click(w.ui.Option4);
  w.scriptEvenGame();
  w.ui.click(w.ui.btn2Jun);
  EXPECT_TRUE(w.ui.isShown(w.ui.lblAZ));
  EXPECT_EQ(w.ui.frmZnb.Left.get(), 1700.0f);
  EXPECT_EQ(w.ui.frmZnb.Top.get(), 1300.0f);
  EXPECT_EQ(w.ui.lbl2Z.ForeColor.get(), Colour{0});
  EXPECT_EQ(w.ui.lblAZ.Caption.get(), "");
  w.ui.click(w.ui.btnST);
  const auto& s = w.state.shownWord;
  const std::string left =
      s[0] + "\r\n\r\n" + s[1] + "\r\n\r\n" + s[2] + "\r\n\r\n" + s[3] + "\r\n\r\n" + s[4] + "\r\n";
  const std::string right =
      s[5] + "\r\n\r\n" + s[6] + "\r\n\r\n" + s[7] + "\r\n\r\n" + s[8] + "\r\n\r\n" + s[9] + "\r\n";
  EXPECT_EQ(w.ui.lblAZ.Caption.get(), left);
  EXPECT_EQ(w.ui.lblBZ.Caption.get(), right);
  EXPECT_EQ(w.ui.lbl2Z.ForeColor.get(), Colour{0x00808080});
  EXPECT_EQ(w.ui.lbl2Z.Caption.get(), "下の言葉を記憶してください。始めます。");
  w.clock.advance(pace.allAtOnce);
  EXPECT_EQ(w.ui.lbl2Z.Caption.get(), "");
  w.clock.advance(4 * pace.allAtOnce);
  EXPECT_EQ(w.ui.lblAZ.Caption.get(), left);
  EXPECT_TRUE(w.ui.isShown(w.ui.lblAZ));
  w.clock.advance(pace.allAtOnce - 1);
  EXPECT_EQ(w.ui.lblBZ.Caption.get(), right);  // still up just before 12 s / 24 s
  w.clock.advance(1);
  EXPECT_EQ(w.ui.lblAZ.Caption.get(), "");
  EXPECT_FALSE(w.ui.frmZnb.Visible);
  EXPECT_FALSE(w.ui.btnST.Enabled);
  EXPECT_TRUE(w.ui.btnQ.Enabled);
  EXPECT_TRUE(w.ui.btn2Jun.Enabled);
  EXPECT_FALSE(w.ui.Timer2.Enabled);
  EXPECT_EQ(w.ui.lbl2.Caption.get(), "よろしいですか？ では質問です。");
  EXPECT_EQ(w.ui.lbl1.Caption.get(), "");  // never written by this display
  EXPECT_EQ(w.state.stZ, True);
}

INSTANTIATE_TEST_SUITE_P(BothPaces, StudyPace,
                         ::testing::Values(Pace{"fast", true, 600, 2000},
                                           Pace{"slow", false, 1200, 4000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StudyPhase, StopAndResumeDuringAWordShowsItAgainInFull) {
  World w;
  w.scriptEvenGame();
  w.ui.click(w.ui.btn1Jun);
  w.ui.click(w.ui.btnST);
  w.clock.advance(8 * 600);  // word 2 has been up for two ticks
  w.ui.click(w.ui.btnST);
  EXPECT_EQ(w.ui.btnST.Caption.get(), "再");
  EXPECT_TRUE(w.ui.btn1Jun.Enabled);
  EXPECT_TRUE(w.ui.Frame2.Enabled);
  w.clock.advance(10'000);
  EXPECT_EQ(w.ui.lbl1.Caption.get(), w.state.shownWord[1]);  // the screen stays as it was
  w.ui.click(w.ui.btnST);
  for (int tick = 1; tick <= 5; ++tick) {
    w.clock.advance(600);
    EXPECT_EQ(w.ui.lbl1.Caption.get(), w.state.shownWord[1]) << tick;
  }
  w.clock.advance(600);
  EXPECT_EQ(w.ui.lbl1.Caption.get(), "");
  w.clock.advance(600);
  EXPECT_EQ(w.ui.lbl1.Caption.get(), w.state.shownWord[2]);
}

// Out of sight (the page hidden), either display stops as 止 stops it, and only then:
// no word runs on that nobody sees; 再 goes on from where it stood.
TEST(StudyPhase, OutOfSightStopsARunningDisplayOnly) {
  for (const bool allAtOnce : {false, true}) {
    World w;
    w.scriptEvenGame();
    w.outOfSight();  // nothing runs: nothing happens
    EXPECT_EQ(w.ui.btnST.Caption.get(), "始");
    w.ui.click(allAtOnce ? w.ui.btn2Jun : w.ui.btn1Jun);
    w.ui.click(w.ui.btnST);
    w.clock.advance(1'000);
    w.outOfSight();
    EXPECT_EQ(w.ui.btnST.Caption.get(), "再") << (allAtOnce ? "all at once" : "one at a time");
    EXPECT_FALSE(w.ui.Timer1.Enabled || ControlModel::ticking(w.ui.Timer2));
    w.outOfSight();  // still stopped: a second one does not resume it
    EXPECT_EQ(w.ui.btnST.Caption.get(), "再");
    w.clock.advance(100'000);
    EXPECT_FALSE(w.ui.btnQ.Enabled) << "the display did not run on";
  }
}

TEST(StudyPhase, StopDuringABlankResumesWithTheNextWord) {
  World w;
  w.scriptEvenGame();
  w.ui.click(w.ui.btn1Jun);
  w.ui.click(w.ui.btnST);
  w.clock.advance(12 * 600);  // word 2 just removed
  w.ui.click(w.ui.btnST);
  EXPECT_EQ(w.ui.lblSTn.Caption.get(), "2");
  w.ui.click(w.ui.btnST);
  w.clock.advance(600);
  EXPECT_EQ(w.ui.lbl1.Caption.get(), w.state.shownWord[2]);
  EXPECT_EQ(w.ui.lblSTn.Caption.get(), "3");
}

TEST(StudyPhase, APaceChangeAppliesAtTheNextStartOrResume) {
  World w;
  w.ui.click(w.ui.btn1Jun);
  w.ui.click(w.ui.btnST);
  w.ui.click(w.ui.Option4);  // pace options stay open while running
  EXPECT_TRUE(w.ui.Option4.Value);
  EXPECT_EQ(w.ui.Timer1.Interval.get(), 600);
  w.ui.click(w.ui.btnST);
  w.ui.click(w.ui.btnST);
  EXPECT_EQ(w.ui.Timer1.Interval.get(), 1200);
  w.ui.click(w.ui.Option2);  // the bank options are locked while running
  EXPECT_FALSE(w.ui.Option2.Value);
}

TEST(StudyPhase, PreparingTheOtherModeInterruptsTheDisplay) {
  World w;
  w.ui.click(w.ui.btn1Jun);
  w.ui.click(w.ui.btnST);
  w.clock.advance(3 * 600);
  w.ui.click(w.ui.btn2Jun);
  EXPECT_FALSE(w.ui.Timer1.Enabled);
  EXPECT_FALSE(w.ui.Timer2.Enabled);
  EXPECT_EQ(w.ui.btnST.Caption.get(), "始");
  EXPECT_FALSE(w.ui.btn1Jun.Enabled);  // stays so until an answer is shown
  EXPECT_FALSE(w.ui.Frame2.Enabled);
  EXPECT_EQ(w.ui.lblSTn.Caption.get(), "1");  // a preparation leaves the number
  EXPECT_EQ(w.ui.lbl1.Caption.get(), "");
  w.clock.advance(60'000);
  EXPECT_EQ(w.ui.lblSTn.Caption.get(), "1");
  w.ui.click(w.ui.btnST);
  w.clock.advance(12'000);
  EXPECT_TRUE(w.ui.Frame2.Enabled);
  EXPECT_TRUE(w.ui.btnQ.Enabled);
  EXPECT_FALSE(w.ui.btn1Jun.Enabled);
  EXPECT_EQ(w.ui.lblSTn.Caption.get(), "");
}

TEST(StudyPhase, StartBeforeAnyPreparationCountsOverEmptyLists) {
  World w;
  w.ui.click(w.ui.Option2);
  w.ui.click(w.ui.btnST);
  EXPECT_TRUE(w.ui.lbl1h.Visible);
  std::vector<std::string> numbers;
  for (int tick = 1; tick <= 60; ++tick) {
    w.clock.advance(600);
    EXPECT_EQ(w.ui.lbl1.Caption.get(), "");
    if (numbers.empty() || numbers.back() != w.ui.lblSTn.Caption.get()) {
      numbers.push_back(w.ui.lblSTn.Caption);
    }
  }
  EXPECT_EQ(numbers,
            (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", ""}));
  EXPECT_TRUE(w.ui.btnQ.Enabled);
  EXPECT_FALSE(w.ui.btnST.Enabled);
  EXPECT_EQ(w.ui.lbl2.Caption.get(), "よろしいですか？ では質問です。");
  EXPECT_FALSE(w.ui.lbl2.Visible);
  EXPECT_TRUE(w.ui.lblRM.Visible);
}

TEST(StudyPhase, PreparationResetsButtonsAndResultLabels) {
  World w;
  w.ui.click(w.ui.btn2Jun);
  for (Control* b : {&w.ui.btnQ, &w.ui.btnY, &w.ui.btnN, &w.ui.btnA}) EXPECT_FALSE(b->Enabled);
  for (Control* l : {&w.ui.lblA, &w.ui.lblAn, &w.ui.lblB, &w.ui.lblBn, &w.ui.lblC, &w.ui.lblD}) {
    EXPECT_FALSE(l->Visible);
    EXPECT_EQ(l->Caption.get(), "");
  }
  EXPECT_FALSE(w.ui.lblRM.Visible);
  EXPECT_TRUE(w.ui.lbl2.Visible);
  EXPECT_EQ(w.ui.btnST.ToolTipText.get(), "始めます。");
  EXPECT_EQ(w.ui.lblAZ.BorderStyle.get(), 0);
  EXPECT_EQ(w.ui.frmZnb.BorderStyle.get(), 0);
  EXPECT_TRUE(w.ui.lbl2Z.Visible);
}

}  // namespace
}  // namespace sorato
