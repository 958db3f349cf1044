// The twenty questions: what each one puts up, which answers leave marks, and the end.

#include <gtest/gtest.h>

#include "World.h"

namespace sorato {
namespace {

using testing::World;

// A prepared game whose display has run to its end.
World& playedThrough(World& w, bool kanji = false) {
  if (kanji) w.ui.click(w.ui.Option2);
  w.scriptEvenGame();
  w.ui.click(w.ui.btn1Jun);
  w.ui.click(w.ui.btnST);
  w.clock.advance(36'000);
  return w;
}

TEST(Questions, FirstQuestionAfterTheDisplay) {
  World w;
  playedThrough(w, true);
  ASSERT_TRUE(w.ui.btnQ.Enabled);
  w.ui.click(w.ui.btnQ);
  EXPECT_EQ(w.ui.lbl2.Caption.get(), "この言葉は在りましたか？");
  EXPECT_EQ(w.ui.lbl1.Caption.get(), w.state.quizWord[0]);
  EXPECT_EQ(w.ui.lbl1h.Caption.get(), w.state.quizReading[0]);
  EXPECT_NE(w.state.quizReading[0], "");
  EXPECT_EQ(w.ui.lblQn.Caption.get(), "1");
  EXPECT_EQ(w.state.m3, 1);
  EXPECT_FALSE(w.ui.frmZnb.Visible);
  EXPECT_FALSE(w.ui.btnST.Enabled);
  for (Control* b : {&w.ui.btnY, &w.ui.btnN, &w.ui.btnA, &w.ui.btnQ}) EXPECT_TRUE(b->Enabled);
}

TEST(Questions, OnlyACorrectAnswerLeavesAMark) {
  World w;
  playedThrough(w);
  const auto before = w.state;
  w.ui.click(w.ui.btnQ);  // question 1: quizWord(0), shown as shownWord(0)
  ASSERT_TRUE(w.shown(w.state.quizWord[0]));
  w.ui.click(w.ui.btnN);  // wrong: nothing marked
  EXPECT_EQ(w.state.shownWord, before.shownWord);
  EXPECT_EQ(w.state.absentWord, before.absentWord);
  EXPECT_EQ(w.ui.lblQn.Caption.get(), "2");
  w.ui.click(w.ui.btnN);  // question 2: quizWord(1), not shown: right
  EXPECT_EQ(w.state.absentWord[0], "○ " + before.absentWord[0]);
  w.ui.click(w.ui.btnY);  // question 3: quizWord(2), shown as shownWord(1): right
  EXPECT_EQ(w.state.shownWord[1], "○ " + before.shownWord[1]);
  w.ui.click(w.ui.btnY);  // question 4: not shown: wrong
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(w.state.shownWord[i], i == 1 ? "○ " + before.shownWord[i] : before.shownWord[i]);
    EXPECT_EQ(w.state.absentWord[i], i == 0 ? "○ " + before.absentWord[i] : before.absentWord[i]);
  }
  EXPECT_EQ(w.state.shownCopy, before.shownCopy);
}

TEST(Questions, SkippingLeavesTheWordUnmarkedAndTheTwentiethEndsThePhase) {
  World w;
  playedThrough(w);
  const auto before = w.state;
  w.ui.click(w.ui.btnQ);
  for (int n = 2; n <= 20; ++n) {
    w.ui.click(w.ui.btnQ);
    EXPECT_EQ(w.ui.lblQn.Caption.get(), std::to_string(n));
    EXPECT_EQ(w.ui.lbl1.Caption.get(), w.state.quizWord[std::size_t(n - 1)]);
  }
  EXPECT_EQ(w.state.Abtn, False);
  w.ui.click(w.ui.btnY);  // answers question 20, and ends
  EXPECT_EQ(w.ui.lbl2.Caption.get(), "以上です。");
  EXPECT_EQ(w.ui.lbl1.Caption.get(), "");
  EXPECT_EQ(w.ui.lbl1h.Caption.get(), "");
  EXPECT_EQ(w.ui.lblQn.Caption.get(), "");
  EXPECT_FALSE(w.ui.btnY.Enabled);
  EXPECT_FALSE(w.ui.btnN.Enabled);
  EXPECT_FALSE(w.ui.btnQ.Enabled);
  EXPECT_TRUE(w.ui.btnA.Enabled);
  EXPECT_EQ(w.state.Abtn, True);
  EXPECT_EQ(w.state.m3, 0);
  // Only the last answer (quizWord(19), not shown, answered "はい") was given: no mark.
  EXPECT_EQ(w.state.shownWord, before.shownWord);
  EXPECT_EQ(w.state.absentWord, before.absentWord);
}

TEST(Questions, ReadingsFollowTheBankOptionAsEachQuestionIsPut) {
  World w;
  playedThrough(w, true);
  w.ui.click(w.ui.btnQ);
  EXPECT_EQ(w.ui.lbl1h.Caption.get(), w.state.quizReading[0]);
  w.ui.click(w.ui.Option1);  // switched to あ mid-way
  w.ui.click(w.ui.btnQ);
  EXPECT_EQ(w.ui.lbl1.Caption.get(), w.state.quizWord[1]);
  EXPECT_EQ(w.ui.lbl1h.Caption.get(), "");  // never the reading of an earlier word
  w.ui.click(w.ui.Option2);
  w.ui.click(w.ui.btnQ);
  EXPECT_EQ(w.ui.lbl1h.Caption.get(), w.state.quizReading[2]);
}

TEST(Questions, HiraganaGameShowsNoReading) {
  World w;
  playedThrough(w);
  w.ui.click(w.ui.btnQ);
  EXPECT_EQ(w.ui.lbl1h.Caption.get(), "");
  EXPECT_FALSE(w.ui.lbl1h.Visible);
}

// Before any game, every question word is empty.  An answer then marks nothing: one
// "はい" must not turn ten empty entries into ten right answers.
TEST(Questions, AnAnswerToAnEmptyQuestionWordMarksNothing) {
  World w;
  w.ui.click(w.ui.btnY);
  w.ui.click(w.ui.btnN);
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(w.state.shownWord[i], "");
    EXPECT_EQ(w.state.absentWord[i], "");
  }
  EXPECT_FALSE(w.ui.btnST.Enabled);
  for (int n = 3; n <= 20; ++n) w.ui.click(w.ui.btnY);
  w.ui.click(w.ui.btnY);
  ASSERT_EQ(w.state.Abtn, True);
  w.ui.click(w.ui.btnA);
  EXPECT_EQ(w.state.An, 0);
  EXPECT_EQ(w.state.Bn, 10);
  EXPECT_EQ(w.ui.lblAn.Caption.get(), "大丈夫ですか？ : 0/10");
  EXPECT_EQ(w.ui.lblBn.Caption.get(), "絶望的！ : 10/10");
}

TEST(Questions, APreparationAbandonsThePhase) {
  World w;
  playedThrough(w);
  w.ui.click(w.ui.btnQ);
  w.ui.click(w.ui.btnQ);
  w.ui.click(w.ui.btn1Jun);
  EXPECT_EQ(w.state.m3, 0);
  EXPECT_FALSE(w.ui.btnQ.Enabled);
  EXPECT_FALSE(w.ui.btnY.Enabled);
  EXPECT_EQ(w.ui.lbl1.Caption.get(), "");
  EXPECT_TRUE(w.ui.btnST.Enabled);
}

}  // namespace
}  // namespace sorato
