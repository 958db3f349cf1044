#pragma once

#include <windows.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "ControlWindows.h"
#include "Resources.h"
#include "Text.h"
#include "ui/ControlModel.h"
#include "ui/Mirror.h"

namespace sorato::win32 {

// Mirrors the control model onto plain Win32 windows (ControlWindows), property by
// property, and turns the user's input into model input, as the Qt and page bindings do.
// It decides nothing: enabled, visible, captions, the selection of the option buttons,
// what each key does and where the focus goes all come from the model.
class WindowBinding : public Mirror, private WindowInput {
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
  // The keys the model acts on (Tab, the arrow keys, Space and Return), taken before a
  // control sees them; true if it took the message.
  bool preTranslate(const MSG& msg);
  // The screen's dots per inch the window is laid out for.
  int dpi() const { return dpi_; }
  // The lines a label shows now, as it draws them.
  std::vector<std::wstring> labelLines(const Control& label);
  // The face a control's font was made with.
  std::wstring faceOf(const Control& c);
  // The tooltips' window.
  HWND tips() const { return tips_; }
  // Whether the window is drawn in a high-contrast scheme's colours: as Windows says at
  // the start and whenever the scheme or its colours change, or as handed in.
  void setHighContrast(bool on);
  static bool schemeIsHighContrast();

  void unloaded() override;

 private:
  void apply(Control& c, Prop p) override;
  Control* focusedControl() const override;
  void focus(Control& c, FocusCause why) override;

  void labelPressed(HWND label, UINT message, WPARAM keys, LPARAM at) override;
  void focusTaken(HWND control) override { lastFocus_ = control; }
  LRESULT containerMessage(HWND h, UINT m, WPARAM w, LPARAM l) override;
  LRESULT formMessage(HWND h, UINT m, WPARAM w, LPARAM l);

  void place(Control& c);
  void placeAll();
  void stack(Control& container);
  void redrawUnder(Control& c);
  void setToolTip(Control& c);
  void dpiChanged(int dpi, const RECT* suggested);
  static std::size_t index(const Control& c) { return static_cast<std::size_t>(c.index()); }

  std::array<HWND, ControlModel::kControlCount + 1> handles_{};
  Resources resources_;
  HWND tips_ = nullptr;
  std::set<HWND> tipped_;     // the controls the tooltip knows
  HWND lastFocus_ = nullptr;  // the control that had the keyboard focus last
  int dpi_ = 96;
};

}  // namespace sorato::win32
