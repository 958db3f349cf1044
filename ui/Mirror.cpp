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
  Control* focused = away_ ? kept_ : focusedControl();
  Control* target = model_.focusAfterHandler(focused);
  if (away_) {
    kept_ = target;
    focused = target = nullptr;  // nothing to move on the screen now
  }
  auto outOfReach = [](const Write& w) {
    return (w.prop == Prop::Enabled && !w.control->Enabled) ||
           (w.prop == Prop::Visible && !w.control->Visible);
  };
  for (const Write& w : writes) {
    if (!outOfReach(w)) apply(*w.control, w.prop);
  }
  if (target != nullptr && target != focused) focus(*target, FocusCause::Game);
  for (const Write& w : writes) {
    if (outOfReach(w)) apply(*w.control, w.prop);
  }
}

void Mirror::deactivated() {
  if (away_) return;
  kept_ = focusedControl();
  away_ = true;
}

void Mirror::activated(Control* last) {
  if (model_.unloaded()) return;
  Control* from = away_ ? kept_ : last;
  away_ = false;
  if (Control* target = model_.focusAfterHandler(from)) focus(*target, FocusCause::Game);
}

void Mirror::clicked(Control& c) {
  model_.click(c);
  if (Control* next = model_.focusAfterClick(c)) focus(*next, FocusCause::Click);
}

bool Mirror::keyPressed(Control* focused, Key key, bool repeat) {
  const KeyAction action = model_.keyDown(focused, key, repeat);
  switch (action.what) {
    case KeyAction::Toolkit: return false;
    case KeyAction::Nothing: return true;
    case KeyAction::Press:
    case KeyAction::Select: clicked(*action.target); return true;
    case KeyAction::Focus: focus(*action.target, FocusCause::Key); return true;
  }
  return false;
}

}  // namespace sorato
