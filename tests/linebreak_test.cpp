// Breaking a label's text into lines where the toolkit has no Japanese line breaking.

#include "ui/LineBreak.h"

#include <gtest/gtest.h>

namespace sorato {
namespace {

// Half-width characters are one unit wide, all others two, as in a Japanese face.
double cells(std::u32string_view s) {
  double w = 0;
  for (char32_t c : s) w += c < 0x100 ? 1 : 2;
  return w;
}

std::vector<std::string> broken(std::string_view text, double limit) {
  std::vector<std::string> out;
  for (const std::u32string& line : breakLines(toUtf32(text), limit, cells))
    out.push_back(toUtf8(line));
  return out;
}

TEST(LineBreak, JapaneseBreaksBetweenCharactersNumbersAndWordsNever) {
  using V = std::vector<std::string>;
  struct Row {
    const char* name;
    const char* text;
    double limit;
    V lines;
  };
  const Row rows[] = {
      {"fits", "いるか", 6, {"いるか"}},
      {"between characters", "あいうえお", 6, {"あいう", "えお"}},
      {"CR LF ends a line, empty lines kept", "いか\r\n\r\nくじら", 10, {"いか", "", "くじら"}},
      {"a number stays whole", "あい20", 5, {"あい", "20"}},
      {"a score stays whole", "できました : 7/10", 13, {"できました :", "7/10"}},
      {"closing punctuation holds on", "あいう。え", 6, {"あい", "う。え"}},
      {"a small kana does not start a line", "あいちょ", 6, {"あい", "ちょ"}},
      {"an opening bracket does not end a line", "あい『う』", 6, {"あい", "『う』"}},
      {"a unit wider than the line stands alone", "12345678", 4, {"12345678"}},
      {"a space at the break is dropped", "ab cd", 3, {"ab", "cd"}},
      {"nothing at all", "", 4, {""}},
  };
  for (const Row& r : rows) EXPECT_EQ(broken(r.text, r.limit), r.lines) << r.name;
}

TEST(LineBreak, Utf8RoundTrip) {
  const std::string text = "無かった言葉 ○ × 『 ‥ A1 \xF0\x9F\x98\x80";
  EXPECT_EQ(toUtf8(toUtf32(text)), text);
  EXPECT_EQ(toUtf32("あa").size(), 2u);
}

}  // namespace
}  // namespace sorato
