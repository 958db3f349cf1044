#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "Control.h"

namespace sorato {

// Where a control stands, in pixels at `dpi` (1440 twips to the inch), counted from the
// inside of its container.  Each edge is rounded on its own and the size is the
// difference, so that neighbours that touch in twips touch on the screen.
struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
};

inline int twipsToPixels(double twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

// A distance on the screen in twips, unrounded: where a mouse press lies in a label.
inline float pixelsToTwips(double px, double dpi) {
  return static_cast<float>(px * 1440.0 / dpi);
}

inline PixelRect pixelRect(const Control& c, double dpiX, double dpiY) {
  const int left = twipsToPixels(c.Left, dpiX), top = twipsToPixels(c.Top, dpiY);
  return {left, top, twipsToPixels(c.Left + c.Width, dpiX) - left,
          twipsToPixels(c.Top + c.Height, dpiY) - top};
}

// A caption as a label shows it: each CR LF is a line break.
inline std::string displayText(std::string_view caption) {
  std::string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') continue;
    out += caption[i];
  }
  return out;
}

}  // namespace sorato
