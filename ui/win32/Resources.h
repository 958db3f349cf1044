#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "ui/Control.h"

namespace sorato::win32 {

// The model's colour as GDI's, the system colours resolved.
COLORREF colorref(Colour c);

// The GDI objects the window draws with, each made once and kept until the window goes:
// the controls' fonts at a screen's DPI, the brushes of their colours, and the font of
// the tooltips.
class Resources {
 public:
  Resources() = default;
  ~Resources();
  Resources(const Resources&) = delete;
  Resources& operator=(const Resources&) = delete;

  struct Font {
    HFONT handle;
    std::wstring face;  // the face it was made with
    int extra;          // pixels between characters: closer for a narrowed stand-in
  };
  // A control's font: the first face of its list that the PC has (else the system's
  // Japanese face), at the control's size, a stand-in narrowed to fit.
  const Font& font(const Control& c, int dpi);
  // Under a high-contrast scheme the system colours are the scheme's (GetSysColor);
  // otherwise the usual ones the game was made with.
  void setHighContrast(bool on) { highContrast_ = on; }
  bool highContrast() const { return highContrast_; }
  COLORREF rgb(Colour colour) const;
  HBRUSH brush(Colour colour);
  // One font for every tooltip: the system's, where it has Japanese glyphs; else the
  // window's Japanese face at the size of the system's.
  HFONT tipFont(int dpi);

 private:
  std::map<std::tuple<std::string, float, bool, int>, Font> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  std::map<int, HFONT> tipFonts_;
  bool highContrast_ = false;
};

}  // namespace sorato::win32
