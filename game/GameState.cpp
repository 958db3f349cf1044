#include "GameState.h"

#include "banks/WordBanks.h"

namespace sorato {

void ClearGame(GameState& g) {
  for (std::size_t i = 0; i < 20; ++i) {
    g.drawWord[i].clear();
    g.quizWord[i].clear();
    g.quizReading[i].clear();
    g.absentWord[i].clear();
  }
  for (std::size_t i = 0; i < 10; ++i) {
    g.shownWord[i].clear();
    g.shownReading[i].clear();
    g.shownCopy[i].clear();
  }
}

void LoadHiraganaBank(GameState& g) {
  for (std::size_t i = 0; i < kBankSize; ++i) g.bankWord[i] = kHiraganaBank[i];
}

void LoadKanjiBank(GameState& g) {
  for (std::size_t i = 0; i < kBankSize; ++i) {
    g.bankWord[i] = kKanjiBank[i].word;
    g.bankReading[i] = kKanjiBank[i].reading;
  }
}

}  // namespace sorato
