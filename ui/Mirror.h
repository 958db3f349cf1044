#pragma once

#include <vector>

#include "ControlModel.h"

namespace sorato {

// What a property changes on the screen: a binding applies each aspect in one place.
enum class Aspect { Text, ToolTip, Visible, Enabled, Value, Look, Alignment, Place, Font, None };

constexpr Aspect aspectOf(Prop p) {
  switch (p) {
    case Prop::Caption: return Aspect::Text;
    case Prop::ToolTipText: return Aspect::ToolTip;
    case Prop::Visible: return Aspect::Visible;
    case Prop::Enabled: return Aspect::Enabled;
    case Prop::Value: return Aspect::Value;
    case Prop::ForeColor:
    case Prop::BackColor:
    case Prop::BackStyle:
    case Prop::BorderStyle:
    case Prop::BorderColor:
    case Prop::FillColor: return Aspect::Look;
    case Prop::Alignment: return Aspect::Alignment;
    case Prop::Left:
    case Prop::Top:
    case Prop::Width:
    case Prop::Height: return Aspect::Place;
    case Prop::FontName:
    case Prop::FontSize:
    case Prop::FontBold: return Aspect::Font;
    case Prop::Interval: break;
  }
  return Aspect::None;
}

// What every binding of the model does with its writes: outside a handler it applies
// each at once; during a handler it keeps them, and once the handler has run applies
// them together (the changes of one handler reach the screen together) with the focus
// settled once, from the final state.  Whatever takes a control out of reach (Enabled
// or Visible turned off) is applied after the focus has left it, so that the toolkit
// never moves the focus on its own, mid-handler, onto the wrong control.
class Mirror : public ModelObserver {
 public:
  explicit Mirror(ControlModel& model) : model_(model) {}

  void propertyWritten(Control& c, Prop p) override;
  void eventRaised(Control& c, Event e) override;
  void eventHandled(Control& c, Event e) override;

  // The window lost the keyboard (another window came forward, it was minimised, its tab
  // went to the back) or has it again.  While away the focus still follows the game, on
  // paper; back, it returns to that control, as a desktop dialog's does.
  // `last`: the control that held the focus last, where the toolkit knows it (the
  // window itself may hold the focus when it comes back).
  void deactivated();
  void activated(Control* last = nullptr);

  // Input, once a binding has turned its toolkit's event into the model's terms; every
  // binding's clicks and keys go this one way.  A click on `c` (a button, an option):
  // the model's click, then the focus where a click leaves it.
  void clicked(Control& c);
  // A key pressed while `focused` holds the focus: done as the model says.  False when
  // the key is the toolkit's to handle as it does (the binding then lets it through).
  bool keyPressed(Control* focused, Key key, bool repeat);

 protected:
  // Why the focus moves: the game moved it, a click or a key did (a toolkit may show the
  // focus differently after the keyboard).
  enum class FocusCause { Game, Click, Key };

  // Puts the property's value on the screen.
  virtual void apply(Control& c, Prop p) = 0;
  // The control whose widget holds the keyboard focus (in the window, active or not).
  virtual Control* focusedControl() const = 0;
  virtual void focus(Control& c, FocusCause why) = 0;

  ControlModel& model_;

 private:
  struct Write {
    Control* control;
    Prop prop;
  };
  int depth_ = 0;               // handlers running, one inside another
  bool away_ = false;           // the window does not have the keyboard
  Control* kept_ = nullptr;     // where the focus is to be, while away
  std::vector<Write> pending_;  // the writes of the handler that runs
};

}  // namespace sorato
