#pragma once

#include <initializer_list>
#include <string>

#include "app/Headless.h"

namespace sorato::testing {

// The headless game, with helpers to script its random values.
struct World : Headless {
  using Headless::Headless;

  // Queues values that draw exactly these indices below n (the middle of each bucket).
  void script(int n, std::initializer_list<int> indices) {
    for (int i : indices) random.push((static_cast<float>(i) + 0.5f) / static_cast<float>(n));
  }
  // Scripts a preparation: bank indices 0, 5, 10, ... 95 in draw order, and positions
  // 0, 2, 4, ... 18 picked: the shown words are the even draws.
  void scriptEvenGame() {
    for (int i = 0; i < 20; ++i) script(100, {i * 5});
    for (int i = 0; i < 10; ++i) script(20, {i * 2});
  }
  bool shown(const std::string& word) const {
    for (const std::string& w : state.shownWord) {
      if (w == word) return true;
    }
    return false;
  }
};

}  // namespace sorato::testing
