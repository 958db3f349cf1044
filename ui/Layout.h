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

// The width of the single-line border of a frame or a label (BorderStyle 1), in pixels.
inline int borderWidth(const Control& c) {
  return c.has(Prop::BorderStyle) && c.BorderStyle == 1 ? 1 : 0;
}

// Where a control stands from its container's outer edge, where a toolkit places it: a
// frame's children count from within its border.
inline PixelRect pixelRectInParent(const Control& c, double dpiX, double dpiY) {
  PixelRect r = pixelRect(c, dpiX, dpiY);
  if (const Control* in = c.container(); in != nullptr && in->kind() == Kind::Frame) {
    r.left += borderWidth(*in);
    r.top += borderWidth(*in);
  }
  return r;
}

// How a label lines up its text (Alignment 0, 1, 2).
enum class TextAlign { Left, Right, Centre };
inline TextAlign textAlign(const Control& label) {
  switch (label.Alignment) {
    case 1: return TextAlign::Right;
    case 2: return TextAlign::Centre;
    default: return TextAlign::Left;
  }
}

// The shape's outline is dashed for its style 2, else solid.
inline bool dashedOutline(const Control& shape) {
  return shape.BorderStyle == 2;
}

// A label's lines stand one em apart, in pixels at `dpi`: the spacing of the faces the
// window's labels were measured in, whatever the face in use adds between lines.
inline int lineStep(const Control& label, double dpi) {
  return static_cast<int>(std::lround(label.FontSize * dpi / 72.0));
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
