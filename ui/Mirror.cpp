#include "Mirror.h"

namespace sorato {

void Mirror::propertyWritten(Control& c, Prop p) {
  if (depth_ > 0) {
    pending_.push_back({&c, p});
  } else {
    apply(c, p);
  }
}

void Mirror::eventRaised(Control&, Event) {
  ++depth_;
}

void Mirror::eventHandled(Control&, Event) {
  if (--depth_ > 0) return;
  std::vector<Write> writes;
  writes.swap(pending_);
  if (model_.unloaded()) return;
  Control* focused = focusedControl();
  Control* target = model_.focusAfterHandler(focused);
  auto outOfReach = [](const Write& w) {
    return (w.prop == Prop::Enabled && !w.control->Enabled) ||
           (w.prop == Prop::Visible && !w.control->Visible);
  };
  for (const Write& w : writes) {
    if (!outOfReach(w)) apply(*w.control, w.prop);
  }
  if (target != nullptr && target != focused) focus(*target);
  for (const Write& w : writes) {
    if (outOfReach(w)) apply(*w.control, w.prop);
  }
}

}  // namespace sorato
