#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sorato {

// The game's counters are 16-bit integers and its flags 16-bit Booleans, True = -1 and
// False = 0, flipped with a bitwise NOT: a counter past 32767 wraps to -32768, and NOT
// turns True into False and False into True (and any other value into a third one).
using Integer = std::int16_t;
using Boolean = std::int16_t;
inline constexpr Boolean True = -1;
inline constexpr Boolean False = 0;
constexpr Boolean Not(Boolean b) {
  return static_cast<Boolean>(~b);
}

// Everything a game remembers, beside the controls: counters and flags, the fixed-size
// word lists (an empty string is "no word"), and the peek flag, which no new game resets.
struct GameState {
  Integer s = 0;         // ticks of the current display step, 0 to 5
  Integer k = 0;         // index into shownWord of the word shown one at a time, 0 to 9
  Integer m3 = 0;        // index of the next question, 0 to 20
  Integer An = 0;        // shown words answered "yes", 0 to 10
  Integer Bn = 0;        // words not shown that were not answered "no", 0 to 10
  Boolean st = False;    // one-at-a-time display running or ended
  Boolean stZ = False;   // all-at-once display running or ended
  Boolean Abtn = False;  // the 20th question is answered and the answer not yet shown

  std::array<std::string, 100> bankWord;
  std::array<std::string, 100> bankReading;
  std::array<std::string, 20> drawWord;
  std::array<std::string, 20> quizWord;
  std::array<std::string, 20> quizReading;
  std::array<std::string, 20> absentWord;
  std::array<std::string, 10> shownWord;
  std::array<std::string, 10> shownCopy;
  std::array<std::string, 10> shownReading;

  Boolean peekShown = False;
};

// Empties the lists of one game; the banks, the counters and the flags stay.
void ClearGame(GameState& g);

// Copies the hiragana words into bankWord; bankReading keeps what it held.
void LoadHiraganaBank(GameState& g);
// Copies the kanji words into bankWord and their readings into bankReading.
void LoadKanjiBank(GameState& g);

}  // namespace sorato
