#include "ControlModel.h"

#include <algorithm>
#include <cassert>

#include "Form1.h"

namespace sorato {

namespace {

template <std::size_t N>
std::vector<Control*> controlsNamed(const ControlModel& model,
                                    const std::array<std::string_view, N>& names) {
  std::vector<Control*> out;
  for (std::string_view name : names) {
    Control* c = model.find(name);
    assert(c != nullptr);
    out.push_back(c);
  }
  return out;
}

}  // namespace

// The members are declared in the order of the window's rows, so each is created from
// its own row, in creation order.
ControlModel::ControlModel()
    : Form1(*this, form1::row("Form1")),
      frmZnb(*this, form1::row("frmZnb")),
      Timer1(*this, form1::row("Timer1")),
      btnN(*this, form1::row("btnN")),
      btnY(*this, form1::row("btnY")),
      Frame1(*this, form1::row("Frame1")),
      lblRM(*this, form1::row("lblRM")),
      lblKng(*this, form1::row("lblKng")),
      Shape1(*this, form1::row("Shape1")),
      lblD(*this, form1::row("lblD")),
      lblC(*this, form1::row("lblC")),
      lblBn(*this, form1::row("lblBn")),
      lblAn(*this, form1::row("lblAn")),
      lblB(*this, form1::row("lblB")),
      lblA(*this, form1::row("lblA")),
      lbl1h(*this, form1::row("lbl1h")),
      lbl2(*this, form1::row("lbl2")),
      lbl1(*this, form1::row("lbl1")),
      Timer2(*this, form1::row("Timer2")),
      lbl2Z(*this, form1::row("lbl2Z")),
      lblBZ(*this, form1::row("lblBZ")),
      lblAZ(*this, form1::row("lblAZ")),
      btn1Jun(*this, form1::row("btn1Jun")),
      btn2Jun(*this, form1::row("btn2Jun")),
      Frame3(*this, form1::row("Frame3")),
      Frame2(*this, form1::row("Frame2")),
      btnEND(*this, form1::row("btnEND")),
      btnA(*this, form1::row("btnA")),
      btnQ(*this, form1::row("btnQ")),
      btnST(*this, form1::row("btnST")),
      lblQn(*this, form1::row("lblQn")),
      lblSTn(*this, form1::row("lblSTn")),
      Option3(*this, form1::row("Option3")),
      Option4(*this, form1::row("Option4")),
      Option2(*this, form1::row("Option2")),
      Option1(*this, form1::row("Option1")) {
  assert(count_ == kControlCount + 1);
  for (std::size_t i = 0; i < count_; ++i) assert(all_[i]->name() == form1::kRows[i].name);
  tabOrder_ = controlsNamed(*this, form1::kTabOrder);
  readingOrder_ = controlsNamed(*this, form1::kReadingOrder);
  announced_ = controlsNamed(*this, form1::kAnnounced);
}

int ControlModel::enroll(Control* c) {
  assert(count_ < all_.size());
  all_[count_] = c;
  return static_cast<int>(count_++);
}

Control* ControlModel::find(std::string_view name) const {
  for (Control* c : all()) {
    if (c->name() == name) return c;
  }
  return nullptr;
}

std::vector<Control*> ControlModel::childrenOf(const Control& container) const {
  std::vector<Control*> out;
  for (Control* c : all()) {
    if (c->container() == &container) out.push_back(c);
  }
  return out;
}

std::vector<Control*> ControlModel::stackingOrderOf(const Control& container) const {
  const std::vector<Control*> children = childrenOf(container);
  auto above = [](const Control& c) {
    return c.kind() == Kind::CommandButton || c.kind() == Kind::OptionButton ||
           c.kind() == Kind::Frame;
  };
  std::vector<Control*> out;
  for (const bool upper : {false, true}) {
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      if (above(**it) == upper && (*it)->kind() != Kind::Timer) out.push_back(*it);
    }
  }
  return out;
}

std::vector<Control*> ControlModel::readingChildrenOf(const Control& container) const {
  std::vector<Control*> out;
  for (Control* c : readingOrder_) {
    if (c->container() == &container) out.push_back(c);
  }
  return out;
}

bool ControlModel::takesFocus(const Control& c) const {
  switch (c.kind()) {
    case Kind::CommandButton: return acceptsInput(c);
    case Kind::OptionButton: return c.Value && acceptsInput(c);
    default: return false;
  }
}

bool ControlModel::inTabChain(const Control& c) const {
  switch (c.kind()) {
    case Kind::CommandButton: return containersEnabled(c);
    case Kind::OptionButton: return c.Value && containersEnabled(c);
    default: return false;
  }
}

Control* ControlModel::optionAfterArrow(const Control& option, bool forward) const {
  if (option.kind() != Kind::OptionButton) return nullptr;
  std::vector<Control*> group;
  for (Control* c : tabOrder_) {
    if (c->kind() == Kind::OptionButton && c->container() == option.container()) group.push_back(c);
  }
  const auto at = std::find(group.begin(), group.end(), &option);
  const std::size_t i = static_cast<std::size_t>(at - group.begin());
  return group[(i + (forward ? 1 : group.size() - 1)) % group.size()];
}

