#include "Control.h"

#include <array>

#include "ControlModel.h"

namespace sorato {

namespace {

constexpr std::uint32_t bit(Prop p) {
  return 1u << static_cast<unsigned>(p);
}

template <typename... P>
constexpr std::uint32_t bits(P... p) {
  return (bit(p) | ...);
}

constexpr std::uint32_t kGeometry = bits(Prop::Left, Prop::Top, Prop::Width, Prop::Height);
constexpr std::uint32_t kFont = bits(Prop::FontName, Prop::FontSize, Prop::FontBold);
constexpr std::uint32_t kButton = kGeometry | kFont |
                                  bits(Prop::Caption, Prop::ToolTipText, Prop::Visible,
                                       Prop::Enabled, Prop::ForeColor, Prop::BackColor);

// The properties each kind holds, indexed by Kind.
constexpr std::array<std::uint32_t, 7> kHeld = {
    /* Form */ bits(Prop::Caption, Prop::BackColor, Prop::Width, Prop::Height),
    /* Label */ kGeometry | kFont |
        bits(Prop::Caption, Prop::Visible, Prop::ForeColor, Prop::BackColor, Prop::BackStyle,
             Prop::BorderStyle, Prop::Alignment),
    /* CommandButton */ kButton,
    /* OptionButton */ kButton | bit(Prop::Value),
    /* Frame */ kGeometry |
        bits(Prop::Caption, Prop::Visible, Prop::Enabled, Prop::BackColor, Prop::BorderStyle),
    /* Timer */ bits(Prop::Enabled, Prop::Interval),
    /* Shape */ kGeometry |
        bits(Prop::Visible, Prop::BorderStyle, Prop::BorderColor, Prop::FillColor),
};

}  // namespace

Control::Control(ControlModel& model, const ControlSpec& spec)
    : Caption(*this, std::string(spec.caption)),
      ToolTipText(*this, std::string(spec.toolTip)),
      Visible(*this, spec.visible),
      Enabled(*this, spec.enabled),
      Value(*this, spec.value),
      ForeColor(*this, spec.foreColor),
      BackColor(*this, spec.backColor),
      BackStyle(*this, spec.backStyle),
      BorderStyle(*this, spec.borderStyle),
      Alignment(*this, spec.alignment),
      Left(*this, spec.left),
      Top(*this, spec.top),
      Width(*this, spec.width),
      Height(*this, spec.height),
      Interval(*this, spec.interval),
      FontName(*this, std::string(spec.fontName)),
      FontSize(*this, spec.fontSize),
      FontBold(*this, spec.fontBold),
      BorderColor(*this, spec.borderColor),
      FillColor(*this, spec.fillColor),
      model_(model),
      name_(spec.name),
      kind_(spec.kind),
      container_(spec.container.empty() ? nullptr : model.find(spec.container)),
      index_(model.enroll(this)) {}

bool Control::has(Prop p) const {
  return (kHeld[static_cast<std::size_t>(kind_)] & bit(p)) != 0;
}

PropValue Control::get(Prop p) const {
  switch (p) {
    case Prop::Caption: return Caption.get();
    case Prop::ToolTipText: return ToolTipText.get();
    case Prop::Visible: return Visible.get();
    case Prop::Enabled: return Enabled.get();
    case Prop::Value: return Value.get();
    case Prop::ForeColor: return ForeColor.get();
    case Prop::BackColor: return BackColor.get();
    case Prop::BackStyle: return BackStyle.get();
    case Prop::BorderStyle: return BorderStyle.get();
    case Prop::Alignment: return Alignment.get();
    case Prop::Left: return Left.get();
    case Prop::Top: return Top.get();
    case Prop::Width: return Width.get();
    case Prop::Height: return Height.get();
    case Prop::Interval: return Interval.get();
    case Prop::FontName: return FontName.get();
    case Prop::FontSize: return FontSize.get();
    case Prop::FontBold: return FontBold.get();
    case Prop::BorderColor: return BorderColor.get();
    case Prop::FillColor: return FillColor.get();
  }
  return false;
}

void Control::written(Prop p) {
  model_.propertyWritten(*this, p);
}

}  // namespace sorato
