#pragma once

#include "Control.h"

namespace sorato {

namespace colours {
inline constexpr Colour Highlight{0x8000000D};
inline constexpr Colour GrayText{0x80000011};
}  // namespace colours

// The colours a control is drawn in: its ground, its text and its outline (a frame's or a
// bordered label's border, the shape).  Ordinarily the game's own.  Under a high-contrast
// scheme the system's, by what each is for, as the desktop's own controls take them: a
// button's face and text, a window's ground and text elsewhere, grey text on whatever is
// disabled, the highlight for the shape that marks the words.  A toolkit that applies
// such a scheme itself (a browser's forced colours) needs none of this.
struct DrawnColours {
  Colour ground, text, outline;
};

inline DrawnColours drawnColours(const Control& c, bool enabled, bool highContrast) {
  if (!highContrast) {
    const Colour outline = c.kind() == Kind::Shape ? c.BorderColor.get() : Colour{0x00000000};
    return {c.BackColor, c.ForeColor, outline};
  }
  const bool button = c.kind() == Kind::CommandButton;
  const Colour text = !enabled ? colours::GrayText
                      : button ? colours::ButtonText
                               : colours::WindowText;
  return {button ? colours::ButtonFace : colours::WindowBackground, text,
          c.kind() == Kind::Shape ? colours::Highlight : colours::WindowText};
}

}  // namespace sorato
