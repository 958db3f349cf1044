#include "Expression.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "Format.h"

namespace sorato {

namespace {

// The character that starts at s[i] and its length in bytes; length 0 where the bytes
// there are no valid UTF-8 (a stray or missing continuation byte, an overlong form, a
// surrogate, beyond U+10FFFF).
std::size_t decodeUtf8(std::string_view s, std::size_t i, char32_t& c) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = byte(i);
  std::size_t n = 0;
  char32_t least = 0;
  if (b < 0x80) {
    c = b;
    return 1;
  } else if ((b & 0xE0) == 0xC0) {
    n = 2, c = b & 0x1F, least = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    n = 3, c = b & 0x0F, least = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    n = 4, c = b & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return n;
}

// Characters that show as nothing, or as a plain space, in a terminal: controls (C0 and
// C1, whose bytes a terminal would act on), spaces other than the ASCII one, joiners and
// marks of direction, the byte-order mark, variation selectors, tags and noncharacters.
bool unseen(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || c == 0x34F || c == 0x61C ||
         c == 0x115F || c == 0x1160 || c == 0x17B4 || c == 0x17B5 || c == 0x180E ||
         (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
         (c >= 0x205F && c <= 0x206F) || c == 0x3000 || c == 0x3164 ||
         (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF || c == 0xFFA0 ||
         (c >= 0xFFF0 && c <= 0xFFFB) || (c & 0xFFFE) == 0xFFFE || (c >= 0xFDD0 && c <= 0xFDEF) ||
         (c >= 0xE0000 && c <= 0xE0FFF);
}

void appendEscaped(std::string& out, char32_t c) {
  char buf[16];
  if (c > 0xFFFF) {  // as a JSON string writes it: a surrogate pair
    const char32_t v = c - 0x10000;
    std::snprintf(buf, sizeof buf, "\\u%04x\\u%04x", static_cast<unsigned>(0xD800 + (v >> 10)),
                  static_cast<unsigned>(0xDC00 + (v & 0x3FF)));
  } else {
    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
  }
  out += buf;
}

}  // namespace

// A word of the script as an error names it: at most kShown bytes of it (cut at a
// character's start, "…" marking the cut), escaped as the driver prints texts (\", \\,
// \r, \n, \t, \u00XX), and beyond that every character that cannot be seen as \uXXXX
// and every byte that is not valid UTF-8 as \xXX, so that a line of any length or
// content gives one short error line that shows what the line holds.
std::string quoted(std::string_view s) {
  constexpr std::size_t kShown = 40;
  std::string out = "'";
  std::size_t i = 0;
  while (i < s.size()) {
    char32_t c = 0;
    const std::size_t n = decodeUtf8(s, i, c);
    if (i + std::max<std::size_t>(n, 1) > kShown) break;
    if (n == 0) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x",
                    static_cast<unsigned>(static_cast<unsigned char>(s[i])));
      out += buf;
      ++i;
      continue;
    }
    if (c == '"' || c == '\\' || c == '\r' || c == '\n' || c == '\t') {
      out += jsonString(s.substr(i, 1)).substr(1, 2);
    } else if (unseen(c)) {
      appendEscaped(out, c);
    } else {
      out.append(s, i, n);
    }
    i += n;
  }
  return out + (i < s.size() ? "…'" : "'");
}

bool allDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A whole number with an optional minus sign, within [lo, hi].
bool parseInteger(std::string_view s, std::int64_t lo, std::int64_t hi, std::int64_t& out) {
  const std::string_view digits = s.starts_with('-') ? s.substr(1) : s;
  if (!allDigits(digits)) return false;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && out >= lo && out <= hi;
}

// A decimal number such as 12, -3.5 or .25, read as the nearest float: a tiny one as
// the nearest (a subnormal, or 0), one beyond the floats' range as an infinity, which the
// caller refuses as out of range.
bool parseDecimal(std::string_view s, bool allowSign, float& out) {
  std::string_view body = s;
  if (allowSign && body.starts_with('-')) body = body.substr(1);
  bool digit = false;
  int points = 0;
  for (char c : body) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.') {
      ++points;
    } else {
      return false;
    }
  }
  if (!digit || points > 1) return false;
  // strtof, not from_chars: the WebAssembly build's library reads no float with it.
  const std::string text(s);
  char* end = nullptr;
  errno = 0;
  out = std::strtof(text.c_str(), &end);
  return (errno == 0 || errno == ERANGE) && end == text.c_str() + text.size();
}

