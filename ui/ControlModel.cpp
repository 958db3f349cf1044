#include "ControlModel.h"

#include <algorithm>
#include <cassert>

namespace sorato {

namespace {

constexpr Colour kWindowCyan{0x00FFFFC0};
constexpr std::string_view kUiGothic = "MS UI Gothic";
constexpr std::string_view kPGothic = "ＭＳ Ｐゴシック";

// Where a control stands: the part of its values every kind has.
ControlSpec placed(std::string_view name, Kind kind, Control& in, float left, float top,
                   float width, float height) {
  ControlSpec s;
  s.name = name;
  s.kind = kind;
  s.container = &in;
  s.left = left;
  s.top = top;
  s.width = width;
  s.height = height;
  return s;
}

ControlSpec button(std::string_view name, Control& in, float left, float top, float width,
                   float height, std::string_view caption, std::string_view tip, float size,
                   bool bold, std::uint32_t back) {
  ControlSpec s = placed(name, Kind::CommandButton, in, left, top, width, height);
  s.caption = caption;
  s.toolTip = tip;
  s.fontName = kUiGothic;
  s.fontSize = size;
  s.fontBold = bold;
  s.backColor = Colour{back};
  s.foreColor = colours::ButtonText;
  return s;
}

ControlSpec option(std::string_view name, Control& in, float top, std::string_view caption,
                   std::string_view tip, bool value) {
  ControlSpec s = placed(name, Kind::OptionButton, in, 0, top, 480, 180);
  s.caption = caption;
  s.toolTip = tip;
  s.fontName = kUiGothic;
  s.fontSize = 10.5f;
  s.backColor = kWindowCyan;
  s.foreColor = colours::ButtonText;
  s.value = value;
  return s;
}

ControlSpec frame(std::string_view name, Control& in, float left, float top, float width,
                  float height) {
  ControlSpec s = placed(name, Kind::Frame, in, left, top, width, height);
  s.borderStyle = 1;
  s.backColor = kWindowCyan;
  return s;
}

struct LabelLook {
  std::string_view font = kUiGothic;
  float size = 16.5f;
  std::int32_t alignment = 0;
  std::int32_t border = 0;
  Colour fore = colours::WindowText;
  bool visible = true;
  Colour back = colours::WindowBackground;
  std::int32_t backStyle = 0;
};

ControlSpec label(std::string_view name, Control& in, float left, float top, float width,
                  float height, std::string_view caption, LabelLook look) {
  ControlSpec s = placed(name, Kind::Label, in, left, top, width, height);
  s.caption = caption;
  s.fontName = look.font;
  s.fontSize = look.size;
  s.alignment = look.alignment;
  s.borderStyle = look.border;
  s.backStyle = look.backStyle;
  s.backColor = look.back;
  s.foreColor = look.fore;
  s.visible = look.visible;
  return s;
}

ControlSpec timer(std::string_view name, Control& in, bool enabled, std::int32_t interval) {
  ControlSpec s = placed(name, Kind::Timer, in, 0, 0, 0, 0);
  s.enabled = enabled;
  s.interval = interval;
  return s;
}

}  // namespace

// As created the window's client area is 15495 x 7950 twips; its outer size adds a
// nominal sizable frame.  The load handler sets the outer size before the window is
// first shown.
ControlModel::ControlModel()
    : Form1(*this, {.name = "Form1",
                    .kind = Kind::Form,
                    .width = 15495 + 120,
                    .height = 7950 + 495,
                    .caption = "ソラト",
                    .backColor = kWindowCyan}),
      frmZnb(*this, frame("frmZnb", Form1, 9120, 1560, 6132, 5052)),
      Timer1(*this, timer("Timer1", Form1, false, 1000)),
      btnN(*this, button("btnN", Form1, 4750, 4560, 1812, 972, "いいえ",
                         "無かったと思えばクリック。", 25.5f, false, 0x0080C0FF)),
      btnY(*this, button("btnY", Form1, 2640, 4560, 1812, 972, "はい", "在ったと思えばクリック。",
                         25.5f, false, 0x00FFC0C0)),
      Frame1(*this, frame("Frame1", Form1, 960, 200, 7440, 1092)),
      lblRM(*this, label("lblRM", Form1, 960, 6360, 7212, 1212, "Label1",
                         {.font = kPGothic, .size = 13.5f})),
      lblKng(*this, label("lblKng", Form1, 240, 7080, 504, 336, "カンニング",
                          {.size = 4.5f,
                           .alignment = 2,
                           .border = 1,
                           .fore = Colour{0x00C00000},
                           .backStyle = 1})),
      Shape1(*this, {.name = "Shape1",
                     .kind = Kind::Shape,
                     .container = &Form1,
                     .left = 2400,
                     .top = 2400,
                     .width = 4452,
                     .height = 1812,
                     .borderStyle = 2,
                     .borderColor = Colour{0x00FF8080},
                     .fillColor = Colour{0x00FFFFFF}}),
      lblD(*this, label("lblD", Form1, 8520, 156, 1440, 6708, "D", {.border = 1})),
      lblC(*this, label("lblC", Form1, 1800, 1560, 1572, 4200, "C", {.border = 1})),
      lblBn(*this, label("lblBn", Form1, 5160, 5856, 3732, 372, "勘違いですね",
                         {.alignment = 1, .border = 1})),
      lblAn(*this, label("lblAn", Form1, 240, 5856, 3732, 372, "よくできました", {.border = 1})),
      lblB(*this, label("lblB", Form1, 7080, 1560, 1850, 4200, "B", {.border = 1})),
      lblA(*this, label("lblA", Form1, 360, 1560, 1850, 4200, "A", {.border = 1})),
      lbl1h(*this, label("lbl1h", Form1, 3120, 2520, 2892, 372, "ふりがな", {.alignment = 2})),
      lbl2(*this,
           label("lbl2", Form1, 1700, 1920, 6000, 400, "下の言葉を記憶してください。では始めます。",
                 {.size = 15.75f, .alignment = 2, .visible = false})),
      lbl1(*this,
           label("lbl1", Form1, 2280, 2950, 4704, 1212, "Label1", {.size = 36, .alignment = 2})),
      Timer2(*this, timer("Timer2", frmZnb, true, 0)),
      lbl2Z(*this,
            label("lbl2Z", frmZnb, 300, 50, 5500, 492, "下の言葉を記憶してください。始めます。",
                  {.alignment = 2, .fore = Colour{0x00C0C0C0}, .visible = false})),
      lblBZ(*this,
            label("lblBZ", frmZnb, 3480, 530, 2532, 4500, "BZ", {.size = 22.5f, .border = 1})),
      lblAZ(*this,
            label("lblAZ", frmZnb, 600, 530, 2412, 4500, "AZ", {.size = 22.5f, .border = 1})),
      btn1Jun(*this, button("btn1Jun", Frame1, 150, 200, 1250, 360, "順に出す",
                            "最初に『言葉』を用意します。", 12, true, 0x00C0FFFF)),
      btn2Jun(*this, button("btn2Jun", Frame1, 180, 620, 1250, 360, "全部出す",
                            "『言葉』を１度に出します。", 12, true, 0x00C0C0FF)),
      Frame3(*this, frame("Frame3", Frame1, 3200, 200, 600, 680)),
      Frame2(*this, frame("Frame2", Frame1, 1500, 200, 600, 680)),
      btnEND(*this, button("btnEND", Frame1, 6200, 240, 1050, 600, "終了", "終了します。", 16.5f,
                           false, 0x0080C0FF)),
      btnA(*this, button("btnA", Frame1, 5000, 240, 972, 600, "答", "答を出します。", 16.5f, false,
                         0x00FFFF80)),
      btnQ(*this, button("btnQ", Frame1, 3840, 240, 972, 600, "問", "在り無しを質問します。", 16.5f,
                         false, 0x00FFFFC0)),
      btnST(*this,
            button("btnST", Frame1, 2136, 240, 972, 600, "始",
                   "先に左の『順に‥、全部‥』を選択してください。", 16.5f, false, 0x0080FFFF)),
      lblQn(*this, label("lblQn", Frame1, 4210, 840, 250, 252, "0",
                         {.font = kPGothic,
                          .size = 10.5f,
                          .alignment = 2,
                          .fore = colours::ButtonText,
                          .back = colours::ButtonFace})),
      lblSTn(*this, label("lblSTn", Frame1, 2510, 840, 250, 252, "0",
                          {.font = kPGothic,
                           .size = 10.5f,
                           .alignment = 2,
                           .fore = colours::ButtonText,
                           .back = colours::ButtonFace})),
      Option3(*this, option("Option3", Frame3, 140, "早", "出ている時間が短めです。", true)),
      Option4(*this, option("Option4", Frame3, 400, "遅", "出ている時間が長めです。", false)),
      Option2(*this, option("Option2", Frame2, 400, "漢", "漢字が出ます。", false)),
      Option1(*this, option("Option1", Frame2, 140, "あ", "ひらかなで出ます。", true)) {
  assert(count_ == kControlCount + 1);
  tabOrder_ = {&Option1, &Option2, &btn1Jun, &btn2Jun, &Option3, &Option4,
               &btnST,   &btnQ,    &btnA,    &btnEND,  &btnY,    &btnN};
  readingOrder_ = {&Frame1,  &Frame2, &Option1, &Option2, &btn1Jun, &btn2Jun, &Frame3, &Option3,
                   &Option4, &btnST,  &lblSTn,  &btnQ,    &lblQn,   &btnA,    &btnEND, &frmZnb,
                   &lbl2Z,   &lblAZ,  &lblBZ,   &lblA,    &lblC,    &lblB,    &lblD,   &lblRM,
                   &lbl2,    &lbl1h,  &lbl1,    &btnY,    &btnN,    &lblAn,   &lblBn,  &lblKng};
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
