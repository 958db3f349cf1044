#include "PageBinding.h"

#include <cmath>
#include <cstdio>
#include <map>

#include "ui/Colour.h"
#include "ui/Fonts.h"
#include "ui/Layout.h"

namespace sorato::web {

using emscripten::val;

namespace {

val document() {
  return val::global("document");
}

val make(const char* tag, const char* cls) {
  val e = document().call<val>("createElement", std::string(tag));
  e.set("className", std::string(cls));
  return e;
}

// 96 CSS pixels to the inch.
constexpr double kCssDpi = 96;

std::string px(int pixels) {
  return std::to_string(pixels) + "px";
}

std::string css(Colour c) {
  const Colour plain = resolveSystemColour(c);
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", plain.red(), plain.green(), plain.blue());
  return buf;
}

std::string quotedFamily(std::string_view face) {
  return "\"" + std::string(face) + "\"";
}

// The faces of the window's face list, then the browser's own sans-serif face.
std::string fontFamily(std::string_view name) {
  std::string list;
  for (std::string_view face : fonts::faceList(name)) list += quotedFamily(face) + ", ";
  return list + "sans-serif";
}

// Whether the browser has a face, by what it measures: a text set in the face with a
// fallback measures as the fallback alone where the face is missing (two fallbacks, in
// case the face is one of them).
bool faceInstalled(std::string_view face) {
  static val context = document()
                           .call<val>("createElement", std::string("canvas"))
                           .call<val>("getContext", std::string("2d"));
  const std::string sample = "mmmmmmmmmmlli あ漢字";
  for (const char* fallback : {"monospace", "serif"}) {
    context.set("font", "40px " + std::string(fallback));
    const double alone = context.call<val>("measureText", sample)["width"].as<double>();
    context.set("font", "40px " + quotedFamily(face) + ", " + fallback);
    if (context.call<val>("measureText", sample)["width"].as<double>() != alone) return true;
  }
  return false;
}

// The face the browser draws a control's font with: the first of its list it has.
std::string_view faceInUse(std::string_view name) {
  static std::map<std::string, std::string_view, std::less<>> known;
  if (auto it = known.find(name); it != known.end()) return it->second;
  std::string_view used;
  for (std::string_view face : fonts::faceList(name)) {
    if (faceInstalled(face)) {
      used = face;
      break;
    }
  }
  known.emplace(std::string(name), used);
  return used;
}

// The buttons of a mouse as the page numbers them.
constexpr mouse::Button kPageButtons[] = {mouse::Button::Left, mouse::Button::Middle,
                                          mouse::Button::Right};

// The element of a control, by its kind (not the timers).
val elementFor(const Control& c) {
  switch (c.kind()) {
    case Kind::Form: return make("div", "form");
    case Kind::Label: return make("div", "label");
    case Kind::CommandButton: {
      val e = make("button", "button");
      e.set("type", std::string("button"));
      return e;
    }
    case Kind::OptionButton: {
      val e = make("label", "option");
      val radio = make("input", "radio");
      radio.set("type", std::string("radio"));
      radio.set("name", std::string(c.container()->name()));
      e.call<void>("appendChild", radio);
      e.call<void>("appendChild", make("span", "caption"));
      return e;
    }
    case Kind::Frame: {
      val e = make("div", "frame");
      e.call<void>("setAttribute", std::string("role"), std::string("group"));
      return e;
    }
    case Kind::Shape:
    case Kind::Timer: break;
  }
  return make("div", "shape");
}

}  // namespace

PageBinding::PageBinding(ControlModel& model)
    : Mirror(model),
      elements_(ControlModel::kControlCount + 1, val::null()),
      window_(val::null()),
      title_(val::null()) {
  val host = document().call<val>("getElementById", std::string("sorato"));
  window_ = make("div", "window");
  val bar = make("div", "titlebar");
  val icon = make("img", "icon");
  // The page's own icon, wherever it comes from (a file beside it, or inside it).
  icon.set("src", document().call<val>("querySelector", std::string("link[rel=icon]"))["href"]);
  icon.set("alt", std::string(""));
  title_ = make("span", "title");
  bar["style"].set("fontFamily", fontFamily(fonts::kUiGothic));
  bar.call<void>("appendChild", icon);
  bar.call<void>("appendChild", title_);
  window_.call<void>("appendChild", bar);
  create(model_.Form1);  // and, inside it, every control
  window_.call<void>("appendChild", element(model_.Form1));
  host.call<void>("appendChild", window_);
  for (Control* c : model_.all()) {
    for (int i = 0; i < kPropCount; ++i) {
      if (c->has(static_cast<Prop>(i))) apply(*c, static_cast<Prop>(i));
    }
  }
  refreshInput();
  model_.addObserver(this);
}

PageBinding::~PageBinding() {
  model_.removeObserver(this);
}

// Children are added in reading order, so that a screen reader and the page's own order
// agree with what a person sees; the stacking rule sets which lies above.
void PageBinding::create(Control& c) {
  if (c.kind() == Kind::Timer) return;  // never drawn
  val e = elementFor(c);
  e.set("id", std::string(c.name()));
  e["dataset"].set("control", c.index());
  elements_[index(c)] = e;
  if (c.kind() == Kind::Form || c.kind() == Kind::Frame) {
    std::vector<Control*> inside = model_.readingChildrenOf(c);
    for (Control* child : model_.childrenOf(c)) {
      if (child->kind() == Kind::Shape) inside.push_back(child);
    }
    for (Control* child : inside) {
      create(*child);
      if (!element(*child).isNull()) e.call<void>("appendChild", element(*child));
    }
    int z = 0;
    for (Control* child : model_.stackingOrderOf(c)) {
      if (!element(*child).isNull()) element(*child)["style"].set("zIndex", ++z);
    }
  }
  if (model_.announcesChanges(c)) {
    e.call<void>("setAttribute", std::string("aria-live"), std::string("polite"));
  }
}

void PageBinding::apply(Control& c, Prop p) {
  val& e = element(c);
  if (e.isNull()) return;
  switch (aspectOf(p)) {
    case Aspect::Text:
      if (c.kind() == Kind::Form) {
        title_.set("textContent", c.Caption.get());
        document().set("title", c.Caption.get());
      } else if (c.kind() == Kind::OptionButton) {
        e.call<val>("querySelector", std::string(".caption")).set("textContent", c.Caption.get());
      } else if (c.kind() == Kind::Label) {
        e.set("textContent", displayText(c.Caption.get()));
      } else if (c.kind() == Kind::CommandButton) {
        e.set("textContent", c.Caption.get());
      } else if (c.kind() == Kind::Frame && !c.Caption.get().empty()) {
        e.call<void>("setAttribute", std::string("aria-label"), c.Caption.get());
      }
      break;
    case Aspect::ToolTip: e.set("title", c.ToolTipText.get()); break;
    case Aspect::Visible:
      if (c.kind() != Kind::Form) e.set("hidden", !c.Visible);
      break;
    case Aspect::Enabled:
      if (c.kind() == Kind::CommandButton) e.set("disabled", !c.Enabled);
      // A disabled frame ignores input and keeps its look.
      if (c.kind() == Kind::Frame) e.set("inert", !c.Enabled);
      refreshInput();
      break;
    case Aspect::Value:
      focusTarget(c).set("checked", c.Value.get());
      refreshInput();
      break;
    case Aspect::Look: applyLook(c); break;
    case Aspect::Alignment: {
      static const char* const align[] = {"left", "right", "center"};
      e["style"].set("textAlign", std::string(align[static_cast<int>(textAlign(c))]));
      break;
    }
    case Aspect::Place: place(c); break;
    case Aspect::Font: applyFont(c); break;
    case Aspect::None: break;
  }
}

// Left and Top count from the inside of the container: within a frame's border, as the
// page's boxes do.  The window's Width and Height are its outer size, frame included.
void PageBinding::place(Control& c) {
  if (c.kind() == Kind::Form) {
    window_["style"].set("width", px(twipsToPixels(c.Width, kCssDpi)));
    window_["style"].set("height", px(twipsToPixels(c.Height, kCssDpi)));
    return;
  }
  const PixelRect r = pixelRect(c, kCssDpi, kCssDpi);
  val style = element(c)["style"];
  style.set("left", px(r.left));
  style.set("top", px(r.top));
  style.set("width", px(r.width));
  style.set("height", px(r.height));
}

void PageBinding::applyLook(Control& c) {
  val style = element(c)["style"];
  const std::string border =
      "1px solid " + (c.has(Prop::BorderColor) ? css(c.BorderColor) : std::string("#000000"));
  switch (c.kind()) {
    case Kind::Form:
    case Kind::Frame:
      style.set("backgroundColor", css(c.BackColor));
      if (c.has(Prop::BorderStyle)) style.set("border", borderWidth(c) == 1 ? border : "none");
      break;
    case Kind::Label:
      style.set("color", css(c.ForeColor));
      style.set("backgroundColor", c.BackStyle == 1 ? css(c.BackColor) : "transparent");
      style.set("border", borderWidth(c) == 1 ? border : "none");
      break;
    case Kind::CommandButton:
    case Kind::OptionButton:
      style.set("backgroundColor", css(c.BackColor));
      style.set("color", css(c.ForeColor));
      break;
    case Kind::Shape:  // an outline only, dashed for style 2, as on the desktop
      style.set("border",
                std::string(dashedOutline(c) ? "1px dashed " : "1px solid ") + css(c.BorderColor));
      break;
    case Kind::Timer: break;
  }
}

void PageBinding::applyFont(Control& c) {
  val style = element(c)["style"];
  style.set("fontFamily", fontFamily(c.FontName.get()));
  char size[32];
  std::snprintf(size, sizeof size, "%gpt", static_cast<double>(c.FontSize.get()));
  style.set("fontSize", std::string(size));
  style.set("fontWeight", std::string(c.FontBold ? "bold" : "normal"));
  // A face that stands in, its letters drawn closer to fit the captions.
  char spacing[32] = "normal";
  if (fonts::narrowed(faceInUse(c.FontName.get()))) {
    std::snprintf(spacing, sizeof spacing, "%gem", fonts::kStandInSpacing);
  }
  style.set("letterSpacing", std::string(spacing));
}

void PageBinding::refreshInput() {
  const auto order = model_.tabOrder();
  for (std::size_t i = 0; i < order.size(); ++i) {
    const Control& c = *order[i];
    focusTarget(c).set("tabIndex", model_.inTabChain(c) ? static_cast<int>(i) + 1 : -1);
  }
}

val PageBinding::focusTarget(const Control& c) {
  val& e = element(c);
  return c.kind() == Kind::OptionButton ? e.call<val>("querySelector", std::string("input")) : e;
}

Control* PageBinding::focusedControl() const {
  val active = document()["activeElement"];
  if (active.isNull() || active.isUndefined()) return nullptr;
  val holder = active.call<val>("closest", std::string("[data-control]"));
  if (holder.isNull()) return nullptr;
  Control* c = control(std::stoi(holder["dataset"]["control"].as<std::string>()));
  return c != nullptr && ControlModel::focusable(*c) ? c : nullptr;
}

void PageBinding::focus(Control& c) {
  focusTarget(c).call<void>("focus");
}

void PageBinding::show() {
  if (Control* first = model_.initialFocus()) focus(*first);
}

Control* PageBinding::control(int index) const {
  const auto all = model_.all();
  return index >= 0 && static_cast<std::size_t>(index) < all.size()
             ? all[static_cast<std::size_t>(index)]
             : nullptr;
}

void PageBinding::clicked(int index) {
  Control* c = control(index);
  if (c == nullptr) return;
  model_.click(*c);
  if (model_.unloaded()) return;
  // The selection is the model's: a radio button shows the Value, whatever the click did.
  for (Control* option : model_.all()) {
    if (option->kind() == Kind::OptionButton)
      focusTarget(*option).set("checked", option->Value.get());
  }
  if (Control* next = model_.focusAfterClick(*c)) focus(*next);
}

bool PageBinding::key(int number, bool shift, bool repeat) {
  constexpr Key kPageKeys[] = {Key::Tab, Key::Return, Key::Space, Key::Left,
                               Key::Up,  Key::Right,  Key::Down};
  Key k = number >= 0 && number < 7 ? kPageKeys[number] : Key::Other;
  if (k == Key::Tab && shift) k = Key::BackTab;
  const KeyAction action = model_.keyDown(focusedControl(), k, repeat);
  switch (action.what) {
    case KeyAction::Toolkit: return false;
    case KeyAction::Nothing: return true;
    case KeyAction::Press:
    case KeyAction::Select: clicked(action.target->index()); return true;
    case KeyAction::Focus: focus(*action.target); return true;
  }
  return false;
}

void PageBinding::pressed(int index, int button, bool shift, bool ctrl, bool alt, double x,
                          double y) {
  Control* c = control(index);
  if (c == nullptr) return;
  MouseArgs a;
  a.button =
      mouse::buttonMask(button >= 0 && button <= 2 ? kPageButtons[button] : mouse::Button::Other);
  a.shift = mouse::keyMask(shift, ctrl, alt);
  a.x = pixelsToTwips(x, kCssDpi);
  a.y = pixelsToTwips(y, kCssDpi);
  model_.mouseDown(*c, a);
}

void PageBinding::unloaded() {
  // A page cannot close its own tab: it says the game has ended instead.
  window_.set("hidden", true);
  document().call<val>("getElementById", std::string("ended")).set("hidden", false);
}

}  // namespace sorato::web
