#include "PageBinding.h"

#include <emscripten/emscripten.h>

#include <cmath>
#include <map>
#include <string>

#include "ui/Colour.h"
#include "ui/Fonts.h"
#include "ui/Layout.h"

namespace sorato::web {

namespace {

// The page's elements, as the game holds them: numbers into a list kept on the page's side,
// so that building and changing the window costs one call into the page each.
EM_JS(int, page_keep, (const char* tag, const char* cls), {
  const e = document.createElement(UTF8ToString(tag));
  e.className = UTF8ToString(cls);
  return (Module.soratoElements = Module.soratoElements || []).push(e) - 1;
});
EM_JS(int, page_find, (int within, const char* selector), {
  const from = within < 0 ? document : Module.soratoElements[within];
  return Module.soratoElements.push(from.querySelector(UTF8ToString(selector))) - 1;
});
EM_JS(void, page_append, (int parent, int child),
      { Module.soratoElements[parent].appendChild(Module.soratoElements[child]); });
EM_JS(void, page_set, (int e, const char* name, const char* value),
      { Module.soratoElements[e][UTF8ToString(name)] = UTF8ToString(value); });
EM_JS(void, page_set_number, (int e, const char* name, double value),
      { Module.soratoElements[e][UTF8ToString(name)] = value; });
EM_JS(void, page_set_flag, (int e, const char* name, int on),
      { Module.soratoElements[e][UTF8ToString(name)] = on != 0; });
EM_JS(void, page_attribute, (int e, const char* name, const char* value),
      { Module.soratoElements[e].setAttribute(UTF8ToString(name), UTF8ToString(value)); });
EM_JS(void, page_class, (int e, const char* name, int on),
      { Module.soratoElements[e].classList.toggle(UTF8ToString(name), on != 0); });
EM_JS(void, page_property, (int e, const char* name, const char* value),
      { Module.soratoElements[e].style.setProperty(UTF8ToString(name), UTF8ToString(value)); });
EM_JS(void, page_add_css, (int e, const char* text),
      { Module.soratoElements[e].style.cssText += UTF8ToString(text); });
// (The page never scrolls: the window is scaled to fit it.  Nor does a focus ask for a
// layout, before the first frame has had its own.)
EM_JS(void, page_focus, (int e), { Module.soratoElements[e].focus({preventScroll : true}); });
EM_JS(void, page_title, (const char* text), { document.title = UTF8ToString(text); });
// The page's own icon, wherever it comes from (a file beside it, or inside it).
EM_JS(void, page_icon, (int img),
      { Module.soratoElements[img].src = document.querySelector('link[rel=icon]').href; });
// The control that holds the focus, by its index; -1 if none does.
EM_JS(int, page_focused_control, (), {
  const active = document.activeElement;
  const holder = active && active.closest('[data-control]');
  return holder ? Number(holder.dataset.control) : -1;
});
// The page's area as its script sees it before the window is built: width and height in
// CSS pixels, 1 on a touch screen, the browser's text zoom; false where it says nothing.
EM_JS(int, page_area, (double* out), {
  const area = Module.soratoArea && Module.soratoArea();
  if (!area) return 0;
  HEAPF64.set(area, out >> 3);
  return 1;
});
// How wide a text is drawn in a font, in CSS pixels.
EM_JS(double, page_text_width, (const char* font, const char* text), {
  const context = Module.soratoCanvas =
      Module.soratoCanvas || document.createElement('canvas').getContext('2d');
  context.font = UTF8ToString(font);
  return context.measureText(UTF8ToString(text)).width;
});

void setText(int e, const char* name, const std::string& value) {
  page_set(e, name, value.c_str());
}

// The page draws the window at kUnit CSS pixels to each of its pixels (96 to the inch)
// and scales it down as a whole to fit the screen: a browser's minimum font size (24 px
// at most in the common settings) then never reaches a caption's font and clips it.
constexpr int kUnit = 4;
constexpr double kDrawDpi = 96.0 * kUnit;

std::string px(int pixels) {
  return std::to_string(pixels) + "px";
}

// (By hand, not by printf: the page's WebAssembly is smaller without it.)
std::string css(Colour c) {
  const Colour plain = resolveSystemColour(c);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text = "#";
  for (int v : {plain.red(), plain.green(), plain.blue()}) {
    text += kHex[(v >> 4) & 15];
    text += kHex[v & 15];
  }
  return text;
}

// A CSS number to four decimals, without trailing zeros ("38.4", "-0.05", "36").
std::string decimal(double v) {
  const long long tenThousandths = std::llround(std::fabs(v) * 10000);
  std::string text =
      (v < 0 && tenThousandths != 0 ? "-" : "") + std::to_string(tenThousandths / 10000);
  std::string fraction = std::to_string(10000 + tenThousandths % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return text;
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
// case the face is one of them).  Latin letters tell every face of the lists apart and
// spare the browser a search for kana in the fallbacks.
bool faceInstalled(std::string_view face) {
  static constexpr const char* kSample = "mmmmmmmmmmlli";
  static std::map<std::string, double, std::less<>> alone;  // by fallback
  static std::map<std::string, bool, std::less<>> known;
  if (auto it = known.find(face); it != known.end()) return it->second;
  bool installed = false;
  for (const char* fallback : {"monospace", "serif"}) {
    const std::string base = std::string("40px ") + fallback;
    auto it = alone.find(base);
    if (it == alone.end()) it = alone.emplace(base, page_text_width(base.c_str(), kSample)).first;
    const std::string font = "40px " + quotedFamily(face) + ", " + fallback;
    if (page_text_width(font.c_str(), kSample) != it->second) {
      installed = true;
      break;
    }
  }
  known.emplace(std::string(face), installed);
  return installed;
}

// Whether the browser draws a control's font with a face that stands in narrowed: the
// first face of its list it has is one of those.  The faces after the last of those are
// never asked after (a phone has none of the list but its own).
bool drawnNarrowed(std::string_view name) {
  const std::vector<std::string_view> list = fonts::faceList(name);
  std::size_t last = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (fonts::narrowed(list[i])) last = i + 1;
  }
  for (std::size_t i = 0; i < last; ++i) {
    if (faceInstalled(list[i])) return fonts::narrowed(list[i]);
  }
  return false;
}

// The buttons of a mouse as the page numbers them.
constexpr mouse::Button kPageButtons[] = {mouse::Button::Left, mouse::Button::Middle,
                                          mouse::Button::Right};

// The element of a control, by its kind (not the timers).
int elementFor(const Control& c) {
  switch (c.kind()) {
    case Kind::Form: return page_keep("div", "form");
    case Kind::Label: return page_keep("div", "label");
    case Kind::CommandButton: {
      const int e = page_keep("button", "button");
      page_set(e, "type", "button");
      return e;
    }
    case Kind::OptionButton: {
      const int e = page_keep("label", "option");
      const int radio = page_keep("input", "radio");
      page_set(radio, "type", "radio");
      setText(radio, "name", std::string(c.container()->name()));
      page_append(e, radio);
      page_append(e, page_keep("span", "caption"));
      return e;
    }
    case Kind::Frame: {
      const int e = page_keep("div", "frame");
      page_attribute(e, "role", "group");
      return e;
    }
    case Kind::Shape:
    case Kind::Timer: break;
  }
  return page_keep("div", "shape");
}

}  // namespace

PageBinding::PageBinding(ControlModel& model)
    : Mirror(model),
      elements_(ControlModel::kControlCount + 1, kNone),
      targets_(ControlModel::kControlCount + 1, kNone),
      captions_(ControlModel::kControlCount + 1, kNone),
      tabIndices_(ControlModel::kControlCount + 1, 0) {
  window_ = page_keep("div", "window");
  page_property(window_, "--u", px(kUnit).c_str());
  const int bar = page_keep("div", "titlebar");
  const int icon = page_keep("img", "icon");
  page_icon(icon);
  page_set(icon, "alt", "");
  title_ = page_keep("span", "title");
  setStyle(bar, "font-family", fontFamily(fonts::kUiGothic));
  page_append(bar, icon);
  page_append(bar, title_);
  page_append(window_, bar);
  create(model_.Form1);  // and, inside it, every control
  page_append(window_, element(model_.Form1));
  // Built in the layout it will stand in, so that the page lays the window out once.
  double area[4];
  if (page_area(area)) choose(area[0], area[1], area[2] != 0, area[3]);
  for (Control* c : model_.all()) {
    for (int i = 0; i < kPropCount; ++i) {
      if (c->has(static_cast<Prop>(i))) apply(*c, static_cast<Prop>(i));
    }
  }
  refreshInput();
  // Each element's style at once (one call instead of one a property).
  building_ = false;
  for (std::size_t e = 0; e < pendingStyles_.size(); ++e) {
    if (!pendingStyles_[e].empty()) page_add_css(static_cast<int>(e), pendingStyles_[e].c_str());
  }
  pendingStyles_ = {};
  // Onto the page whole, once every property stands.
  page_append(page_find(-1, "#sorato"), window_);
  model_.addObserver(this);
}

PageBinding::~PageBinding() {
  model_.removeObserver(this);
}

// Children are added in reading order, so that a screen reader and the page's own order
// agree with what a person sees; the stacking rule sets which lies above.
void PageBinding::create(Control& c) {
  if (c.kind() == Kind::Timer) return;  // never drawn
  const int e = elementFor(c);
  setText(e, "id", std::string(c.name()));
  page_attribute(e, "data-control", std::to_string(c.index()).c_str());
  elements_[index(c)] = e;
  targets_[index(c)] = e;
  if (c.kind() == Kind::OptionButton) {
    targets_[index(c)] = page_find(e, "input");
    captions_[index(c)] = page_find(e, ".caption");
  }
  if (c.kind() == Kind::Form || c.kind() == Kind::Frame) {
    std::vector<Control*> inside = model_.readingChildrenOf(c);
    for (Control* child : model_.childrenOf(c)) {
      if (child->kind() == Kind::Shape) inside.push_back(child);
    }
    for (Control* child : inside) {
      create(*child);
      if (element(*child) != kNone) page_append(e, element(*child));
    }
    int z = 0;
    for (Control* child : model_.stackingOrderOf(c)) {
      if (element(*child) != kNone) setStyle(element(*child), "z-index", std::to_string(++z));
    }
  }
  if (model_.announcesChanges(c)) {
    page_attribute(e, "aria-live", "polite");
  }
}

void PageBinding::apply(Control& c, Prop p) {
  const int e = element(c);
  if (e == kNone) return;
  switch (aspectOf(p)) {
    case Aspect::Text:
      if (c.kind() == Kind::Form) {
        setText(title_, "textContent", c.Caption.get());
        page_title(c.Caption.get().c_str());
      } else if (c.kind() == Kind::OptionButton) {
        setText(captions_[index(c)], "textContent", c.Caption.get());
      } else if (c.kind() == Kind::Label) {
        setText(e, "textContent", displayText(c.Caption.get()));
      } else if (c.kind() == Kind::CommandButton) {
        setText(e, "textContent", c.Caption.get());
      } else if (c.kind() == Kind::Frame && !c.Caption.get().empty()) {
        page_attribute(e, "aria-label", c.Caption.get().c_str());
      }
      break;
    case Aspect::ToolTip: setText(e, "title", c.ToolTipText.get()); break;
    case Aspect::Visible:
      if (c.kind() != Kind::Form) page_set_flag(e, "hidden", !c.Visible);
      break;
    case Aspect::Enabled:
      if (c.kind() == Kind::CommandButton) page_set_flag(e, "disabled", !c.Enabled);
      // A disabled frame ignores input and keeps its look.
      if (c.kind() == Kind::Frame) page_set_flag(e, "inert", !c.Enabled);
      refreshInput();
      break;
    case Aspect::Value:
      page_set_flag(focusTarget(c), "checked", c.Value.get());
      refreshInput();
      break;
    case Aspect::Look: applyLook(c); break;
    case Aspect::Alignment: {
      static const char* const align[] = {"left", "right", "center"};
      setStyle(e, "text-align", align[static_cast<int>(textAlign(c))]);
      break;
    }
    case Aspect::Place: place(c); break;
    case Aspect::Font: applyFont(c); break;
    case Aspect::None: break;
  }
}

// Left and Top count from the inside of the container: within a frame's border, as the
// page's boxes do.  The window's Width and Height are its outer size, frame included.
// In a touch layout the control stands where the layout puts it, in the design area's
// pixels; the window is that area, without a frame.
// A CSS property of an element: held while the window is built, then set.
void PageBinding::setStyle(int e, const char* name, const std::string& value) {
  if (!building_) {
    page_property(e, name, value.c_str());
    return;
  }
  const auto at = static_cast<std::size_t>(e);
  if (pendingStyles_.size() <= at) pendingStyles_.resize(at + 1);
  pendingStyles_[at] += std::string(name) + ":" + value + ";";
}

void PageBinding::place(Control& c) {
  const bool touch = layout_ != LayoutKind::Window;
  const TouchSpot& s = touchSpot(layout_, c);
  if (c.kind() == Kind::Form) {
    setStyle(window_, "width",
             px(touch ? static_cast<int>(s.width) * kUnit : twipsToPixels(c.Width, kDrawDpi)));
    setStyle(window_, "height",
             px(touch ? static_cast<int>(s.height) * kUnit : twipsToPixels(c.Height, kDrawDpi)));
    return;
  }
  const PixelRect r =
      touch ? PixelRect{static_cast<int>(s.left) * kUnit, static_cast<int>(s.top) * kUnit,
                        static_cast<int>(s.width) * kUnit, static_cast<int>(s.height) * kUnit}
            : pixelRect(c, kDrawDpi, kDrawDpi);
  const int e = element(c);
  setStyle(e, "left", px(r.left));
  setStyle(e, "top", px(r.top));
  setStyle(e, "width", px(r.width));
  setStyle(e, "height", px(r.height));
}

void PageBinding::applyLook(Control& c) {
  const int e = element(c);
  const std::string border =
      px(kUnit) + " solid " +
      (c.has(Prop::BorderColor) ? css(c.BorderColor) : std::string("#000000"));
  switch (c.kind()) {
    case Kind::Form:
    case Kind::Frame:
      setStyle(e, "background-color", css(c.BackColor));
      if (c.has(Prop::BorderStyle)) setStyle(e, "border", borderWidth(c) == 1 ? border : "none");
      break;
    case Kind::Label:
      setStyle(e, "color", css(c.ForeColor));
      setStyle(e, "background-color", c.BackStyle == 1 ? css(c.BackColor) : "transparent");
      setStyle(e, "border", borderWidth(c) == 1 ? border : "none");
      break;
    case Kind::CommandButton:
    case Kind::OptionButton:
      setStyle(e, "background-color", css(c.BackColor));
      setStyle(e, "color", css(c.ForeColor));
      break;
    case Kind::Shape:  // an outline only, dashed for style 2, as on the desktop
      setStyle(e, "border",
               px(kUnit) + (dashedOutline(c) ? " dashed " : " solid ") + css(c.BorderColor));
      break;
    case Kind::Timer: break;
  }
}

void PageBinding::applyFont(Control& c) {
  const int e = element(c);
  setStyle(e, "font-family", fontFamily(c.FontName.get()));
  const float points = layout_ != LayoutKind::Window && touchSpot(layout_, c).fontSize > 0
                           ? touchSpot(layout_, c).fontSize
                           : c.FontSize.get();
  // (less the browser's own text zoom, which the window, filling the screen, has no room for)
  setStyle(e, "font-size", decimal(points * kUnit / textScale_) + "pt");
  // A face that stands in has no bold of its own, and each engine makes one up its own way
  // (Firefox, scaled down, hardly at all): the page draws its bold as a thin outline round
  // the letters instead, the same in every engine.
  const bool standIn = drawnNarrowed(c.FontName.get());
  setStyle(e, "font-weight", std::string(c.FontBold && !standIn ? "bold" : "normal"));
  setStyle(e, "-webkit-text-stroke", std::string(c.FontBold && standIn ? "0.04em" : "0"));
  // A face that stands in, its letters drawn closer to fit the captions.
  setStyle(e, "letter-spacing", standIn ? decimal(fonts::kStandInSpacing) + "em" : "normal");
}

void PageBinding::refreshInput() {
  const auto order = model_.tabOrder();
  for (std::size_t i = 0; i < order.size(); ++i) {
    const Control& c = *order[i];
    const int tabIndex = model_.inTabChain(c) ? static_cast<int>(i) + 1 : -1;
    if (tabIndices_[index(c)] == tabIndex) continue;
    tabIndices_[index(c)] = tabIndex;
    page_set_number(focusTarget(c), "tabIndex", tabIndex);
  }
}

Control* PageBinding::focusedControl() const {
  Control* c = control(page_focused_control());
  return c != nullptr && ControlModel::focusable(*c) ? c : nullptr;
}

void PageBinding::focus(Control& c, FocusCause) {
  page_focus(focusTarget(c));
}

void PageBinding::show() {
  if (Control* first = model_.initialFocus()) focus(*first, FocusCause::Game);
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
  Mirror::clicked(*c);
  showSelection();
}

// The selection is the model's: a radio button shows the Value, whatever the browser did
// with the click or the key.
void PageBinding::showSelection() {
  if (model_.unloaded()) return;
  for (Control* option : model_.all()) {
    if (option->kind() == Kind::OptionButton)
      page_set_flag(focusTarget(*option), "checked", option->Value.get());
  }
}

bool PageBinding::key(int number, bool shift, bool repeat) {
  constexpr Key kPageKeys[] = {Key::Tab, Key::Return, Key::Space, Key::Left,
                               Key::Up,  Key::Right,  Key::Down};
  Key k = number >= 0 && number < 7 ? kPageKeys[number] : Key::Other;
  if (k == Key::Tab && shift) k = Key::BackTab;
  const bool taken = keyPressed(focusedControl(), k, repeat);
  showSelection();
  return taken;
}

void PageBinding::pressed(int index, int button, bool shift, bool ctrl, bool alt, double x,
                          double y) {
  Control* c = control(index);
  if (c == nullptr) return;
  MouseArgs a;
  a.button =
      mouse::buttonMask(button >= 0 && button <= 2 ? kPageButtons[button] : mouse::Button::Other);
  a.shift = mouse::keyMask(shift, ctrl, alt);
  const bool touch = layout_ != LayoutKind::Window;
  const TwipPoint at = touch ? touchToTwips(layout_, *c, x / kUnit, y / kUnit)
                             : TwipPoint{pixelsToTwips(x, kDrawDpi), pixelsToTwips(y, kDrawDpi)};
  a.x = at.x;
  a.y = at.y;
  model_.mouseDown(*c, a);
}

bool PageBinding::choose(double width, double height, bool touchScreen, double textScale) {
  const LayoutKind chosen = layoutFor(model_, width, height, touchScreen);
  const bool scaled = textScale > 0 && textScale != textScale_;
  if (scaled) textScale_ = textScale;
  const bool moved = chosen != layout_;
  if (moved) {
    layout_ = chosen;
    page_class(window_, "touch", chosen != LayoutKind::Window);
  }
  return scaled || moved;
}

int PageBinding::layout(double width, double height, bool touchScreen, double textScale) {
  const LayoutKind before = layout_;
  if (choose(width, height, touchScreen, textScale)) {
    for (Control* c : model_.all()) {
      if (layout_ != before) apply(*c, Prop::Left);
      apply(*c, Prop::FontSize);
    }
  }
  // What the window must hold when maximized: the page's script keeps it at least so large.
  const Extent whole = wholeClient(model_);
  page_attribute(window_, "data-whole-width",
                 std::to_string(twipsToPixels(whole.width, kDrawDpi)).c_str());
  page_attribute(window_, "data-whole-height",
                 std::to_string(twipsToPixels(whole.height, kDrawDpi)).c_str());
  return static_cast<int>(layout_);
}

void PageBinding::unloaded() {
  // A page cannot close its own tab: it says the game has ended instead.
  page_set_flag(window_, "hidden", true);
  page_set_flag(page_find(-1, "#ended"), "hidden", false);
}

}  // namespace sorato::web
