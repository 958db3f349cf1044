#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "Colour.h"
#include "Names.h"

namespace sorato {

class Control;
class ControlModel;

enum class Kind : std::uint8_t { Form, Label, CommandButton, OptionButton, Frame, Timer, Shape };

// Every property a control of some kind holds.  Which kinds hold which is told by
// Control::has().
enum class Prop : std::uint8_t {
  Caption,
  ToolTipText,
  Visible,
  Enabled,
  Value,
  ForeColor,
  BackColor,
  BackStyle,
  BorderStyle,
  Alignment,
  Left,
  Top,
  Width,
  Height,
  Interval,
  FontName,
  FontSize,
  FontBold,
  BorderColor,
  FillColor,
};
inline constexpr int kPropCount = static_cast<int>(Prop::FillColor) + 1;

inline constexpr NameTable<Prop, kPropCount> kPropNames{{
    "Caption",   "ToolTipText", "Visible",   "Enabled",  "Value",       "ForeColor", "BackColor",
    "BackStyle", "BorderStyle", "Alignment", "Left",     "Top",         "Width",     "Height",
    "Interval",  "FontName",    "FontSize",  "FontBold", "BorderColor", "FillColor",
}};

using PropValue = std::variant<bool, std::int32_t, float, std::string, Colour>;

// One property of a control.  It reads like a plain value and every assignment, also of
// an unchanged value, is reported to the model, which passes it on to its observers
// (the window binding, the timers, a trace).
template <typename T, Prop P>
class Property {
 public:
  Property(Control& owner, T initial) : owner_(owner), value_(std::move(initial)) {}
  Property(const Property&) = delete;
  Property& operator=(const Property&) = delete;

  operator const T&() const noexcept { return value_; }
  const T& get() const noexcept { return value_; }
  Property& operator=(T v);

 private:
  Control& owner_;
  T value_;
};

// The values a control is created with.  Fields a kind does not hold are ignored.
struct ControlSpec {
  std::string_view name;
  Kind kind = Kind::Label;
  std::string_view container{};  // the name of the frame or window it stands in
  float left = 0, top = 0, width = 0, height = 0;
  std::string_view caption{};
  std::string_view toolTip{};
  std::string_view fontName{};
  float fontSize = 0;
  bool fontBold = false;
  std::int32_t alignment = 0;
  std::int32_t borderStyle = 0;
  std::int32_t backStyle = 0;
  Colour backColor{};
  Colour foreColor{};
  bool visible = true;
  bool enabled = true;
  bool value = false;
  std::int32_t interval = 0;
  Colour borderColor{};
  Colour fillColor{};
};

class Control {
 public:
  Control(ControlModel& model, const ControlSpec& spec);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  std::string_view name() const { return name_; }
  Kind kind() const { return kind_; }
  // The frame or window this control stands in; null for the window itself.
  Control* container() const { return container_; }
  // Position in creation order, 0 for the window.
  int index() const { return index_; }

  bool has(Prop p) const;
  PropValue get(Prop p) const;

  Property<std::string, Prop::Caption> Caption;
  Property<std::string, Prop::ToolTipText> ToolTipText;
  Property<bool, Prop::Visible> Visible;
  Property<bool, Prop::Enabled> Enabled;
  Property<bool, Prop::Value> Value;
  Property<Colour, Prop::ForeColor> ForeColor;
  Property<Colour, Prop::BackColor> BackColor;
  Property<std::int32_t, Prop::BackStyle> BackStyle;
  Property<std::int32_t, Prop::BorderStyle> BorderStyle;
  Property<std::int32_t, Prop::Alignment> Alignment;
  Property<float, Prop::Left> Left;
  Property<float, Prop::Top> Top;
  Property<float, Prop::Width> Width;
  Property<float, Prop::Height> Height;
  Property<std::int32_t, Prop::Interval> Interval;
  Property<std::string, Prop::FontName> FontName;
  Property<float, Prop::FontSize> FontSize;
  Property<bool, Prop::FontBold> FontBold;
  Property<Colour, Prop::BorderColor> BorderColor;
  Property<Colour, Prop::FillColor> FillColor;

 private:
  template <typename T, Prop P>
  friend class Property;
  void written(Prop p);

  ControlModel& model_;
  std::string name_;
  Kind kind_;
  Control* container_;
  int index_;
};

template <typename T, Prop P>
Property<T, P>& Property<T, P>::operator=(T v) {
  value_ = std::move(v);
  owner_.written(P);
  return *this;
}

}  // namespace sorato
