#pragma once

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

}  // namespace sorato::texts
