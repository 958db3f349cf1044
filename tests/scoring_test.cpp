// Scoring: marks, counts, verdicts and the result lists.

#include "game/Scoring.h"

#include <gtest/gtest.h>

#include "World.h"

namespace sorato {
namespace {

using testing::World;

enum class Answer { Right, Yes, No, Skip };

// Plays a whole scripted game, answering every question the same way.
void play(World& w, Answer answer) {
  w.scriptEvenGame();
  w.ui.click(w.ui.btn2Jun);
  w.ui.click(w.ui.btnST);
  w.clock.advance(12'000);
  w.ui.click(w.ui.btnQ);
  for (int n = 0; n < 20; ++n) {
    const bool shown = w.shown(w.ui.lbl1.Caption);
    switch (answer) {
      case Answer::Right: w.ui.click(shown ? w.ui.btnY : w.ui.btnN); break;
      case Answer::Yes: w.ui.click(w.ui.btnY); break;
      case Answer::No: w.ui.click(w.ui.btnN); break;
      case Answer::Skip: w.ui.click(w.ui.btnQ); break;
    }
  }
  w.ui.click(w.ui.btnA);
}

struct Pattern {
  const char* name;
  Answer answer;
  int an, bn;
  const char* shownCaption;
  const char* absentCaption;
  const char* shownMark;
  const char* absentMark;
  friend void PrintTo(const Pattern& p, std::ostream* os) { *os << p.name; }
};

class AnswerPatterns : public ::testing::TestWithParam<Pattern> {};

TEST_P(AnswerPatterns, ScoresVerdictsAndMarkedLists) {
  const Pattern p = GetParam();
  World w;
  play(w, p.answer);
  EXPECT_EQ(w.state.An, p.an);
  EXPECT_EQ(w.state.Bn, p.bn);
  EXPECT_EQ(w.ui.lblAn.Caption.get(), p.shownCaption);
  EXPECT_EQ(w.ui.lblBn.Caption.get(), p.absentCaption);
  std::string shownList = "在った言葉\r\n", absentList = "無かった言葉\r\n";
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(w.state.shownWord[i], p.shownMark + w.state.shownCopy[i]);
    EXPECT_TRUE(w.state.absentWord[i].starts_with(p.absentMark));
    shownList += "\r\n" + w.state.shownWord[i];
    absentList += "\r\n" + w.state.absentWord[i];
  }
  EXPECT_EQ(w.ui.lblA.Caption.get(), shownList);
  EXPECT_EQ(w.ui.lblB.Caption.get(), absentList);
  for (Control* l : {&w.ui.lblA, &w.ui.lblB, &w.ui.lblAn, &w.ui.lblBn}) EXPECT_TRUE(l->Visible);
  EXPECT_FALSE(w.ui.lblC.Visible);
  EXPECT_TRUE(w.ui.btn1Jun.Enabled);
  EXPECT_TRUE(w.ui.btn2Jun.Enabled);
  EXPECT_FALSE(w.ui.btnQ.Enabled);
  EXPECT_TRUE(w.ui.btnA.Enabled);
  EXPECT_EQ(w.state.Abtn, False);
}

INSTANTIATE_TEST_SUITE_P(
    Scoring, AnswerPatterns,
    ::testing::Values(Pattern{"AllCorrect", Answer::Right, 10, 0, "すばらしい！ : 10/10",
                              "優秀です : 0/10", "○ ", "○ "},
                      Pattern{"YesToAll", Answer::Yes, 10, 10, "すばらしい！ : 10/10",
                              "絶望的！ : 10/10", "○ ", "× "},
                      Pattern{"NoToAll", Answer::No, 0, 0, "大丈夫ですか？ : 0/10",
                              "優秀です : 0/10", "× ", "○ "},
                      Pattern{"AllSkipped", Answer::Skip, 0, 10, "大丈夫ですか？ : 0/10",
                              "絶望的！ : 10/10", "× ", "× "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Verdicts, Boundaries) {
  struct Row {
    Integer score;
    const char* shown;
    const char* absent;
  };
  for (const Row& r : {Row{0, "大丈夫ですか？ : 0/10", "優秀です : 0/10"},
                       Row{1, "大丈夫ですか？ : 1/10", "勘違いですね : 1/10"},
                       Row{2, "大丈夫ですか？ : 2/10", "勘違いですね : 2/10"},
                       Row{3, "大丈夫ですか？ : 3/10", "大丈夫ですか？ : 3/10"},
                       Row{5, "大丈夫ですか？ : 5/10", "大丈夫ですか？ : 5/10"},
                       Row{6, "よくできました : 6/10", "大丈夫ですか？ : 6/10"},
                       Row{7, "よくできました : 7/10", "絶望的！ : 7/10"},
                       Row{9, "よくできました : 9/10", "絶望的！ : 9/10"},
                       Row{10, "すばらしい！ : 10/10", "絶望的！ : 10/10"}}) {
    EXPECT_EQ(Scoring::ShownVerdict(r.score), r.shown);
    EXPECT_EQ(Scoring::AbsentVerdict(r.score), r.absent);
  }
}

TEST(Scoring, ASecondClickChangesNothing) {
  World w;
  play(w, Answer::Yes);
  const auto after = w.state;
  const std::string list = w.ui.lblB.Caption;
  w.ui.click(w.ui.btnA);
  EXPECT_EQ(w.state.absentWord, after.absentWord);  // no second cross
  EXPECT_EQ(w.state.Bn, after.Bn);
  EXPECT_EQ(w.ui.lblB.Caption.get(), list);
}

TEST(Scoring, AClickDuringTheQuestionsChangesNothing) {
  World w;
  w.scriptEvenGame();
  w.ui.click(w.ui.btn1Jun);
  w.ui.click(w.ui.btnST);
  w.clock.advance(36'000);
  w.ui.click(w.ui.btnQ);
  w.ui.click(w.ui.btnY);
  const auto before = w.state;
  ASSERT_TRUE(w.ui.btnA.Enabled);
  w.ui.click(w.ui.btnA);
  EXPECT_EQ(w.state.shownWord, before.shownWord);
  EXPECT_FALSE(w.ui.lblA.Visible);
  EXPECT_EQ(w.ui.lblAn.Caption.get(), "");
}

TEST(Scoring, ANewGameKeepsTheScores) {
  World w;
  play(w, Answer::Yes);
  w.ui.click(w.ui.btn1Jun);
  EXPECT_EQ(w.state.An, 10);
  EXPECT_EQ(w.state.Bn, 10);
  EXPECT_FALSE(w.ui.lblAn.Visible);
}

}  // namespace
}  // namespace sorato
