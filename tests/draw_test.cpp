// Drawing the words of a game: scripted sequences, the invariants of every preparation,
// and the real source's statistics.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "World.h"
#include "banks/WordBanks.h"

namespace sorato {
namespace {

using testing::World;

TEST(IndexBelow, FloorOfTheExactProduct) {
  const float largestBelowOne = std::nextafter(1.0f, 0.0f);
  EXPECT_EQ(largestBelowOne, 0.99999994f);
  EXPECT_EQ(IndexBelow(0.0f, 100), 0);
  EXPECT_EQ(IndexBelow(0.0f, 20), 0);
  EXPECT_EQ(IndexBelow(largestBelowOne, 100), 99);
  EXPECT_EQ(IndexBelow(largestBelowOne, 20), 19);
  EXPECT_EQ(IndexBelow(0.01f, 100), 0);  // 0.01f is a hair below 0.01
  EXPECT_EQ(IndexBelow(0.015f, 100), 1);
  EXPECT_EQ(IndexBelow(0.42f, 100), 41);  // and so is 0.42f below 0.42
  EXPECT_EQ(IndexBelow(0.425f, 100), 42);
}

TEST(DrawTwenty, ARepeatIsConsumedAndTheSlotDrawnAgain) {
  World w;
  w.script(100, {42, 42, 7});
  w.ui.click(w.ui.btn1Jun);
  EXPECT_EQ(w.state.quizWord[0], kHiraganaBank[42]);
  EXPECT_EQ(w.state.quizWord[1], kHiraganaBank[7]);
  EXPECT_EQ(w.random.reseeds(), 1u);
}

TEST(DrawTwenty, ExtremeValuesGiveTheFirstAndLastEntries) {
  World w;
  w.random.push(0.0f);
  w.random.push(0.99999994f);
  for (int i = 1; i <= 18; ++i) w.script(100, {i});
  w.random.push(0.0f);
  w.random.push(0.99999994f);
  w.ui.click(w.ui.btn1Jun);
  EXPECT_EQ(w.state.quizWord[0], kHiraganaBank[0]);
  EXPECT_EQ(w.state.quizWord[1], kHiraganaBank[99]);
  EXPECT_EQ(w.state.shownWord[0], w.state.quizWord[0]);
  EXPECT_EQ(w.state.shownWord[1], w.state.quizWord[19]);
}

TEST(PickShown, PicksFromTheEndBackwards) {
  World w;
  for (int i = 0; i < 20; ++i) w.script(100, {i});
  for (int pos = 19; pos >= 10; --pos) w.script(20, {pos});
  w.ui.click(w.ui.btn1Jun);
  for (std::size_t n = 0; n < 10; ++n) {
    EXPECT_EQ(w.state.shownWord[n], w.state.quizWord[19 - n]);
    EXPECT_EQ(w.state.absentWord[n], w.state.quizWord[n]);
    EXPECT_EQ(w.state.absentWord[n + 10], "");
  }
  EXPECT_EQ(w.random.calls(), 30u);
}

// What holds after every preparation, in both banks and both modes.
void expectPreparedGame(const World& w, bool kanji) {
  const GameState& g = w.state;
  std::set<std::string> quiz(g.quizWord.begin(), g.quizWord.end());
  EXPECT_EQ(quiz.size(), 20u);
  for (const std::string& word : g.quizWord) {
    EXPECT_NE(std::find(g.bankWord.begin(), g.bankWord.end(), word), g.bankWord.end());
  }
  std::vector<std::string> both(g.shownWord.begin(), g.shownWord.end());
  both.insert(both.end(), g.absentWord.begin(), g.absentWord.begin() + 10);
  std::vector<std::string> sortedQuiz(g.quizWord.begin(), g.quizWord.end());
  std::sort(both.begin(), both.end());
  std::sort(sortedQuiz.begin(), sortedQuiz.end());
  EXPECT_EQ(both, sortedQuiz);
  EXPECT_EQ(g.shownCopy, g.shownWord);
  // absentWord keeps the question order.
  std::size_t next = 0;
  for (const std::string& word : g.quizWord) {
    if (next < 10 && word == g.absentWord[next]) ++next;
  }
  EXPECT_EQ(next, 10u);
  int empty = 0;
  for (std::size_t i = 0; i < 20; ++i) {
    if (g.drawWord[i].empty()) {
      ++empty;
      EXPECT_TRUE(w.shown(g.quizWord[i]));
    } else {
      EXPECT_EQ(g.drawWord[i], g.quizWord[i]);
    }
    EXPECT_EQ(g.absentWord[i].empty(), i >= 10);
  }
  EXPECT_EQ(empty, 10);
  for (std::size_t i = 0; i < 20; ++i) {
    if (!kanji) {
      EXPECT_EQ(g.quizReading[i], "");
      continue;
    }
    const auto& bank = kKanjiBank;
    auto at = std::find_if(bank.begin(), bank.end(),
                           [&](const KanjiEntry& e) { return e.word == g.quizWord[i]; });
    ASSERT_NE(at, bank.end());
    EXPECT_EQ(g.quizReading[i], at->reading);
  }
  for (std::size_t n = 0; n < 10; ++n) {
    auto at = std::find(g.quizWord.begin(), g.quizWord.end(), g.shownWord[n]);
    EXPECT_EQ(g.shownReading[n], g.quizReading[static_cast<std::size_t>(at - g.quizWord.begin())]);
  }
}

TEST(Preparation, InvariantsInBothBanksAndModes) {
  World w;
  for (int round = 0; round < 50; ++round) {
    const bool kanji = round % 3 == 1;
    w.ui.click(kanji ? w.ui.Option2 : w.ui.Option1);
    w.ui.click(round % 2 == 0 ? w.ui.btn1Jun : w.ui.btn2Jun);
    SCOPED_TRACE(round);
    expectPreparedGame(w, kanji);
  }
}

TEST(Preparation, TwoPreparationsInARowDiffer) {
  World w;
  w.ui.click(w.ui.btn1Jun);
  const auto first = w.state.quizWord;
  w.ui.click(w.ui.btn1Jun);
  EXPECT_NE(first, w.state.quizWord);
  EXPECT_EQ(w.random.reseeds(), 2u);
}

// The game's generator over many preparations, from a fixed seed: every bank index
// about equally often, and the number of values a preparation takes as rejection
// sampling predicts.
TEST(GameRandom, UniformDrawsAndTheExpectedNumberOfValues) {
  SeededRandom seeded(20261208);
  World w(&seeded);
  constexpr int kGames = 20'000;
  std::array<int, 100> seen{};
  std::map<std::string, int> indexOf;
  for (int i = 0; i < 100; ++i)
    indexOf[std::string(kHiraganaBank[static_cast<std::size_t>(i)])] = i;
  for (int game = 0; game < kGames; ++game) {
    w.game.study.btn1Jun_Click();
    for (const std::string& word : w.state.quizWord)
      ++seen[static_cast<std::size_t>(indexOf.at(word))];
  }
  const double expected = kGames * 20 / 100.0;
  double chiSquare = 0;
  for (int count : seen) chiSquare += (count - expected) * (count - expected) / expected;
  // 99 degrees of freedom: the mean is 99, and 200 is passed about once in 10^8 runs.
  EXPECT_LT(chiSquare, 200.0);
  const double perGame = static_cast<double>(w.random.calls()) / kGames;
  // 100 (H100 - H80) = 22.19 for the draw, 20 (H20 - H10) = 13.38 for the pick.
  EXPECT_NEAR(perGame, 22.19 + 13.38, 0.2);
}

TEST(GameRandom, NeverReturnsOne) {
  SeededRandom r(1);
  r.ReseedFromClock();
  float highest = 0;
  for (int i = 0; i < 1'000'000; ++i) highest = std::max(highest, r.NextUniform());
  EXPECT_LT(highest, 1.0f);
  EXPECT_GT(highest, 0.999f);
}

TEST(ScriptedRandom, RefusesValuesOutsideTheUnitInterval) {
  SeededRandom seeded(1);
  ScriptedRandom r(seeded);
  EXPECT_THROW(r.push(1.0f), std::invalid_argument);
  EXPECT_THROW(r.push(-0.5f), std::invalid_argument);
  EXPECT_THROW(r.push(std::nanf("")), std::invalid_argument);
  r.push(0.25f);
  EXPECT_EQ(r.NextUniform(), 0.25f);
  EXPECT_EQ(r.calls(), 1u);
}

}  // namespace
}  // namespace sorato
