#pragma once

#include <windows.h>

namespace sorato::win32 {

// A window whose new text screen readers read as it comes, wherever the focus is (a live
// region, Windows 8 and later; elsewhere they hear the name change alone).
void markLive(HWND h);
// Tells them that the text of a live region has changed.
void announce(HWND h);

}  // namespace sorato::win32
