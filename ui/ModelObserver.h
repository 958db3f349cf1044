#pragma once

#include "Control.h"
#include "Event.h"

namespace sorato {

// Sees what happens to the control model: the window binding mirrors it, the clocks
// schedule the timers from it, the driver traces it.
class ModelObserver {
 public:
  virtual ~ModelObserver() = default;
  // After every assignment to a property, also of an unchanged value.
  virtual void propertyWritten(Control&, Prop) {}
  // Before the handler of the event runs (whether it has one or not).
  virtual void eventRaised(Control&, Event) {}
  // After the handler has run: the changes of one handler reach the screen together.
  virtual void eventHandled(Control&, Event) {}
  // The window has been unloaded: no event is delivered from now on.
  virtual void unloaded() {}
};

}  // namespace sorato
