// Random sequences of user actions on the headless game, from a fixed list of seeds:
// clicks on every button whether it is enabled or not (through the same path as a
// user's click), presses on the peek label with any button and modifiers, and advances
// of the clock from 0 to 80 s.  After every action, invariants that hold in every
// reachable state are checked.  A failure prints the actions of that window's run as a
// sorato-drive script, random values included, which replays it.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>
#include <unordered_set>

#include "app/Headless.h"
#include "banks/WordBanks.h"
#include "game/RandomSource.h"

namespace sorato {
namespace {

// The game's random values, recorded so that a script can queue them again.
class RecordingRandom final : public RandomSource {
 public:
  explicit RecordingRandom(std::uint64_t seed) : source_(seed) {}
  void ReseedFromClock() override { source_.ReseedFromClock(); }
  float NextUniform() override {
    const float r = source_.NextUniform();
    taken.push_back(r);
    return r;
  }
  std::vector<float> taken;

 private:
  SeededRandom source_;
};

// The words of the bank loaded into bankWord (none before the first game).
const std::unordered_set<std::string>& loadedBank(const GameState& g) {
  static const std::unordered_set<std::string> none;
  static const std::unordered_set<std::string> hiragana = [] {
    std::unordered_set<std::string> words;
    for (std::string_view w : kHiraganaBank) words.emplace(w);
    return words;
  }();
  static const std::unordered_set<std::string> kanji = [] {
    std::unordered_set<std::string> words;
    for (const KanjiEntry& e : kKanjiBank) words.emplace(e.word);
    return words;
  }();
  if (g.bankWord[0] == kHiraganaBank[0]) return hiragana;
  if (g.bankWord[0] == kKanjiBank[0].word) return kanji;
  return none;
}

// Empty, a word of the loaded bank, or such a word behind one mark; "× " alone is an
// empty entry scored.  Returns "" when so.
std::string checkEntry(const GameState& g, const std::string& entry, bool marksAllowed) {
  std::string_view word = entry;
  if (marksAllowed && word.starts_with("○ ")) {
    word.remove_prefix(std::string_view("○ ").size());
  } else if (marksAllowed && word.starts_with("× ")) {
    word.remove_prefix(std::string_view("× ").size());
    if (word.empty()) return "";
  }
  if (entry.empty() || loadedBank(g).contains(std::string(word))) return "";
  return "entry '" + entry + "' is not a word of the bank, marked at most once; ";
}

std::string checkInvariants(const Headless& run) {
  const ControlModel& ui = run.ui;
  const GameState& g = run.state;
  std::ostringstream why;
  auto in = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
  if (!in(g.s, 0, 5)) why << "s = " << g.s << "; ";
  if (!in(g.k, 0, 9)) why << "k = " << g.k << "; ";
  if (!in(g.m3, 0, 20)) why << "m3 = " << g.m3 << "; ";
  if (!in(g.An, 0, 10)) why << "An = " << g.An << "; ";
  if (!in(g.Bn, 0, 10)) why << "Bn = " << g.Bn << "; ";
  for (Boolean flag : {g.st, g.stZ, g.Abtn, g.peekShown}) {
    if (flag != True && flag != False) why << "a flag holds " << flag << "; ";
  }
  for (std::size_t i = 0; i < 20; ++i) {
    if (i < 10) {
      why << checkEntry(g, g.shownWord[i], true) << checkEntry(g, g.shownCopy[i], false);
      why << checkEntry(g, g.absentWord[i], true);
    } else if (!g.absentWord[i].empty()) {
      why << "absentWord(" << i << ") is not empty; ";
    }
  }
  const std::string& caption = ui.btnST.Caption;
  if (caption != "始" && caption != "止" && caption != "再") why << "btnST reads " << caption;
  auto ticking = &ControlModel::ticking;
  if (ticking(ui.Timer1) && g.st != True) why << "Timer1 ticks while st is False; ";
  if (ticking(ui.Timer2) && g.stZ != True) why << "Timer2 ticks while stZ is False; ";
  return why.str();
}

// After a scoring, the scores are what the marks say.
std::string checkScores(const GameState& g) {
  int an = 0, bn = 0;
  for (std::size_t i = 0; i < 10; ++i) {
    an += g.shownWord[i].starts_with("○") ? 1 : 0;
    bn += g.absentWord[i].starts_with("○") ? 0 : 1;
    if (!g.shownWord[i].starts_with("○") && !g.shownWord[i].starts_with("×")) {
      return "an entry of shownWord has no mark after the scoring";
    }
  }
  if (an != g.An || bn != g.Bn) {
    return "scores " + std::to_string(g.An) + "/" + std::to_string(g.Bn) + " but the marks say " +
           std::to_string(an) + "/" + std::to_string(bn);
  }
  return "";
}

struct Totals {
  long actions = 0, windows = 0, preparations = 0, scorings = 0, ticks = 0;
};

constexpr const char* kButtons[] = {"btn1Jun", "btn2Jun", "btnST", "btnQ",
                                    "btnY",    "btnN",    "btnA",  "btnEND"};
constexpr const char* kOptions[] = {"Option1", "Option2", "Option3", "Option4"};

// Mostly a button a user would press next (an enabled one, the answers more often than
// a new game, so that games get played to the end), sometimes any button at all, and
// 終了 rarely.
const char* chooseButton(const ControlModel& ui, std::mt19937_64& pick) {
  const unsigned roll = static_cast<unsigned>(pick() % 1000);
  if (roll < 7) return "btnEND";
  if (roll < 150) return kButtons[pick() % 7];
  struct Weighted {
    const char* name;
    unsigned weight;
  };
  std::vector<Weighted> open;
  unsigned total = 0;
  for (const Weighted& w :
       {Weighted{"btnY", 6}, Weighted{"btnN", 6}, Weighted{"btnQ", 6}, Weighted{"btnA", 3},
        Weighted{"btnST", 3}, Weighted{"btn1Jun", 1}, Weighted{"btn2Jun", 1}}) {
    if (ui.acceptsInput(*ui.find(w.name))) {
      open.push_back(w);
      total += w.weight;
    }
  }
  if (open.empty()) return kButtons[pick() % 7];
  unsigned at = static_cast<unsigned>(pick() % total);
  for (const Weighted& w : open) {
    if (at < w.weight) return w.name;
    at -= w.weight;
  }
  return open.back().name;
}

// Plays `actions` actions from `seed`; returns a failure report, or "".
std::string fuzz(std::uint64_t seed, long actions, Totals& totals) {
  std::mt19937_64 pick(seed);
  RecordingRandom random(seed);
  auto run = std::make_unique<Headless>(&random);
  std::vector<std::string> script;  // this window's run, as a sorato-drive script
  struct TickCount : ModelObserver {
    long& n;
    explicit TickCount(long& n) : n(n) {}
    void eventRaised(Control&, Event e) override { n += e == Event::Timer ? 1 : 0; }
  } ticks(totals.ticks);
  run->ui.addObserver(&ticks);
  for (long a = 0; a < actions; ++a) {
    ControlModel& ui = run->ui;
    random.taken.clear();
    const bool armed = run->state.Abtn == True;
    std::string line;
    const unsigned roll = static_cast<unsigned>(pick() % 1000);
    if (roll < 150) {
      const std::int64_t ms = static_cast<std::int64_t>(pick() % 80'001);
      run->clock.advance(ms);
      line = "advance " + std::to_string(ms);
    } else if (roll < 230) {
      const char* name = kOptions[pick() % 4];
      ui.click(*ui.find(name));
      line = std::string("click ") + name;
    } else if (roll < 270) {
      const auto button = static_cast<std::int16_t>(pick() % 8);
      const auto shift = static_cast<std::int16_t>(pick() % 8);
      ui.mouseDown(ui.lblKng, {button, shift, 60, 60});
      line = "mousedown lblKng " + std::to_string(button) + " " + std::to_string(shift) + " 60 60";
    } else {
      const char* name = chooseButton(ui, pick);
      Control& button = *ui.find(name);
      const bool took = ui.click(button);
      line = std::string("click ") + name;
      if (took && (&button == &ui.btn1Jun || &button == &ui.btn2Jun)) ++totals.preparations;
    }
    if (!random.taken.empty()) {
      std::string values = "random";
      for (float r : random.taken) {
        char buf[32];
        std::snprintf(buf, sizeof buf, " %.12f", static_cast<double>(r));
        values += buf;
      }
      script.push_back(values);
    }
    script.push_back(line);
    ++totals.actions;
    if (run->ui.unloaded()) {
      run->ui.removeObserver(&ticks);
      run = std::make_unique<Headless>(&random);
      run->ui.addObserver(&ticks);
      script.clear();
      ++totals.windows;
      continue;
    }
    std::string why = checkInvariants(*run);
    if (armed && run->state.Abtn == False && line == "click btnA") {
      ++totals.scorings;
      why += checkScores(run->state);
    }
    if (!why.empty()) {
      std::string report = "seed " + std::to_string(seed) + ", action " + std::to_string(a) + ": " +
                           why + "\nreplay with sorato-drive:\n";
      for (const std::string& s : script) report += s + "\n";
      run->ui.removeObserver(&ticks);
      return report;
    }
  }
  run->ui.removeObserver(&ticks);
  return "";
}

long actionsToRun() {
  const char* env = std::getenv("SORATO_FUZZ_ACTIONS");
  return env != nullptr ? std::atol(env) : 1'000'000;
}

TEST(ModelFuzz, NoSequenceOfInputBreaksAnInvariant) {
  constexpr std::uint64_t kSeeds[] = {1,  2,  3,   5,   8,   13,  21,  34,
                                      55, 89, 144, 233, 377, 610, 987, 1597};
  const long perSeed = actionsToRun() / static_cast<long>(std::size(kSeeds));
  Totals totals;
  for (std::uint64_t seed : kSeeds) {
    const std::string failure = fuzz(seed, perSeed, totals);
    ASSERT_EQ(failure, "");
  }
  std::printf("%ld actions, %ld windows, %ld preparations, %ld scorings, %ld ticks\n",
              totals.actions, totals.windows, totals.preparations, totals.scorings, totals.ticks);
  EXPECT_GE(totals.preparations, totals.actions / 100);  // ten thousand games a million actions
  EXPECT_GT(totals.scorings, totals.actions / 2000);     // and many played to the end
}

// The checks can fail: a state that breaks them is reported.
TEST(ModelFuzz, TheInvariantsCatchABrokenState) {
  SeededRandom random(7);
  Headless run(&random);
  EXPECT_EQ(checkInvariants(run), "");
  run.ui.click(run.ui.btn1Jun);
  const std::string word = run.state.shownWord[3];
  for (const std::string& broken :
       {"○ ○ " + word, std::string("○ "), std::string("× 合鍵"), "○" + word}) {
    run.state.shownWord[3] = broken;
    EXPECT_NE(checkInvariants(run), "") << broken;
  }
  run.state.shownWord[3] = "× " + word;
  EXPECT_EQ(checkInvariants(run), "");
  run.ui.Timer1.Enabled = true;
  run.ui.Timer1.Interval = 600;
  EXPECT_NE(checkInvariants(run), "");
}

}  // namespace
}  // namespace sorato
