#pragma once

#include <string>
#include <string_view>

// What the game says, character for character: the full-width "？", "！" and "。" are
// part of the texts.
namespace sorato::texts {

inline constexpr std::string_view Start = "始";
inline constexpr std::string_view Stop = "止";
inline constexpr std::string_view Resume = "再";
inline constexpr std::string_view StartTip = "始めます。";
inline constexpr std::string_view PrepareOneByOne = "下の言葉を記憶してください。では始めます。";
inline constexpr std::string_view PrepareAllAtOnce = "下の言葉を記憶してください。始めます。";
inline constexpr std::string_view DisplayOver = "よろしいですか？ では質問です。";
inline constexpr std::string_view Question = "この言葉は在りましたか？";
inline constexpr std::string_view QuestionsOver = "以上です。";
inline constexpr std::string_view ShownHeading = "在った言葉";
inline constexpr std::string_view AbsentHeading = "無かった言葉";
inline constexpr std::string_view CircleMark = "○ ";
inline constexpr std::string_view Circle = "○";
inline constexpr std::string_view CrossMark = "× ";
inline constexpr std::string_view CrLf = "\r\n";

// A multi-line caption: the lines joined with CR LF, with none after the last (an empty
// last line gives a closing break); an empty entry gives an empty line.
template <typename Lines>
std::string JoinLines(const Lines& lines) {
  std::string text;
  bool first = true;
  for (const auto& line : lines) {
    if (!first) text += CrLf;
    text += line;
    first = false;
  }
  return text;
}

}  // namespace sorato::texts
