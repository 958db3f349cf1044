#pragma once

#include <array>
#include <string_view>

#include "Control.h"

// The window of this game laid out for fingers, as data beside Form1's own rows: on a
// touch screen too small for the window's layout to give finger-sized targets, the same
// controls stand where a finger can press each of them, upright or sideways.  Positions
// and sizes are CSS pixels of a design area (360 x 640 upright, 640 x 360 sideways) that
// a front end scales to the screen as a whole, counted from the inside of the container
// as in the window; font sizes are points.  Every button and option is at least 48 x 48,
// so that at the smallest screen each still answers a press anywhere in a 44 x 44 square
// round its centre; no two of them, and no two texts shown together, overlap.
namespace sorato {

class ControlModel;

enum class LayoutKind { Window, Upright, Sideways };

// Where a control stands in a touch layout.  A row with a placement (twips) applies while
// the game has the control there: the all-at-once frame, as created, lies beyond the
// area's right edge as it does beyond the window's, until the game moves it into view.
struct TouchSpot {
  std::string_view name;
  float left = 0, top = 0, width = 0, height = 0;
  float fontSize = 0;  // 0: the control's own
  bool placed = false;
  float fromLeft = 0, fromTop = 0;
};

namespace touch {

// A finger's square, in CSS pixels, and the design areas.
inline constexpr double kFinger = 44;
inline constexpr int kUprightWidth = 360, kUprightHeight = 640;

constexpr TouchSpot spot(std::string_view name, float left, float top, float width, float height,
                         float size = 0) {
  return {name, left, top, width, height, size};
}
constexpr TouchSpot whilePlaced(TouchSpot s, float left, float top) {
  s.placed = true;
  s.fromLeft = left;
  s.fromTop = top;
  return s;
}

// clang-format off
inline constexpr std::array<TouchSpot, 35> kUpright = {
  spot("Frame1", 0, 0, 360, 124),
  spot("Frame2", 4, 4, 102, 50),
  spot("Option1", 0, 0, 50, 48, 15),
  spot("Option2", 50, 0, 50, 48, 15),
  spot("btn1Jun", 110, 4, 120, 50, 13.5f),
  spot("btn2Jun", 234, 4, 120, 50, 13.5f),
  spot("Frame3", 4, 58, 102, 50),
  spot("Option3", 0, 0, 50, 48, 15),
  spot("Option4", 50, 0, 50, 48, 15),
  spot("btnST", 110, 58, 56, 50),
  spot("btnQ", 170, 58, 56, 50),
  spot("btnA", 230, 58, 56, 50),
  spot("btnEND", 290, 58, 64, 50),
  spot("lblSTn", 110, 108, 56, 14),
  spot("lblQn", 170, 108, 56, 14),
  spot("lbl2", 2, 128, 356, 18, 12),
  spot("lbl1h", 2, 150, 356, 24),
  spot("lbl1", 2, 176, 356, 52),
  spot("Shape1", 50, 146, 260, 86),
  spot("lblRM", 2, 128, 356, 440, 12),
  spot("lblA", 2, 148, 116, 196, 12),
  spot("lblB", 2, 348, 116, 196, 12),
  spot("lblC", 122, 148, 120, 164, 12),
  spot("lblD", 246, 148, 112, 324, 12),
  spot("lblAn", 122, 480, 236, 22, 15),
  spot("lblBn", 122, 506, 236, 22, 15),
  spot("btnY", 54, 576, 148, 60),
  spot("btnN", 208, 576, 148, 60),
  spot("lblKng", 2, 594, 44, 44),
  spot("frmZnb", 2, 124, 356, 300),
  whilePlaced(spot("frmZnb", 360, 124, 356, 300), 9120, 1560),
  spot("lbl2Z", 0, 0, 356, 44),
  spot("lblAZ", 4, 48, 170, 248, 18),
  spot("lblBZ", 182, 48, 170, 248, 18),
  spot("Form1", 0, 0, 360, 640),
};

inline constexpr std::array<TouchSpot, 35> kSideways = {
  spot("Frame1", 0, 0, 112, 360),
  spot("Frame2", 4, 4, 102, 50),
  spot("Option1", 0, 0, 50, 48, 15),
  spot("Option2", 50, 0, 50, 48, 15),
  spot("btn1Jun", 4, 58, 102, 50, 13.5f),
  spot("btn2Jun", 4, 112, 102, 50, 13.5f),
  spot("Frame3", 4, 166, 102, 50),
  spot("Option3", 0, 0, 50, 48, 15),
  spot("Option4", 50, 0, 50, 48, 15),
  spot("btnST", 4, 220, 50, 50),
  spot("btnQ", 56, 220, 50, 50),
  spot("lblSTn", 4, 270, 50, 14),
  spot("lblQn", 56, 270, 50, 14),
  spot("btnA", 4, 288, 50, 50),
  spot("btnEND", 56, 288, 50, 50, 15),
  spot("lbl2", 116, 2, 522, 24),
  spot("lbl1h", 116, 40, 408, 24),
  spot("lbl1", 116, 66, 408, 56),
  spot("Shape1", 180, 36, 280, 90),
  spot("lblRM", 116, 30, 522, 280, 12),
  spot("lblA", 116, 30, 116, 196, 12),
  spot("lblC", 236, 30, 120, 164, 12),
  spot("lblB", 360, 30, 116, 196, 12),
  spot("lblD", 480, 30, 112, 324, 12),
  spot("lblAn", 116, 230, 360, 24),
  spot("lblBn", 116, 256, 360, 24),
  spot("btnY", 170, 284, 150, 56),
  spot("btnN", 326, 284, 150, 56),
  spot("lblKng", 116, 312, 44, 44),
  spot("frmZnb", 116, 0, 524, 268),
  whilePlaced(spot("frmZnb", 640, 0, 524, 268), 9120, 1560),
  spot("lbl2Z", 0, 4, 520, 26),
  spot("lblAZ", 4, 34, 250, 230, 16.5f),
  spot("lblBZ", 262, 34, 250, 230, 16.5f),
  spot("Form1", 0, 0, 640, 360),
};
// clang-format on

}  // namespace touch

// The layout for a page area of `width` x `height` CSS pixels: a touch layout where the
// screen is a touch screen and the window's own layout, scaled to the area, would make
// some button or option smaller than a finger; upright or sideways by the area's shape.
LayoutKind layoutFor(const ControlModel& model, double width, double height, bool touchScreen);

// Where `c` stands in a touch layout, by the game's current placement of it.
const TouchSpot& touchSpot(LayoutKind layout, const Control& c);

// The client area, in twips, that holds every control the window shows, wherever the game
// has put it (a hidden frame aside): what a maximized window needs at the least.
struct Extent {
  float width = 0, height = 0;
};
Extent wholeClient(const ControlModel& model);

// A point inside `c` in the touch layout's pixels, as twips of the control's own size:
// where a press lies in a label (0 where the layout gives the control no size).
struct TwipPoint {
  float x = 0, y = 0;
};
TwipPoint touchToTwips(LayoutKind layout, const Control& c, double x, double y);

}  // namespace sorato
