#include "GameState.h"

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

}  // namespace sorato
