#pragma once

#include <cstdint>
#include <string_view>

#include "Names.h"

namespace sorato {

enum class Event : std::uint8_t { Load, Click, Timer, MouseDown };
inline constexpr int kEventCount = 4;

inline constexpr NameTable<Event, kEventCount> kEventNames{{"Load", "Click", "Timer", "MouseDown"}};

// Bit masks of a mouse press, as a label's MouseDown carries them.
namespace mouse {
inline constexpr std::int16_t Left = 1, Right = 2, Middle = 4;
inline constexpr std::int16_t Shift = 1, Ctrl = 2, Alt = 4;

// The button that went down, as every toolkit names it.
enum class Button { Left, Right, Middle, Other };

constexpr std::int16_t buttonMask(Button b) {
  switch (b) {
    case Button::Left: return Left;
    case Button::Right: return Right;
    case Button::Middle: return Middle;
    case Button::Other: break;
  }
  return 0;
}

constexpr std::int16_t keyMask(bool shift, bool ctrl, bool alt) {
  return static_cast<std::int16_t>((shift ? Shift : 0) | (ctrl ? Ctrl : 0) | (alt ? Alt : 0));
}
}  // namespace mouse

class Control;

// The keys the window acts on itself; every other key is the toolkit's.
enum class Key { Tab, BackTab, Return, Space, Left, Up, Right, Down, Other };

// What a key press does, as the control model answers it (ControlModel::keyDown).
struct KeyAction {
  enum What {
    Toolkit,  // the toolkit's own doing
    Nothing,  // swallowed: nothing happens
    Press,    // a click on `target`, the focused command button
    Select,   // a click on the option button `target`, which then takes the focus
    Focus,    // the focus moves to `target`
  };
  What what = Toolkit;
  Control* target = nullptr;
};

// The arguments of MouseDown; the other events carry none.
struct MouseArgs {
  std::int16_t button = 0;
  std::int16_t shift = 0;
  float x = 0;
  float y = 0;
};

}  // namespace sorato
