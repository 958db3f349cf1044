// The control model as created: names, containment, and the rules of each kind.

#include <gtest/gtest.h>

#include <set>

#include "ui/ControlModel.h"
#include "ui/TouchLayout.h"
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

// What each key does, as every binding asks it: Tab walks the window's order (the
// selected option of a group only, past what cannot take the focus), the arrow keys go
// round an option group and do nothing on a button, Space and Return press a button once
// however long held.
TEST(Keyboard, WhatEachKeyDoes) {
  ControlModel ui;
  ui.btnA.Enabled = false;
  struct Row {
    const char* what;
    Control* focused;
    Key key;
    bool repeat;
    KeyAction::What action;
    Control* target;
  };
  const Row rows[] = {
      {"Tab from あ to 順に出す", &ui.Option1, Key::Tab, false, KeyAction::Focus, &ui.btn1Jun},
      {"Tab from 全部出す to 早", &ui.btn2Jun, Key::Tab, false, KeyAction::Focus, &ui.Option3},
      {"Tab from 早 past 遅 to 始", &ui.Option3, Key::Tab, false, KeyAction::Focus, &ui.btnST},
      {"Tab from 問 past a disabled 答", &ui.btnQ, Key::Tab, false, KeyAction::Focus, &ui.btnEND},
      {"Tab from いいえ round to あ", &ui.btnN, Key::Tab, false, KeyAction::Focus, &ui.Option1},
      {"Shift+Tab from あ round to いいえ", &ui.Option1, Key::BackTab, false, KeyAction::Focus,
       &ui.btnN},
      {"Tab from nowhere to あ", nullptr, Key::Tab, false, KeyAction::Focus, &ui.Option1},
      {"Shift+Tab from nowhere to いいえ", nullptr, Key::BackTab, false, KeyAction::Focus,
       &ui.btnN},
      {"Tab held goes on", &ui.btnST, Key::Tab, true, KeyAction::Focus, &ui.btnQ},
      {"Down on あ to 漢", &ui.Option1, Key::Down, false, KeyAction::Select, &ui.Option2},
      {"Right on あ to 漢", &ui.Option1, Key::Right, false, KeyAction::Select, &ui.Option2},
      {"Up on あ round to 漢", &ui.Option1, Key::Up, false, KeyAction::Select, &ui.Option2},
      {"Left on 遅 to 早, held", &ui.Option4, Key::Left, true, KeyAction::Select, &ui.Option3},
      {"an arrow on a button does nothing", &ui.btnQ, Key::Down, false, KeyAction::Nothing,
       nullptr},
      {"Return on 始 presses it", &ui.btnST, Key::Return, false, KeyAction::Press, &ui.btnST},
      {"Space on はい presses it", &ui.btnY, Key::Space, false, KeyAction::Press, &ui.btnY},
      {"Return held presses no more", &ui.btnN, Key::Return, true, KeyAction::Nothing, nullptr},
      {"Space held presses no more", &ui.btnN, Key::Space, true, KeyAction::Nothing, nullptr},
      {"Return on an option does nothing", &ui.Option1, Key::Return, false, KeyAction::Nothing,
       nullptr},
      {"another key is the toolkit's", &ui.btnQ, Key::Other, false, KeyAction::Toolkit, nullptr},
  };
  for (const Row& r : rows) {
    const KeyAction a = ui.keyDown(r.focused, r.key, r.repeat);
    EXPECT_EQ(a.what, r.action) << r.what;
    EXPECT_EQ(a.target, r.target) << r.what;
  }
  ui.Frame1.Enabled = false;  // nothing inside a locked frame
  EXPECT_EQ(ui.keyDown(&ui.btnY, Key::Tab, false).target, &ui.btnN);
  EXPECT_EQ(ui.keyDown(&ui.btnN, Key::Tab, false).target, &ui.btnY);
}

