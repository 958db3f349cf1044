#include "Expression.h"

#include <array>
#include <charconv>

#include "Format.h"

namespace sorato {

// A word of the script as an error names it: at most kShown bytes of it (cut at a
// character's start, "…" marking the cut), escaped as the driver prints texts (control
// bytes as \u00XX), so that a line of any length or content gives one short, readable
// error line.
std::string quoted(std::string_view s) {
  constexpr std::size_t kShown = 40;
  std::size_t n = s.size();
  if (n > kShown) {
    n = kShown;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  }
  const std::string escaped = jsonString(s.substr(0, n));  // within its double quotes
  return "'" + escaped.substr(1, escaped.size() - 2) + (n < s.size() ? "…'" : "'");
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
