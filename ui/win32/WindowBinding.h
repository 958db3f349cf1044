#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "ui/ControlModel.h"
#include "ui/Mirror.h"

namespace sorato::win32 {

// Mirrors the control model onto plain Win32 controls, property by property, and turns
// the user's input into model input, as the Qt and page bindings do.  It decides nothing:
// enabled, visible, captions, the selection of the option buttons, the keyboard's way
// through the window and where the focus goes all come from the model.
//
// The window and its frames are windows of their own classes, which paint their ground,
// their border, the shape and their labels (labels lie below everything else, and may
// lie over each other); each label also has a STATIC window of its own, which draws
// nothing but gives screen readers its text and the mouse its presses.  Command buttons
// are owner-drawn BUTTONs (filled with their colour), option buttons plain radio BUTTONs.
class WindowBinding : public Mirror {
 public:
  explicit WindowBinding(ControlModel& model);
  ~WindowBinding() override;
  WindowBinding(const WindowBinding&) = delete;
  WindowBinding& operator=(const WindowBinding&) = delete;

  HWND window() const { return handles_[0]; }
  // The window of a control; null for the timers and the shape.
  HWND handleOf(const Control& c) const { return handles_[index(c)]; }
  Control* controlOf(HWND h) const;
  // Shows the window with the focus on the selected bank option.
  void show(int how = SW_SHOWNORMAL);
  // The keys the window handles itself before a control sees them (Tab, Shift+Tab, the
  // arrow keys on an option button, Enter on a button); true if it took the message.
  bool preTranslate(const MSG& msg);
  // The screen's dots per inch the window is laid out for.
  int dpi() const { return dpi_; }
  // The lines a label shows now, as it draws them.
  std::vector<std::wstring> labelLines(const Control& label);
  // The face a control's font was made with.
  std::wstring faceOf(const Control& c);
  // The tooltips' window.
  HWND tips() const { return tips_; }

  void unloaded() override;

 private:
  void apply(Control& c, Prop p) override;
  Control* focusedControl() const override;
  void focus(Control& c) override;

  static LRESULT CALLBACK containerProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK labelProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT container(Control& c, HWND h, UINT m, WPARAM w, LPARAM l);
  void create(Control& c);
  void place(Control& c);
  void placeAll();
  void stack(Control& container);
  void redrawUnder(Control& c);
  void paintContainer(Control& c, HDC dc);
  void paintLabel(Control& label, HDC dc);
  void drawButton(Control& c, const DRAWITEMSTRUCT& d);
  void pressed(Control& label, UINT message, WPARAM keys, LPARAM at);
  void setToolTip(Control& c);
  void makeTipFont();
  void dpiChanged(int dpi, const RECT* suggested);
  RECT pixelRect(const Control& c) const;
  HFONT fontOf(const Control& c);
  HBRUSH brushOf(Colour colour);
  static std::size_t index(const Control& c) { return static_cast<std::size_t>(c.index()); }

  std::array<HWND, ControlModel::kControlCount + 1> handles_{};
  HWND tips_ = nullptr;
  HFONT tipFont_ = nullptr;
  HWND lastFocus_ = nullptr;  // the control that had the keyboard focus last
  std::set<HWND> tipped_;     // the controls the tooltip knows
  int dpi_ = 96;
  struct Font {
    HFONT handle;
    std::wstring face;  // the face it was made with
    int extra;          // pixels between characters: narrower for a wider stand-in
  };
  const Font& fontInfo(const Control& c);
  std::map<std::tuple<std::string, float, bool, int>, Font> fonts_;
  std::map<std::uint32_t, HBRUSH> brushes_;
};

// UTF-8 to UTF-16 and back.
std::wstring wide(std::string_view s);
std::string narrow(std::wstring_view s);

}  // namespace sorato::win32
