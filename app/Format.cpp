#include "Format.h"

#include <cstdio>
#include <cstdlib>

namespace sorato {

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", byte);
          out += buf;
        } else {
          out += ch;
        }
    }
  }
  out += '"';
  return out;
}

std::string colourText(Colour c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "&H%08X", static_cast<unsigned>(c.value));
  return buf;
}

// The fewest decimals that read back as the same float, in fixed notation.  (Written
// with snprintf, not to_chars: the C++ library of the WebAssembly build has no
// floating-point to_chars, and both builds must print alike.)
std::string decimalText(float v) {
  char buf[512];
  for (int decimals = 0; decimals <= 60; ++decimals) {
    std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(v));
    if (std::strtof(buf, nullptr) == v) break;
  }
  return buf;
}

std::string propertyText(const PropValue& v) {
  struct Visitor {
    std::string operator()(bool b) const { return b ? "true" : "false"; }
    std::string operator()(std::int32_t i) const { return std::to_string(i); }
    std::string operator()(float f) const { return decimalText(f); }
    std::string operator()(const std::string& s) const { return jsonString(s); }
    std::string operator()(Colour c) const { return colourText(c); }
  };
  return std::visit(Visitor{}, v);
}

}  // namespace sorato
