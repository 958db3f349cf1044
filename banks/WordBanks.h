#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace sorato {

inline constexpr std::size_t kBankSize = 100;

struct KanjiEntry {
  std::string_view word;
  std::string_view reading;
};

// The two fixed banks, in their own order (roughly that of the syllabary, not sorted).
// Within a bank every word is distinct, and in the kanji bank every reading too: a game
// recognises its words by their text.
extern const std::array<std::string_view, kBankSize> kHiraganaBank;
extern const std::array<KanjiEntry, kBankSize> kKanjiBank;

}  // namespace sorato
