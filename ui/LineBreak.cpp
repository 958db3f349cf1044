#include "LineBreak.h"

namespace sorato {

namespace {

bool inWord(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') ||
         c == U'/' || c == U'.' || c == U',' || c == U':' || c == U'%' || c == U'-' || c == U'\'' ||
         (c >= U'０' && c <= U'９');
}

// May not start a line.
bool closing(char32_t c) {
  static constexpr std::u32string_view kClosing =
      U"、。，．・：；？！ー―‥…」』）］｝〕〉》】ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ)]}!?";
  return kClosing.find(c) != std::u32string_view::npos;
}

// May not end a line.
bool opening(char32_t c) {
  static constexpr std::u32string_view kOpening = U"「『（［｛〔〈《【([{";
  return kOpening.find(c) != std::u32string_view::npos;
}

// The text cut into the pieces a line may not break inside.
std::vector<std::u32string_view> units(std::u32string_view line) {
  std::vector<std::u32string_view> out;
  std::size_t i = 0;
  while (i < line.size()) {
    std::size_t end = i + 1;
    if (inWord(line[i])) {
      while (end < line.size() && inWord(line[end])) ++end;
    }
    // Whatever may not start a line holds on to the unit before it.
    while (end < line.size() && closing(line[end])) ++end;
    // An opening bracket holds on to the unit after it.
    if (opening(line[end - 1]) && end < line.size()) {
      const std::size_t from = end;
      ++end;
      if (inWord(line[from])) {
        while (end < line.size() && inWord(line[end])) ++end;
      }
      while (end < line.size() && closing(line[end])) ++end;
    }
    out.push_back(line.substr(i, end - i));
    i = end;
  }
  return out;
}

}  // namespace

std::vector<std::u32string> breakLines(std::u32string_view text, double limit,
                                       const std::function<double(std::u32string_view)>& width) {
  std::vector<std::u32string> lines;
  std::size_t from = 0;
  for (;;) {
    const std::size_t end = text.find(U"\r\n", from);
    const std::u32string_view paragraph = text.substr(
        from, end == std::u32string_view::npos ? std::u32string_view::npos : end - from);
    std::u32string line;
    for (std::u32string_view unit : units(paragraph)) {
      if (!line.empty() && width(line + std::u32string(unit)) > limit) {
        while (!line.empty() && line.back() == U' ') line.pop_back();
        lines.push_back(line);
        line.clear();
        if (unit == U" ") continue;  // a space at the break is dropped
      }
      line += unit;
    }
    lines.push_back(line);
    if (end == std::u32string_view::npos) break;
    from = end + 2;
  }
  return lines;
}

std::u32string toUtf32(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < n && i + static_cast<std::size_t>(k) < s.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
    }
    out += c;
    i += static_cast<std::size_t>(n);
  }
  return out;
}

std::string toUtf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace sorato
