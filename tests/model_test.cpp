// The control model as created: names, containment, tables, and the rules of each kind.

#include <gtest/gtest.h>

#include <set>

#include "ui/ControlModel.h"
#include "ui/VirtualClock.h"

namespace sorato {
namespace {

TEST(ControlModel, HoldsThirtyFiveControlsOfTheRightKinds) {
  ControlModel ui;
  std::map<Kind, int> kinds;
  std::set<std::string_view> names;
  for (Control* c : ui.all()) {
    if (c == &ui.Form1) continue;
    ++kinds[c->kind()];
    names.insert(c->name());
    EXPECT_EQ(ui.find(c->name()), c);
  }
  EXPECT_EQ(names.size(), 35u);
  EXPECT_EQ(kinds[Kind::Label], 16);
  EXPECT_EQ(kinds[Kind::CommandButton], 8);
  EXPECT_EQ(kinds[Kind::OptionButton], 4);
  EXPECT_EQ(kinds[Kind::Frame], 4);
  EXPECT_EQ(kinds[Kind::Timer], 2);
  EXPECT_EQ(kinds[Kind::Shape], 1);
  EXPECT_EQ(ui.find("nothing"), nullptr);
}

TEST(ControlModel, ContainersListTheirChildrenInOrder) {
  ControlModel ui;
  auto names = [&](const Control& c) {
    std::vector<std::string_view> out;
    for (Control* child : ui.childrenOf(c)) out.push_back(child->name());
    return out;
  };
  using V = std::vector<std::string_view>;
  EXPECT_EQ(names(ui.Form1),
            (V{"frmZnb", "Timer1", "btnN", "btnY", "Frame1", "lblRM", "lblKng", "Shape1", "lblD",
               "lblC", "lblBn", "lblAn", "lblB", "lblA", "lbl1h", "lbl2", "lbl1"}));
  EXPECT_EQ(names(ui.frmZnb), (V{"Timer2", "lbl2Z", "lblBZ", "lblAZ"}));
  EXPECT_EQ(names(ui.Frame1), (V{"btn1Jun", "btn2Jun", "Frame3", "Frame2", "btnEND", "btnA", "btnQ",
                                 "btnST", "lblQn", "lblSTn"}));
  EXPECT_EQ(names(ui.Frame3), (V{"Option3", "Option4"}));
  EXPECT_EQ(names(ui.Frame2), (V{"Option2", "Option1"}));
  EXPECT_LT(ui.Timer1.index(), ui.Timer2.index());
}

// A sample of the tables, one row of each kind and the odd values.
TEST(ControlModel, CreatedWithTheValuesOfTheTables) {
  ControlModel ui;
  EXPECT_EQ(ui.btnST.ToolTipText.get(), "先に左の『順に‥、全部‥』を選択してください。");
  EXPECT_EQ(ui.btnST.BackColor.get(), Colour{0x0080FFFF});
  EXPECT_EQ(ui.btnST.FontSize.get(), 16.5f);
  EXPECT_TRUE(ui.btn1Jun.FontBold);
  EXPECT_EQ(ui.btn2Jun.Left.get(), 180.0f);
  EXPECT_EQ(ui.btnY.FontSize.get(), 25.5f);
  EXPECT_EQ(ui.Option2.ToolTipText.get(), "漢字が出ます。");
  EXPECT_TRUE(ui.Option1.Value);
  EXPECT_TRUE(ui.Option3.Value);
  EXPECT_FALSE(ui.Option4.Value);
  EXPECT_EQ(ui.frmZnb.Left.get(), 9120.0f);
  EXPECT_EQ(ui.Frame1.BorderStyle.get(), 1);
  EXPECT_EQ(ui.lbl2.Caption.get(), "下の言葉を記憶してください。では始めます。");
  EXPECT_FALSE(ui.lbl2.Visible);
  EXPECT_EQ(ui.lbl2.FontSize.get(), 15.75f);
  EXPECT_EQ(ui.lblKng.BackStyle.get(), 1);
  EXPECT_EQ(ui.lblKng.ForeColor.get(), Colour{0x00C00000});
  EXPECT_EQ(ui.lblKng.FontSize.get(), 4.5f);
  EXPECT_EQ(ui.lblQn.BackColor.get(), colours::ButtonFace);
  EXPECT_EQ(ui.lblQn.FontName.get(), "ＭＳ Ｐゴシック");
  EXPECT_EQ(ui.lbl2Z.ForeColor.get(), Colour{0x00C0C0C0});
  EXPECT_EQ(ui.lblBn.Alignment.get(), 1);
  EXPECT_EQ(ui.lblAZ.FontSize.get(), 22.5f);
  EXPECT_FALSE(ui.Timer1.Enabled);
  EXPECT_EQ(ui.Timer1.Interval.get(), 1000);
  EXPECT_TRUE(ui.Timer2.Enabled);
  EXPECT_EQ(ui.Timer2.Interval.get(), 0);
  EXPECT_EQ(ui.Form1.BackColor.get(), Colour{0x00FFFFC0});
}

TEST(ControlModel, KindsHoldOnlyTheirOwnProperties) {
  ControlModel ui;
  EXPECT_TRUE(ui.Timer1.has(Prop::Interval));
  EXPECT_FALSE(ui.Timer1.has(Prop::Caption));
  EXPECT_FALSE(ui.lbl1.has(Prop::Enabled));
  EXPECT_FALSE(ui.btnQ.has(Prop::Value));
  EXPECT_TRUE(ui.Option1.has(Prop::Value));
  EXPECT_FALSE(ui.Frame1.has(Prop::ToolTipText));
  EXPECT_TRUE(ui.Form1.has(Prop::Width));
}

struct Recorder : ModelObserver {
  std::vector<std::string> seen;
  void propertyWritten(Control& c, Prop p) override {
    seen.push_back(std::string(c.name()) + "." + std::string(kPropNames[p]));
  }
  void eventRaised(Control& c, Event e) override {
    seen.push_back("@" + std::string(c.name()) + "." + std::string(kEventNames[e]));
  }
};

TEST(OptionGroups, AClickSelectsWithinItsFrameOnly) {
  ControlModel ui;
  Recorder r;
  ui.addObserver(&r);
  EXPECT_TRUE(ui.click(ui.Option2));
  EXPECT_TRUE(ui.Option2.Value);
  EXPECT_FALSE(ui.Option1.Value);
  EXPECT_TRUE(ui.Option3.Value);
  EXPECT_EQ(r.seen, (std::vector<std::string>{"Option2.Value", "Option1.Value"}));
  // A click on the selected button changes nothing.
  r.seen.clear();
  EXPECT_FALSE(ui.click(ui.Option2));
  EXPECT_TRUE(r.seen.empty());
  ui.removeObserver(&r);
}

TEST(OptionGroups, ADisabledFrameKeepsItsSelection) {
  ControlModel ui;
  ui.Frame2.Enabled = false;
  EXPECT_FALSE(ui.click(ui.Option2));
  EXPECT_TRUE(ui.Option1.Value);
  EXPECT_FALSE(ui.Option2.Value);
  EXPECT_TRUE(ui.Option1.Enabled);  // the children's own state is untouched
  ui.Frame2.Enabled = true;
  EXPECT_TRUE(ui.click(ui.Option2));
}

TEST(Enabled, OnlyAnEnabledShownButtonRaisesClick) {
  ControlModel ui;
  int clicks = 0;
  ui.setHandler(ui.btnQ, Event::Click, [&](const MouseArgs&) { ++clicks; });
  EXPECT_TRUE(ui.click(ui.btnQ));
  ui.btnQ.Enabled = false;
  EXPECT_FALSE(ui.click(ui.btnQ));
  ui.btnQ.Enabled = true;
  ui.Frame1.Enabled = false;  // a disabled container locks its buttons too
  EXPECT_FALSE(ui.click(ui.btnQ));
  ui.Frame1.Enabled = true;
  ui.Frame1.Visible = false;
  EXPECT_FALSE(ui.click(ui.btnQ));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(ui.click(ui.lbl1));  // labels take no clicks
}

TEST(Visible, AHiddenFrameHidesItsChildrenAndTheyReturnWithIt) {
  ControlModel ui;
  ui.frmZnb.Visible = false;
  EXPECT_TRUE(ui.lblAZ.Visible);
  EXPECT_FALSE(ui.isShown(ui.lblAZ));
  EXPECT_FALSE(ui.isShown(ui.lbl2Z));
  ui.frmZnb.Visible = true;
  EXPECT_TRUE(ui.isShown(ui.lblAZ));
  EXPECT_FALSE(ui.isShown(ui.lbl2Z));  // hidden by its own Visible
}

TEST(MouseDown, ReachesAShownLabelWithItsArguments) {
  ControlModel ui;
  MouseArgs got;
  int presses = 0;
  ui.setHandler(ui.lblKng, Event::MouseDown, [&](const MouseArgs& a) {
    got = a;
    ++presses;
  });
  EXPECT_TRUE(ui.mouseDown(ui.lblKng, {mouse::Right, mouse::Shift | mouse::Alt, 30, 45}));
  EXPECT_EQ(got.button, mouse::Right);
  EXPECT_EQ(got.shift, 5);
  EXPECT_EQ(got.y, 45.0f);
  ui.lblKng.Visible = false;
  EXPECT_FALSE(ui.mouseDown(ui.lblKng, {}));
  EXPECT_FALSE(ui.mouseDown(ui.btnQ, {}));
  EXPECT_EQ(presses, 1);
}

TEST(Unload, EndsEveryEvent) {
  ControlModel ui;
  int events = 0, unloads = 0;
  struct Count : ModelObserver {
    int& n;
    explicit Count(int& n) : n(n) {}
    void unloaded() override { ++n; }
  } count(unloads);
  ui.addObserver(&count);
  ui.setHandler(ui.btnQ, Event::Click, [&](const MouseArgs&) { ++events; });
  ui.unload();
  ui.unload();
  EXPECT_FALSE(ui.click(ui.btnQ));
  ui.raise(ui.btnQ, Event::Click);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(unloads, 1);
  ui.removeObserver(&count);
}

TEST(ControlModel, TabOrderAsListed) {
  ControlModel ui;
  std::vector<std::string_view> order;
  for (Control* c : ui.tabOrder()) order.push_back(c->name());
  EXPECT_EQ(order, (std::vector<std::string_view>{"Option1", "Option2", "btn1Jun", "btn2Jun",
                                                  "Option3", "Option4", "btnST", "btnQ", "btnA",
                                                  "btnEND", "btnY", "btnN"}));
}

TEST(ControlModel, ACaptionReadsBackExactlyAsAssigned) {
  ControlModel ui;
  for (const std::string& text : {std::string(), std::string(" 前後 "), std::string("a\r\nb\r\n"),
                                  std::string("\r"), std::string("<b>"), std::string("x\0y", 3)}) {
    ui.lbl1.Caption = text;
    EXPECT_EQ(ui.lbl1.Caption.get(), text);
  }
}

}  // namespace
}  // namespace sorato
