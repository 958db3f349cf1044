// The control model as created: names, containment, and the rules of each kind.

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

struct Recorder : ModelObserver {
  std::vector<std::string> seen;
  void propertyWritten(Control& c, Prop p) override {
    seen.push_back(std::string(c.name()) + "." + std::string(kPropNames[p]));
  }
  void eventRaised(Control& c, Event e) override {
    std::string line(1, '@');  // (appended piece by piece: GCC 12 misreads "@" + string)
    line.append(c.name()).append(".").append(kEventNames[e]);
    seen.push_back(line);
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

// Where the keyboard can go, as every binding asks it: Tab reaches the selected option
// of each group and every button, and nothing inside a locked frame.
TEST(Keyboard, TabChainFirstFocusAndTheFocusAfterAClick) {
  ControlModel ui;
  auto chain = [&] {
    std::vector<std::string_view> out;
    for (Control* c : ui.all()) {
      if (ui.inTabChain(*c)) out.push_back(c->name());
    }
    return out;
  };
  using V = std::vector<std::string_view>;
  EXPECT_EQ(chain(), (V{"btnN", "btnY", "btn1Jun", "btn2Jun", "btnEND", "btnA", "btnQ", "btnST",
                        "Option3", "Option1"}));
  EXPECT_EQ(ui.initialFocus(), &ui.Option1);

  EXPECT_TRUE(ui.click(ui.Option2));
  EXPECT_EQ(ui.focusAfterClick(ui.Option2), &ui.Option2);
  EXPECT_EQ(ui.initialFocus(), &ui.Option2);
  EXPECT_EQ(ui.focusAfterClick(ui.Option1), nullptr);  // not the selected one
  EXPECT_EQ(ui.focusAfterClick(ui.btnQ), nullptr);     // a button takes it by the click

  ui.btnA.Enabled = false;  // a disabled button stays in the chain, skipped while disabled
  EXPECT_TRUE(ui.inTabChain(ui.btnA));
  EXPECT_FALSE(ui.takesFocus(ui.btnA));

  ui.Frame1.Enabled = false;  // everything inside the locked frame leaves the chain
  EXPECT_EQ(chain(), (V{"btnN", "btnY"}));
  EXPECT_EQ(ui.initialFocus(), nullptr);
  EXPECT_EQ(ui.focusAfterClick(ui.Option2), nullptr);

  ui.Frame1.Enabled = true;
  ui.unload();
  EXPECT_EQ(ui.focusAfterClick(ui.Option2), nullptr);
}

TEST(Keyboard, ArrowKeysMoveWithinAnOptionGroupRoundIt) {
  ControlModel ui;
  struct Row {
    Control* from;
    bool forward;
    Control* to;
  };
  for (const Row& r : {Row{&ui.Option1, true, &ui.Option2}, Row{&ui.Option2, true, &ui.Option1},
                       Row{&ui.Option1, false, &ui.Option2}, Row{&ui.Option3, true, &ui.Option4},
                       Row{&ui.Option4, false, &ui.Option3}, Row{&ui.btnQ, true, nullptr}}) {
    EXPECT_EQ(ui.optionAfterArrow(*r.from, r.forward), r.to) << r.from->name();
  }
}

TEST(ScreenReaders, TheDisplayedWordAndTheQuestionAreAnnounced) {
  ControlModel ui;
  std::vector<std::string_view> announced;
  for (Control* c : ui.all()) {
    if (ui.announcesChanges(*c)) announced.push_back(c->name());
  }
  EXPECT_EQ(announced, (std::vector<std::string_view>{"lbl2", "lbl1"}));
}

TEST(Timers, TickOnlyWhenEnabledWithAnInterval) {
  ControlModel ui;
  struct Row {
    bool enabled;
    std::int32_t interval;
    bool ticks;
  };
  for (const Row& r :
       {Row{true, 600, true}, Row{true, 0, false}, Row{false, 600, false}, Row{true, -1, false}}) {
    ui.Timer1.Enabled = r.enabled;
    ui.Timer1.Interval = r.interval;
    EXPECT_EQ(ControlModel::ticking(ui.Timer1), r.ticks) << r.enabled << " " << r.interval;
  }
}

}  // namespace
}  // namespace sorato
