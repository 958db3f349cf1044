#pragma once

#include <array>
#include <string_view>

#include "Control.h"
#include "Fonts.h"

// The window of this game, Form1, as data: one row for the window and one for each of
// its 35 controls, in creation order (the window, then each container's children,
// container by container).  Earlier siblings lie above later ones of the same sort.
// Positions and sizes are twips, counted from the inside of the container.
namespace sorato::form1 {

namespace rows {

constexpr Colour kWindowCyan{0x00FFFFC0};

constexpr ControlSpec placed(std::string_view name, Kind kind, std::string_view in, float left,
                             float top, float width, float height) {
  ControlSpec s;
  s.name = name;
  s.kind = kind;
  s.container = in;
  s.left = left;
  s.top = top;
  s.width = width;
  s.height = height;
  return s;
}

constexpr ControlSpec button(std::string_view name, std::string_view in, float left, float top,
                             float width, float height, std::string_view caption,
                             std::string_view tip, float size, bool bold, std::uint32_t back) {
  ControlSpec s = placed(name, Kind::CommandButton, in, left, top, width, height);
  s.caption = caption;
  s.toolTip = tip;
  s.fontName = fonts::kUiGothic;
  s.fontSize = size;
  s.fontBold = bold;
  s.backColor = Colour{back};
  s.foreColor = colours::ButtonText;
  return s;
}

// An option button spans its frame's width.
constexpr ControlSpec option(std::string_view name, std::string_view in, float top,
                             std::string_view caption, std::string_view tip, bool value) {
  ControlSpec s = placed(name, Kind::OptionButton, in, 0, top, 480, 180);
  s.caption = caption;
  s.toolTip = tip;
  s.fontName = fonts::kUiGothic;
  s.fontSize = 10.5f;
  s.backColor = kWindowCyan;
  s.foreColor = colours::ButtonText;
  s.value = value;
  return s;
}

constexpr ControlSpec frame(std::string_view name, std::string_view in, float left, float top,
                            float width, float height) {
  ControlSpec s = placed(name, Kind::Frame, in, left, top, width, height);
  s.borderStyle = 1;
  s.backColor = kWindowCyan;
  return s;
}

// What sets a label apart from the usual one: 16.5 pt MS UI Gothic, left-aligned,
// without border, black on a transparent ground, visible.
struct LabelLook {
  std::string_view font = fonts::kUiGothic;
  float size = 16.5f;
  std::int32_t alignment = 0;
  std::int32_t border = 0;
  Colour fore = colours::WindowText;
  bool visible = true;
  Colour back = colours::WindowBackground;
  std::int32_t backStyle = 0;
};

constexpr ControlSpec label(std::string_view name, std::string_view in, float left, float top,
                            float width, float height, std::string_view caption, LabelLook look) {
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

constexpr ControlSpec timer(std::string_view name, std::string_view in, bool enabled,
                            std::int32_t interval) {
  ControlSpec s = placed(name, Kind::Timer, in, 0, 0, 0, 0);
  s.enabled = enabled;
  s.interval = interval;
  return s;
}

// As created the window's client area is 15495 x 7950 twips; its outer size adds a
// nominal sizable frame.  The load handler sets the outer size before the window is
// first shown.
constexpr ControlSpec window() {
  ControlSpec s = placed("Form1", Kind::Form, {}, 0, 0, 15495 + 120, 7950 + 495);
  s.caption = "ソラト";
  s.backColor = kWindowCyan;
  return s;
}

// A dashed light-blue outline; its white fill is held but never drawn.
constexpr ControlSpec shape(std::string_view name, std::string_view in, float left, float top,
                            float width, float height) {
  ControlSpec s = placed(name, Kind::Shape, in, left, top, width, height);
  s.borderStyle = 2;
  s.borderColor = Colour{0x00FF8080};
  s.fillColor = Colour{0x00FFFFFF};
  return s;
}

constexpr LabelLook kCounter{.font = fonts::kPGothic,
                             .size = 10.5f,
                             .alignment = 2,
                             .fore = colours::ButtonText,
                             .back = colours::ButtonFace};

}  // namespace rows

// clang-format off
inline constexpr std::array<ControlSpec, 36> kRows = {
  rows::window(),
  rows::frame("frmZnb", "Form1", 9120, 1560, 6132, 5052),
  rows::timer("Timer1", "Form1", false, 1000),
  rows::button("btnN", "Form1", 4750, 4560, 1812, 972, "いいえ", "無かったと思えばクリック。", 25.5f, false, 0x0080C0FF),
  rows::button("btnY", "Form1", 2640, 4560, 1812, 972, "はい", "在ったと思えばクリック。", 25.5f, false, 0x00FFC0C0),
  rows::frame("Frame1", "Form1", 960, 200, 7440, 1092),
  rows::label("lblRM", "Form1", 960, 6360, 7212, 1212, "Label1", {.font = fonts::kPGothic, .size = 13.5f}),
  rows::label("lblKng", "Form1", 240, 7080, 504, 336, "カンニング",
              {.size = 4.5f, .alignment = 2, .border = 1, .fore = Colour{0x00C00000}, .backStyle = 1}),
  rows::shape("Shape1", "Form1", 2400, 2400, 4452, 1812),
  rows::label("lblD", "Form1", 8520, 156, 1440, 6708, "D", {.border = 1}),
  rows::label("lblC", "Form1", 1800, 1560, 1572, 4200, "C", {.border = 1}),
  rows::label("lblBn", "Form1", 5160, 5856, 3732, 372, "勘違いですね", {.alignment = 1, .border = 1}),
  rows::label("lblAn", "Form1", 240, 5856, 3732, 372, "よくできました", {.border = 1}),
  rows::label("lblB", "Form1", 7080, 1560, 1850, 4200, "B", {.border = 1}),
  rows::label("lblA", "Form1", 360, 1560, 1850, 4200, "A", {.border = 1}),
  rows::label("lbl1h", "Form1", 3120, 2520, 2892, 372, "ふりがな", {.alignment = 2}),
  rows::label("lbl2", "Form1", 1700, 1920, 6000, 400, "下の言葉を記憶してください。では始めます。",
              {.size = 15.75f, .alignment = 2, .visible = false}),
  rows::label("lbl1", "Form1", 2280, 2950, 4704, 1212, "Label1", {.size = 36, .alignment = 2}),
  rows::timer("Timer2", "frmZnb", true, 0),
  rows::label("lbl2Z", "frmZnb", 300, 50, 5500, 492, "下の言葉を記憶してください。始めます。",
              {.alignment = 2, .fore = Colour{0x00C0C0C0}, .visible = false}),
  rows::label("lblBZ", "frmZnb", 3480, 530, 2532, 4500, "BZ", {.size = 22.5f, .border = 1}),
  rows::label("lblAZ", "frmZnb", 600, 530, 2412, 4500, "AZ", {.size = 22.5f, .border = 1}),
  rows::button("btn1Jun", "Frame1", 150, 200, 1250, 360, "順に出す", "最初に『言葉』を用意します。", 12, true, 0x00C0FFFF),
  rows::button("btn2Jun", "Frame1", 180, 620, 1250, 360, "全部出す", "『言葉』を１度に出します。", 12, true, 0x00C0C0FF),
  rows::frame("Frame3", "Frame1", 3200, 200, 600, 680),
  rows::frame("Frame2", "Frame1", 1500, 200, 600, 680),
  rows::button("btnEND", "Frame1", 6200, 240, 1050, 600, "終了", "終了します。", 16.5f, false, 0x0080C0FF),
  rows::button("btnA", "Frame1", 5000, 240, 972, 600, "答", "答を出します。", 16.5f, false, 0x00FFFF80),
  rows::button("btnQ", "Frame1", 3840, 240, 972, 600, "問", "在り無しを質問します。", 16.5f, false, 0x00FFFFC0),
  rows::button("btnST", "Frame1", 2136, 240, 972, 600, "始", "先に左の『順に‥、全部‥』を選択してください。", 16.5f, false, 0x0080FFFF),
  rows::label("lblQn", "Frame1", 4210, 840, 250, 252, "0", rows::kCounter),
  rows::label("lblSTn", "Frame1", 2510, 840, 250, 252, "0", rows::kCounter),
  rows::option("Option3", "Frame3", 140, "早", "出ている時間が短めです。", true),
  rows::option("Option4", "Frame3", 400, "遅", "出ている時間が長めです。", false),
  rows::option("Option2", "Frame2", 400, "漢", "漢字が出ます。", false),
  rows::option("Option1", "Frame2", 140, "あ", "ひらかなで出ます。", true),
};

// The order the keyboard moves through the controls with Tab.
inline constexpr std::array<std::string_view, 12> kTabOrder = {
  "Option1", "Option2", "btn1Jun", "btn2Jun", "Option3", "Option4",
  "btnST", "btnQ", "btnA", "btnEND", "btnY", "btnN"};

// The order a screen reader reads the controls in, as a person reads the window: the top
// row first and, within it, in the tab order.  The timers and the decorative shape are
// not read.
inline constexpr std::array<std::string_view, 32> kReadingOrder = {
  "Frame1", "Frame2", "Option1", "Option2", "btn1Jun", "btn2Jun", "Frame3", "Option3",
  "Option4", "btnST", "lblSTn", "btnQ", "lblQn", "btnA", "btnEND", "frmZnb",
  "lbl2Z", "lblAZ", "lblBZ", "lblA", "lblC", "lblB", "lblD", "lblRM",
  "lbl2", "lbl1h", "lbl1", "btnY", "btnN", "lblAn", "lblBn", "lblKng"};

// The labels whose changes a screen reader announces as they happen: the word of the
// display and the question.
inline constexpr std::array<std::string_view, 2> kAnnounced = {"lbl1", "lbl2"};
// clang-format on

// The row of the control named `name`.
consteval const ControlSpec& row(std::string_view name) {
  for (const ControlSpec& r : kRows) {
    if (r.name == name) return r;
  }
  throw "no such control";  // a compile-time error
}

}  // namespace sorato::form1
