#pragma once

#include <vector>

#include "ControlModel.h"

namespace sorato {

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

 protected:
  // Puts the property's value on the screen.
  virtual void apply(Control& c, Prop p) = 0;
  // The control whose widget holds the keyboard focus (in the window, active or not).
  virtual Control* focusedControl() const = 0;
  virtual void focus(Control& c) = 0;

  ControlModel& model_;

 private:
  struct Write {
    Control* control;
    Prop prop;
  };
  int depth_ = 0;               // handlers running, one inside another
  std::vector<Write> pending_;  // the writes of the handler that runs
};

}  // namespace sorato
