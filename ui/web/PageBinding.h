#pragma once

#include <string>
#include <vector>

#include "ui/ControlModel.h"
#include "ui/Mirror.h"
#include "ui/TouchLayout.h"

namespace sorato::web {

// Mirrors the control model onto the page, property by property, as the Qt binding does
// onto widgets, and turns the page's input into model input.  Every control is an
// element of the page: labels are text, command buttons are buttons, option buttons are
// radio buttons, frames are groups; the page's script only forwards input to input()
// and scales the window to the screen.
class PageBinding : public Mirror {
 public:
  // Builds the window inside the element with the id "sorato".
  explicit PageBinding(ControlModel& model);
  ~PageBinding() override;
  PageBinding(const PageBinding&) = delete;
  PageBinding& operator=(const PageBinding&) = delete;

  // Input from the page, by control index: a click on a button or an option, and a press
  // on a label with the button that went down (the page's numbering: 0 left, 1 middle,
  // 2 right), the keys held and the position in CSS pixels.
  void clicked(int control);
  void pressed(int control, int button, bool shift, bool ctrl, bool alt, double x, double y);
  // A key pressed in the window, by the page's number of it (page.js's list: Tab, Enter,
  // Space, ArrowLeft, ArrowUp, ArrowRight, ArrowDown), as the model answers it; true if
  // the game took it.
  bool key(int key, bool shift, bool repeat);
  // The page's area in CSS pixels, whether it is a touch screen, and how much larger than
  // asked the browser draws text (its text-only zoom, a phone's text size): lays the
  // window out as the model decides for it, and says which layout that is.
  int layout(double width, double height, bool touchScreen, double textScale);
  // Puts the focus where the keyboard starts: on the selected bank option.
  void show();

  void unloaded() override;

 private:
  void apply(Control& c, Prop p) override;
  Control* focusedControl() const override;
  void focus(Control& c, FocusCause why) override;

  // Takes the layout the model decides for the page's area and the browser's text zoom;
  // true if either changed (the caller then applies the places and fonts anew).
  bool choose(double width, double height, bool touchScreen, double textScale);
  Control* control(int index) const;
  void showSelection();
  void create(Control& c);
  void setStyle(int e, const char* name, const std::string& value);
  void place(Control& c);
  void applyLook(Control& c);
  void applyFont(Control& c);
  void refreshInput();
  // The page's elements by number (kNone: a control not drawn).
  static constexpr int kNone = -1;
  int element(const Control& c) const { return elements_[index(c)]; }
  // What takes the focus of a control: the radio input of an option.
  int focusTarget(const Control& c) const { return targets_[index(c)]; }
  static std::size_t index(const Control& c) { return static_cast<std::size_t>(c.index()); }

  std::vector<int> elements_;
  std::vector<int> targets_;
  std::vector<int> captions_;    // an option's caption beside its radio button
  std::vector<int> tabIndices_;  // as last handed to the page: only a change is handed on
  LayoutKind layout_ = LayoutKind::Window;
  double textScale_ = 1;
  int window_ = kNone;  // the frame around the client area, with its title bar
  int title_ = kNone;
  bool building_ = true;                    // the window not yet on the page
  std::vector<std::string> pendingStyles_;  // by element, while it is built
};

}  // namespace sorato::web
