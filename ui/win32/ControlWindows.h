#pragma once

#include <windows.h>

#include "ui/Control.h"

namespace sorato::win32 {

// What the control windows hand to the binding that made them.
class WindowInput {
 public:
  // A mouse button went down on a label's window (WM_xBUTTONDOWN, or its double-click).
  virtual void labelPressed(HWND label, UINT message, WPARAM keys, LPARAM at) = 0;
  // A button or an option button took the keyboard focus.
  virtual void focusTaken(HWND control) = 0;
  // A message to the window or a frame.
  virtual LRESULT containerMessage(HWND h, UINT m, WPARAM w, LPARAM l) = 0;

 protected:
  ~WindowInput() = default;
};

// The window of a control of `kind` inside `parent` (none for the window itself), bare:
// its place, text and the rest come from the model.  The window and the frames are of
// classes of their own; a label is a STATIC that draws nothing (its container paints it)
// but gives screen readers its text and the mouse its presses; a command button is an
// owner-drawn BUTTON, an option button a radio BUTTON.  Null for the timers and the shape.
HWND createControlWindow(Kind kind, HWND parent, WindowInput& input);

}  // namespace sorato::win32
