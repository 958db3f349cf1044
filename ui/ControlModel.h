#pragma once

#include <array>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "Control.h"
#include "Event.h"
#include "ModelObserver.h"

namespace sorato {

// The window Form1 and its 35 controls, created from the rows of the window (Form1.h),
// and the rules each kind of control follows: option groups, enabled and visible frames,
// which input raises which event, where the keyboard goes and what a screen reader
// hears.  It knows nothing of any toolkit: a binding mirrors it onto widgets or a page
// and asks it every question of the window, and the driver and the tests use it as it is.
class ControlModel {
 public:
  using Handler = std::function<void(const MouseArgs&)>;
  static constexpr int kControlCount = 35;

 private:
  // Declared before the controls: each control enrolls itself as it is created.
  friend class Control;
  int enroll(Control* c);
  void propertyWritten(Control& c, Prop p);

  std::array<Control*, kControlCount + 1> all_{};
  std::size_t count_ = 0;
  std::vector<Control*> tabOrder_;
  std::vector<Control*> readingOrder_;
  std::vector<Control*> announced_;
  bool handling_ = false;
  std::vector<Control*> enabledByHandler_;
  std::array<std::array<Handler, kEventCount>, kControlCount + 1> handlers_{};
  std::vector<ModelObserver*> observers_;
  bool unloaded_ = false;

 public:
  ControlModel();
  ControlModel(const ControlModel&) = delete;
  ControlModel& operator=(const ControlModel&) = delete;

  // Members in the order of the window's rows.
  Control Form1;
  Control frmZnb, Timer1, btnN, btnY, Frame1, lblRM, lblKng, Shape1, lblD, lblC, lblBn, lblAn, lblB,
      lblA, lbl1h, lbl2, lbl1;
  Control Timer2, lbl2Z, lblBZ, lblAZ;
  Control btn1Jun, btn2Jun, Frame3, Frame2, btnEND, btnA, btnQ, btnST, lblQn, lblSTn;
  Control Option3, Option4;
  Control Option2, Option1;

  // The window and its controls, in creation order (the window first).
  std::span<Control* const> all() const { return {all_.data(), count_}; }
  Control* find(std::string_view name) const;
  // The children of a container, in containment order.
  std::vector<Control*> childrenOf(const Control& container) const;
  // The focusable controls in keyboard order.
  std::span<Control* const> tabOrder() const { return tabOrder_; }
  // The children of a container in the order a screen reader reads them: as a person
  // reads the window, the top row first and, within it, in the tab order.  The timers
  // and the decorative shape are not read.
  std::vector<Control*> readingChildrenOf(const Control& container) const;
  // Whether a screen reader announces the changes of a label as they happen, wherever
  // the focus is: the word of the display and the question.
  bool announcesChanges(const Control& c) const;

  // The children of a container from the bottom of the stack to the top: buttons, option
  // buttons and frames lie above the labels and the shape; within each sort the one
  // created earlier lies above.
  std::vector<Control*> stackingOrderOf(const Control& container) const;
  // Whether a control is of a kind that can hold the keyboard focus: a command or an
  // option button.
  static bool focusable(const Control& c) {
    return c.kind() == Kind::CommandButton || c.kind() == Kind::OptionButton;
  }
  // Whether a control can hold the keyboard focus now: a command button that accepts
  // input, or the selected option button of a group that does.
  bool takesFocus(const Control& c) const;
  // Whether Tab reaches the control: a command or option button inside enabled
  // containers (nothing inside a disabled frame), and of a group's option buttons only
  // the selected one.  A disabled button is in the chain and skipped while disabled.
  bool inTabChain(const Control& c) const;
  // The option button an arrow key moves a group's selection to from `option`: the next
  // of its group in the tab order (forward) or the one before, round the group; null for
  // anything but an option button.
  Control* optionAfterArrow(const Control& option, bool forward) const;
  // What a key pressed with the focus on `focused` (null: nowhere) does.  Tab and
  // Shift+Tab move along the tab order to the next control that can take the focus; the
  // arrow keys on an option button select the next of its group (held, they go on), on a
  // command button they do nothing; Space and Return press a focused command button as the key goes
  // down, once however long it is held: the repeats press nothing, and the key going up nothing
  // either.
  KeyAction keyDown(Control* focused, Key key, bool repeat) const;
  // Where the keyboard starts when the window is shown: the selected bank option.
  Control* initialFocus() const;
  // Where the focus goes after the user's click on `c` reached the model: onto an option
  // button that is now selected, even where the click landed on its caption; null when
  // nothing is to move (a command button takes the focus by the click itself).
  Control* focusAfterClick(const Control& c) const;
  // Where the focus belongs after a handler has run, when it was on `focused`: there
  // still if it can hold it; else on the last control the handler enabled that can
  // (the hand-off: 問 at the end of a display, 答 after the twentieth answer); else on
  // the next control in the tab order that can; null when none can.
  Control* focusAfterHandler(Control* focused) const;

  void addObserver(ModelObserver* o);
  void removeObserver(ModelObserver* o);

  void setHandler(Control& c, Event e, Handler h);
  bool hasHandler(const Control& c, Event e) const;

  // Calls the handler of the event, whatever the state of the control; observers see
  // the event first.  Nothing happens once the window is unloaded.
  void raise(Control& c, Event e, const MouseArgs& args = {});

  // A user's click.  On a command button it raises Click, on an option button it selects
  // that button in its group, in both cases only when the control accepts input; it
  // returns whether anything happened.  Other kinds take no clicks.
  bool click(Control& c);
  // A mouse press on a label, raised as MouseDown when the label is shown.
  bool mouseDown(Control& c, const MouseArgs& args);

  // The timer rule: a timer ticks while it is Enabled and its Interval is above 0.
  static bool ticking(const Control& timer) { return timer.Enabled && timer.Interval > 0; }

  // Visible, and so is every container above it.
  bool isShown(const Control& c) const;
  // Shown, enabled (where the kind has Enabled) and inside enabled containers only.
  bool acceptsInput(const Control& c) const;
  // Every container above it is enabled (its own Enabled aside).
  bool containersEnabled(const Control& c) const;

  // Ends the window: observers hear of it once, and no event is raised afterwards.
  void unload();
  bool unloaded() const { return unloaded_; }
};

}  // namespace sorato
