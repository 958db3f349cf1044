#include "WordDraw.h"

#include <array>

namespace sorato {

namespace {

// Whether entry n repeats an earlier entry, compared from the newest back to entry 0.
bool repeatsEarlier(const std::array<Integer, 20>& list, int n) {
  for (int i = 1; i <= n; ++i) {
    if (list[static_cast<std::size_t>(n)] == list[static_cast<std::size_t>(n - i)]) return true;
  }
  return false;
}

}  // namespace

void WordDraw::DrawTwenty() {
  random_.ReseedFromClock();
  std::array<Integer, 20> drawnIndex{};
  for (int n = 0; n < 20; ++n) {
    const auto slot = static_cast<std::size_t>(n);
    do {
      drawnIndex[slot] = IndexBelow(random_.NextUniform(), 100);
    } while (repeatsEarlier(drawnIndex, n));
    const auto bankIndex = static_cast<std::size_t>(drawnIndex[slot]);
    g_.drawWord[slot] = g_.bankWord[bankIndex];
    if (ui_.Option2.Value) {
      g_.quizReading[slot] = g_.bankReading[bankIndex];
    } else {
      for (std::string& reading : g_.quizReading) reading.clear();
    }
  }
  g_.quizWord = g_.drawWord;
}

void WordDraw::PickShown() {
  std::array<Integer, 20> pickedPos{};  // only 0 to 9 are used
  for (int n = 0; n < 10; ++n) {
    const auto slot = static_cast<std::size_t>(n);
    do {
      pickedPos[slot] = IndexBelow(random_.NextUniform(), 20);
      g_.shownWord[slot] = g_.drawWord[static_cast<std::size_t>(pickedPos[slot])];
    } while (repeatsEarlier(pickedPos, n));
    if (ui_.Option2.Value) {
      g_.shownReading[slot] = g_.quizReading[static_cast<std::size_t>(pickedPos[slot])];
    } else {
      for (std::string& reading : g_.shownReading) reading.clear();
    }
  }
  g_.shownCopy = g_.shownWord;
}

void WordDraw::SplitAbsent() {
  for (std::string& drawn : g_.drawWord) {
    for (const std::string& shown : g_.shownWord) {
      if (shown == drawn) drawn.clear();
    }
  }
  // Entries beyond the tenth keep what ClearGame left there.
  std::size_t c = 0;
  for (const std::string& drawn : g_.drawWord) {
    if (!drawn.empty()) g_.absentWord[c++] = drawn;
  }
}

}  // namespace sorato
