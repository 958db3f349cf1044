#include "TouchLayout.h"

#include <algorithm>
#include <span>

#include "ControlModel.h"
#include "Form1.h"
#include "Layout.h"

namespace sorato {

namespace {

// Twips to a pixel at 96 to the inch.
constexpr double kTwipsPerPixel = 1440.0 / 96;

// The smallest side of any button or option in the window's own layout, in pixels at 96
// to the inch.
constexpr double smallestTarget() {
  double smallest = 1e9;
  for (const ControlSpec& r : form1::kRows) {
    if (r.kind == Kind::CommandButton || r.kind == Kind::OptionButton)
      smallest = std::min({smallest, static_cast<double>(r.width), static_cast<double>(r.height)});
  }
  return smallest / kTwipsPerPixel;
}

std::span<const TouchSpot> spotsOf(LayoutKind layout) {
  return layout == LayoutKind::Sideways ? std::span<const TouchSpot>(touch::kSideways)
                                        : std::span<const TouchSpot>(touch::kUpright);
}

}  // namespace

LayoutKind layoutFor(const ControlModel& model, double width, double height, bool touchScreen) {
  if (!touchScreen) return LayoutKind::Window;
  const double scale = std::min(width / (model.Form1.Width / kTwipsPerPixel),
                                height / (model.Form1.Height / kTwipsPerPixel));
  if (smallestTarget() * scale >= touch::kFinger) return LayoutKind::Window;
  return height > width ? LayoutKind::Upright : LayoutKind::Sideways;
}

const TouchSpot& touchSpot(LayoutKind layout, const Control& c) {
  const std::span<const TouchSpot> spots = spotsOf(layout);
  const TouchSpot* fallback = &spots.back();  // Form1's, for a control not laid out
  for (const TouchSpot& s : spots) {
    if (s.name != c.name()) continue;
    if (!s.placed) {
      fallback = &s;
    } else if (s.fromLeft == c.Left && s.fromTop == c.Top) {
      return s;
    }
  }
  return *fallback;
}

Extent wholeClient(const ControlModel& model) {
  Extent e;
  for (const Control* c : model.childrenOf(model.Form1)) {
    if (c->kind() == Kind::Timer || (c->kind() == Kind::Frame && !c->Visible)) continue;
    e.width = std::max(e.width, c->Left + c->Width);
    e.height = std::max(e.height, c->Top + c->Height);
  }
  return e;
}

TwipPoint touchToTwips(LayoutKind layout, const Control& c, double x, double y) {
  const TouchSpot& s = touchSpot(layout, c);
  return {s.width > 0 ? static_cast<float>(x / s.width * c.Width) : 0,
          s.height > 0 ? static_cast<float>(y / s.height * c.Height) : 0};
}

}  // namespace sorato