// Where the focus goes after a handler, from where it was: it stays where it can; else
// to the control the handler enabled last (問 at a display's end, 答 after the
// twentieth answer); else on along the tab order.
TEST(Keyboard, TheFocusAfterAHandler) {
  ControlModel ui;
  struct Row {
    const char* what;
    Control* focused;
    std::vector<Control*> disabled, enabled;  // by the handler, in this order
    Control* after;
  };
  const Row rows[] = {
      {"a button still enabled keeps it", &ui.btnST, {}, {&ui.btnQ}, &ui.btnST},
      {"始 disabled at the display's end: 問", &ui.btnST, {&ui.btnST}, {&ui.btnQ}, &ui.btnQ},
      {"the twentieth answer: 答", &ui.btnY, {&ui.btnY, &ui.btnN, &ui.btnQ}, {&ui.btnA}, &ui.btnA},
      {"the last enabled that can take it", &ui.btnY, {&ui.btnY}, {&ui.btnA, &ui.btnQ}, &ui.btnQ},
      {"nothing enabled: on along the order", &ui.btnQ, {&ui.btnQ, &ui.btnA}, {}, &ui.btnEND},
      {"nowhere stays nowhere", nullptr, {&ui.btnQ}, {&ui.btnA}, nullptr},
  };
  for (const Row& r : rows) {
    ui.setHandler(ui.btnST, Event::Click, [&](const MouseArgs&) {
      for (Control* c : r.disabled) c->Enabled = false;
      for (Control* c : r.enabled) c->Enabled = true;
    });
    for (Control* c : ui.tabOrder()) {
      if (c->kind() == Kind::CommandButton) c->Enabled = true;
    }
    ui.raise(ui.btnST, Event::Click);
    EXPECT_EQ(ui.focusAfterHandler(r.focused), r.after) << r.what;
  }
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

// A timer ticks only while it is enabled with an interval above 0: in 1.2 s, none, or
// one each 600 ms.
// The layout a screen gets, and the game's own moves followed in it.
TEST(TouchLayout, ChosenByTheScreenFollowingTheGame) {
  ControlModel ui;
  ui.Form1.Width = 9500;
  ui.Form1.Height = 7000;
  struct Case {
    double width, height;
    bool touch;
    LayoutKind want;
  };
  for (const Case& c :
       {Case{360, 640, true, LayoutKind::Upright}, Case{844, 390, true, LayoutKind::Sideways},
        Case{1180, 820, true, LayoutKind::Sideways}, Case{390, 844, false, LayoutKind::Window},
        Case{3000, 2200, true, LayoutKind::Window}}) {
    EXPECT_EQ(layoutFor(ui, c.width, c.height, c.touch), c.want) << c.width << " x " << c.height;
  }
  const TouchSpot& form = touchSpot(LayoutKind::Upright, ui.Form1);
  EXPECT_GE(touchSpot(LayoutKind::Upright, ui.frmZnb).left, form.width);  // as created
  ui.frmZnb.Left = 1700;
  ui.frmZnb.Top = 1300;
  const TouchSpot& shown = touchSpot(LayoutKind::Upright, ui.frmZnb);
  EXPECT_LE(shown.left + shown.width, form.width);
}

TEST(Timers, TickOnlyWhenEnabledWithAnInterval) {
  struct Row {
    bool enabled;
    std::int32_t interval;
    int ticks;
  };
  for (const Row& r : {Row{true, 600, 2}, Row{true, 0, 0}, Row{false, 600, 0}, Row{true, -1, 0}}) {
    ControlModel ui;
    VirtualClock clock(ui);
    int ticks = 0;
    ui.setHandler(ui.Timer1, Event::Timer, [&](const MouseArgs&) { ++ticks; });
    ui.Timer1.Enabled = r.enabled;
    ui.Timer1.Interval = r.interval;
    clock.advance(1200);
    EXPECT_EQ(ticks, r.ticks) << r.enabled << " " << r.interval;
  }
}

}  // namespace
}  // namespace sorato
