// The two fixed banks and their loading.

#include <gtest/gtest.h>

#include <set>

#include "banks/WordBanks.h"
#include "game/GameState.h"

namespace sorato {
namespace {

std::size_t characters(std::string_view utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

bool inBlock(std::string_view utf8, char32_t lo, char32_t hi) {
  // Every character is three bytes of UTF-8 in these banks.
  if (utf8.size() % 3 != 0) return false;
  for (std::size_t i = 0; i < utf8.size(); i += 3) {
    const auto b = [&](std::size_t k) {
      return static_cast<char32_t>(static_cast<unsigned char>(utf8[i + k]));
    };
    const char32_t cp = ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    if (cp < lo || cp > hi) return false;
  }
  return true;
}

TEST(WordBanks, HiraganaWordsAreDistinctHiraganaOfTwoToFiveCharacters) {
  std::set<std::string_view> seen(kHiraganaBank.begin(), kHiraganaBank.end());
  EXPECT_EQ(seen.size(), 100u);
  for (std::string_view w : kHiraganaBank) {
    EXPECT_TRUE(inBlock(w, U'\u3041', U'\u309F')) << w;
    EXPECT_GE(characters(w), 2u) << w;
    EXPECT_LE(characters(w), 5u) << w;
  }
}

TEST(WordBanks, KanjiWordsAndReadingsAreDistinct) {
  std::set<std::string_view> words, readings;
  for (const KanjiEntry& e : kKanjiBank) {
    words.insert(e.word);
    readings.insert(e.reading);
    EXPECT_TRUE(inBlock(e.word, U'\u4E00', U'\u9FFF')) << e.word;
    EXPECT_TRUE(inBlock(e.reading, U'\u3041', U'\u309F')) << e.reading;
    EXPECT_GE(characters(e.word), 1u);
    EXPECT_LE(characters(e.word), 3u);
    EXPECT_GE(characters(e.reading), 2u);
    EXPECT_LE(characters(e.reading), 7u);
  }
  EXPECT_EQ(words.size(), 100u);
  EXPECT_EQ(readings.size(), 100u);
}

// Entries where the order is not the sorted one, and the ends of each bank.
TEST(WordBanks, OrderOfTheTables) {
  struct Row {
    std::size_t index;
    std::string_view word;
  };
  for (const Row& r :
       {Row{0, "あいろん"}, Row{32, "ししまい"}, Row{33, "しくらめん"}, Row{71, "はんこ"},
        Row{72, "はくさい"}, Row{74, "ぴえろ"}, Row{99, "わかめ"}}) {
    EXPECT_EQ(kHiraganaBank[r.index], r.word) << r.index;
  }
  struct KanjiRow {
    std::size_t index;
    std::string_view word, reading;
  };
  for (const KanjiRow& r :
       {KanjiRow{0, "合鍵", "あいかぎ"}, KanjiRow{6, "牛", "うし"}, KanjiRow{23, "熊", "くま"},
        KanjiRow{47, "大宰府", "だざいふ"}, KanjiRow{77, "檜", "ひのき"},
        KanjiRow{85, "望遠鏡", "ぼうえんきょう"}, KanjiRow{87, "北極星", "ほっきょくせい"},
        KanjiRow{99, "草鞋", "わらじ"}}) {
    EXPECT_EQ(kKanjiBank[r.index].word, r.word) << r.index;
    EXPECT_EQ(kKanjiBank[r.index].reading, r.reading) << r.index;
  }
}

TEST(WordBanks, HiraganaLoadLeavesTheKanjiReadings) {
  GameState g;
  LoadKanjiBank(g);
  EXPECT_EQ(g.bankWord[60], "納豆");
  LoadHiraganaBank(g);
  EXPECT_EQ(g.bankWord[60], "なっとう");
  EXPECT_EQ(g.bankReading[60], "なっとう");  // left over, and never read in a hiragana game
  for (std::size_t i = 0; i < kBankSize; ++i) EXPECT_EQ(g.bankWord[i], kHiraganaBank[i]);
}

}  // namespace
}  // namespace sorato
