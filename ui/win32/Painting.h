#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Resources.h"
#include "ui/ControlModel.h"

namespace sorato::win32 {

// How the window draws what Windows does not draw for it: the window and its frames
// paint their ground, their border, the shape and their labels (labels lie below every
// other control, and may lie over each other); command buttons are owner-drawn.

// Where a control's window stands in its parent's, in pixels at `dpi`.
RECT placeOf(const Control& c, int dpi);
// The lines a label shows, as it draws them: broken between characters to its width.
std::vector<std::wstring> labelLines(const Control& label, Resources& resources, int dpi);
// A container: its ground, its shown labels and shape bottom first, and a frame's border.
void paintContainer(const ControlModel& model, Control& c, HWND h, HDC dc, Resources& resources,
                    int dpi);
// A command button filled with its own colour, also when disabled (then only its caption
// greys), its caption centred on one line.
void drawButton(Control& c, const DRAWITEMSTRUCT& d, Resources& resources, int dpi);

}  // namespace sorato::win32