bool parseRandom(std::string_view s, float& out, std::string& why) {
  if (!parseDecimal(s, false, out)) {
    why = "not a decimal number: " + quoted(s);
    return false;
  }
  // Checked after rounding: a value just below 1 can round to 1, which is no index.
  if (!(out >= 0.0f && out < 1.0f)) {
    why = "random value " + quoted(s) + " is not below 1 as a float";
    return false;
  }
  return true;
}

namespace {

struct ListRef {
  std::string_view name;
  std::string* (*entry)(GameState&, std::size_t, std::size_t&);
};

template <auto Member>
std::string* listEntry(GameState& g, std::size_t i, std::size_t& size) {
  auto& list = g.*Member;
  size = list.size();
  return i < list.size() ? &list[i] : nullptr;
}

constexpr std::array<ListRef, 9> kLists = {{
    {"bankWord", &listEntry<&GameState::bankWord>},
    {"bankReading", &listEntry<&GameState::bankReading>},
    {"drawWord", &listEntry<&GameState::drawWord>},
    {"quizWord", &listEntry<&GameState::quizWord>},
    {"quizReading", &listEntry<&GameState::quizReading>},
    {"absentWord", &listEntry<&GameState::absentWord>},
    {"shownWord", &listEntry<&GameState::shownWord>},
    {"shownCopy", &listEntry<&GameState::shownCopy>},
    {"shownReading", &listEntry<&GameState::shownReading>},
}};

}  // namespace

std::string expressionValue(Sorato& game, std::string_view expr) {
  if (const std::size_t dot = expr.find('.'); dot != std::string_view::npos) {
    Control* named = game.ui.find(expr.substr(0, dot));
    if (named == nullptr) throw UnknownExpression{"unknown control " + quoted(expr.substr(0, dot))};
    Control& c = *named;
    const std::string_view name = expr.substr(dot + 1);
    Prop p{};
    if (!kPropNames.find(name, p) || !c.has(p)) {
      throw UnknownExpression{"control " + quoted(c.name()) + " has no property " + quoted(name)};
    }
    return propertyText(c.get(p));
  }
  GameState& g = game.state;
  if (const std::size_t open = expr.find('('); open != std::string_view::npos) {
    const std::string_view list = expr.substr(0, open);
    if (!expr.ends_with(')')) throw UnknownExpression{"malformed list entry " + quoted(expr)};
    const std::string_view index = expr.substr(open + 1, expr.size() - open - 2);
    for (const ListRef& ref : kLists) {
      if (ref.name != list) continue;
      std::size_t size = 0;
      ref.entry(g, 0, size);
      std::int64_t i = 0;
      if (!allDigits(index) || !parseInteger(index, 0, static_cast<std::int64_t>(size) - 1, i)) {
        throw UnknownExpression{"index " + quoted(index) + " is outside " + std::string(list) +
                                "(0 to " + std::to_string(size - 1) + ")"};
      }
      return jsonString(*ref.entry(g, static_cast<std::size_t>(i), size));
    }
    throw UnknownExpression{"unknown list " + quoted(list)};
  }
  const std::array<std::pair<std::string_view, const Integer*>, 5> counters = {
      {{"s", &g.s}, {"k", &g.k}, {"m3", &g.m3}, {"An", &g.An}, {"Bn", &g.Bn}}};
  for (const auto& [name, v] : counters) {
    if (name == expr) return std::to_string(*v);
  }
  const std::array<std::pair<std::string_view, const Boolean*>, 4> flags = {
      {{"st", &g.st}, {"stZ", &g.stZ}, {"Abtn", &g.Abtn}, {"peekShown", &g.peekShown}}};
  for (const auto& [name, v] : flags) {
    if (name == expr) return *v != False ? "true" : "false";
  }
  throw UnknownExpression{"unknown game variable " + quoted(expr)};
}

}  // namespace sorato