KeyAction ControlModel::keyDown(Control* focused, Key key, bool repeat) const {
  const bool option = focused != nullptr && focused->kind() == Kind::OptionButton;
  const bool button = focused != nullptr && focused->kind() == Kind::CommandButton;
  switch (key) {
    case Key::Tab:
    case Key::BackTab: {
      // From nowhere, Tab starts at the first control and Shift+Tab at the last.
      const bool back = key == Key::BackTab;
      const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), focused);
      std::size_t i = at != tabOrder_.end() ? static_cast<std::size_t>(at - tabOrder_.begin())
                      : back                ? 0
                                            : tabOrder_.size() - 1;
      for (std::size_t step = 0; step < tabOrder_.size(); ++step) {
        i = (i + (back ? tabOrder_.size() - 1 : 1)) % tabOrder_.size();
        if (takesFocus(*tabOrder_[i])) return {KeyAction::Focus, tabOrder_[i]};
      }
      return {KeyAction::Nothing};
    }
    case Key::Left:
    case Key::Up:
    case Key::Right:
    case Key::Down:
      // (on a button, as in every toolkit's window alike: nothing)
      if (!option) return {button ? KeyAction::Nothing : KeyAction::Toolkit};
      return {KeyAction::Select, optionAfterArrow(*focused, key == Key::Right || key == Key::Down)};
    case Key::Return:
    case Key::Space:
      if (!button) return {option ? KeyAction::Nothing : KeyAction::Toolkit};
      if (repeat) return {KeyAction::Nothing};
      return {KeyAction::Press, focused};
    case Key::Other: break;
  }
  return {};
}

Control* ControlModel::initialFocus() const {
  for (Control* option : childrenOf(Frame2)) {
    if (option->Value && takesFocus(*option)) return option;
  }
  return nullptr;
}

Control* ControlModel::focusAfterClick(const Control& c) const {
  if (unloaded_ || c.kind() != Kind::OptionButton || !takesFocus(c)) return nullptr;
  return all_[static_cast<std::size_t>(c.index())];
}

bool ControlModel::announcesChanges(const Control& c) const {
  return std::find(announced_.begin(), announced_.end(), &c) != announced_.end();
}

Control* ControlModel::focusAfterHandler(Control* focused) const {
  if (focused == nullptr || takesFocus(*focused)) return focused;
  for (auto it = enabledByHandler_.rbegin(); it != enabledByHandler_.rend(); ++it) {
    if (takesFocus(**it)) return *it;
  }
  const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), focused);
  const std::size_t from = at == tabOrder_.end() ? tabOrder_.size() - 1 : at - tabOrder_.begin();
  for (std::size_t step = 1; step <= tabOrder_.size(); ++step) {
    Control* next = tabOrder_[(from + step) % tabOrder_.size()];
    if (takesFocus(*next)) return next;
  }
  return nullptr;
}

void ControlModel::addObserver(ModelObserver* o) {
  observers_.push_back(o);
}

void ControlModel::removeObserver(ModelObserver* o) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void ControlModel::setHandler(Control& c, Event e, Handler h) {
  handlers_[static_cast<std::size_t>(c.index())][static_cast<std::size_t>(e)] = std::move(h);
}

bool ControlModel::hasHandler(const Control& c, Event e) const {
  return static_cast<bool>(
      handlers_[static_cast<std::size_t>(c.index())][static_cast<std::size_t>(e)]);
}

void ControlModel::raise(Control& c, Event e, const MouseArgs& args) {
  if (unloaded_) return;
  for (ModelObserver* o : observers_) o->eventRaised(c, e);
  enabledByHandler_.clear();
  handling_ = true;
  const Handler& h = handlers_[static_cast<std::size_t>(c.index())][static_cast<std::size_t>(e)];
  if (h) h(args);
  handling_ = false;
  const std::vector<ModelObserver*> observers = observers_;  // one may leave meanwhile
  for (ModelObserver* o : observers) o->eventHandled(c, e);
}

bool ControlModel::isShown(const Control& c) const {
  for (const Control* p = &c; p != nullptr; p = p->container()) {
    if (p->has(Prop::Visible) && !p->Visible) return false;
  }
  return true;
}

bool ControlModel::containersEnabled(const Control& c) const {
  for (const Control* p = c.container(); p != nullptr; p = p->container()) {
    if (p->has(Prop::Enabled) && !p->Enabled) return false;
  }
  return true;
}

bool ControlModel::acceptsInput(const Control& c) const {
  return isShown(c) && (!c.has(Prop::Enabled) || c.Enabled) && containersEnabled(c);
}

bool ControlModel::click(Control& c) {
  if (unloaded_ || !acceptsInput(c)) return false;
  switch (c.kind()) {
    case Kind::CommandButton: raise(c, Event::Click); return true;
    case Kind::OptionButton:
      if (c.Value) return false;
      c.Value = true;
      for (Control* other : childrenOf(*c.container())) {
        if (other != &c && other->kind() == Kind::OptionButton) other->Value = false;
      }
      return true;
    default: return false;
  }
}

bool ControlModel::mouseDown(Control& c, const MouseArgs& args) {
  if (unloaded_ || c.kind() != Kind::Label || !isShown(c)) return false;
  raise(c, Event::MouseDown, args);
  return true;
}

void ControlModel::unload() {
  if (unloaded_) return;
  unloaded_ = true;
  for (ModelObserver* o : observers_) o->unloaded();
}

void ControlModel::propertyWritten(Control& c, Prop p) {
  if (handling_ && p == Prop::Enabled && c.Enabled) enabledByHandler_.push_back(&c);
  for (ModelObserver* o : observers_) o->propertyWritten(c, p);
}

}  // namespace sorato
