// The Qt binding, offscreen: widgets stand where the model says, show what it says, and
// real input reaches the model only where the rules let it.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFontInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <map>

#include "World.h"
#include "tools/RuntimeDir.h"
#include "ui/qt/Application.h"
#include "ui/qt/ControlWidgets.h"
#include "ui/qt/RealClock.h"
#include "ui/qt/WindowBinding.h"

namespace sorato {
namespace {

using testing::World;

// Runs the event loop until `done` holds or `timeoutMs` have passed; says which.
// (QtTest's QTRY_ macros report to QtTest, and inside a GoogleTest they fail silently.)
template <typename Done>
bool waitUntil(Done done, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::qSleep(1);
  }
  return true;
}

struct Window {
  World w;
  qt::WindowBinding binding{w.ui};
  Window() {
    binding.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(binding.window()));
  }
  QWidget* widget(const Control& c) const { return binding.widgetOf(c); }
  // The centre of a control in window coordinates.
  QPoint centre(const Control& c) const {
    QWidget* wgt = widget(c);
    return wgt->mapTo(binding.window(), wgt->rect().center());
  }
  void clickAt(QPoint at, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(binding.window()->windowHandle(), Qt::LeftButton, mods, at);
    QCoreApplication::processEvents();
  }
};

TEST(Widgets, StandWhereTheTwipsSay) {
  Window win;
  struct Row {
    const Control* c;
    QRect px;
  };
  auto& ui = win.w.ui;
  // At 96 DPI a pixel is 15 twips; inside a frame, counted from within its border.
  for (const Row& r :
       {Row{&ui.Frame1, QRect(64, 13, 496, 73)}, Row{&ui.btnST, QRect(1 + 142, 1 + 16, 65, 40)},
        Row{&ui.Option2, QRect(1 + 0, 1 + 27, 32, 12)}, Row{&ui.btnY, QRect(176, 304, 121, 65)},
        Row{&ui.lbl1, QRect(152, 197, 314, 80)}, Row{&ui.lblRM, QRect(100, 107, 500, 266)}}) {
    EXPECT_EQ(win.widget(*r.c)->geometry(), r.px) << r.c->name();
  }
  const QSize outer = win.binding.window()->frameGeometry().size();
  EXPECT_NEAR(outer.width(), 633, 1);
  EXPECT_NEAR(outer.height(), 467, 1);
  EXPECT_EQ(win.binding.window()->windowTitle(), QStringLiteral("ソラト"));
}

// What a person sees once the window has started: the controls that show, in reading
// order, what each says, which take a click, and that all of them lie inside the
// window (the peek label stands below its edge, out of sight).
TEST(Widgets, WhatAPersonSeesAfterStartUp) {
  Window win;
  struct Row {
    const char* name;
    const char* text;
    bool takesClicks;
  };
  const std::vector<Row> expected = {
      {"Frame1", "", false},          {"Frame2", "", false},         {"Option1", "あ", true},
      {"Option2", "漢", true},        {"btn1Jun", "順に出す", true}, {"btn2Jun", "全部出す", true},
      {"Frame3", "", false},          {"Option3", "早", true},       {"Option4", "遅", true},
      {"btnST", "始", true},          {"lblSTn", "0", false},        {"btnQ", "問", true},
      {"lblQn", "0", false},          {"btnA", "答", true},          {"btnEND", "終了", true},
      {"lblRM", "年を取ると", false}, {"lbl1", "", false},           {"btnY", "はい", true},
      {"btnN", "いいえ", true}};
  QWidget* window = win.binding.window();
  std::vector<std::string> shown;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (win.binding.controlOf(w) == nullptr || !w->isVisibleTo(window)) continue;
    if (w->visibleRegion().isEmpty()) {
      EXPECT_EQ(w->objectName(), QStringLiteral("lblKng"));
      continue;
    }
    const QRect at(w->mapTo(window, QPoint(0, 0)), w->size());
    EXPECT_TRUE(window->rect().contains(at)) << w->objectName().toStdString();
    if (w->objectName() != QStringLiteral("Shape1")) shown.push_back(w->objectName().toStdString());
  }
  std::vector<std::string> names;
  for (const Row& r : expected) {
    names.push_back(r.name);
    QWidget* w = window->findChild<QWidget*>(QString::fromUtf8(r.name));
    ASSERT_NE(w, nullptr) << r.name;
    QString text;
    if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
    const bool says = *r.text == '\0' ? text.isEmpty() : text.startsWith(QString::fromUtf8(r.text));
    EXPECT_TRUE(says) << r.name << ": " << text.toStdString();
    const bool clickable = qobject_cast<QAbstractButton*>(w) != nullptr && w->isEnabled();
    EXPECT_EQ(clickable, r.takesClicks) << r.name;
  }
  std::sort(shown.begin(), shown.end());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(shown, names);
}

TEST(Widgets, ARealClickReachesAnEnabledButtonOnly) {
  Window win;
  auto& ui = win.w.ui;
  win.clickAt(win.centre(ui.btn1Jun));
  EXPECT_TRUE(ui.lbl2.Visible);  // prepared
  EXPECT_FALSE(ui.btnQ.Enabled);
  const std::string word = win.w.state.quizWord[0];
  win.clickAt(win.centre(ui.btnQ));
  EXPECT_EQ(ui.lblQn.Caption.get(), "0");
  EXPECT_FALSE(win.widget(ui.btnQ)->isEnabled());
  win.clickAt(win.centre(ui.btnST));
  EXPECT_EQ(ui.btnST.Caption.get(), "止");
  EXPECT_EQ(static_cast<QPushButton*>(win.widget(ui.btnST))->text(), QStringLiteral("止"));
}

TEST(Widgets, ALockedFrameIgnoresInputButLooksTheSame) {
  Window win;
  auto& ui = win.w.ui;
  auto* option = static_cast<QRadioButton*>(win.widget(ui.Option2));
  const QImage before = option->grab().toImage();
  ui.Frame2.Enabled = false;
  win.clickAt(win.centre(ui.Option2));
  EXPECT_FALSE(ui.Option2.Value);
  EXPECT_FALSE(option->isChecked());
  EXPECT_TRUE(option->isEnabled());
  EXPECT_EQ(option->grab().toImage(), before);
  ui.Frame2.Enabled = true;
  win.clickAt(win.centre(ui.Option2));
  EXPECT_TRUE(ui.Option2.Value);
  EXPECT_TRUE(option->isChecked());
  EXPECT_FALSE(static_cast<QRadioButton*>(win.widget(ui.Option1))->isChecked());
  EXPECT_TRUE(option->hasFocus());  // the focus follows the selection
}

TEST(Widgets, TheAllAtOnceFrameCoversTheAnswerButtons) {
  Window win;
  auto& ui = win.w.ui;
  const QPoint yes = win.centre(ui.btnY);
  win.clickAt(win.centre(ui.btn2Jun));
  ASSERT_TRUE(win.widget(ui.frmZnb)->isVisible());
  ui.btnY.Enabled = true;  // even an enabled button underneath gets no click
  win.clickAt(yes);
  EXPECT_EQ(ui.lblQn.Caption.get(), "0");
  EXPECT_EQ(win.binding.window()->childAt(yes)->objectName(), QStringLiteral("lblAZ"));
}

TEST(Widgets, LabelsShowCrLfAsALineBreakAndWrap) {
  Window win;
  auto& ui = win.w.ui;
  auto* label = static_cast<qt::LabelWidget*>(win.widget(ui.lblB));
  ui.lblB.Caption = "無かった言葉\r\n\r\nいか\r\nくじら";
  EXPECT_EQ(label->text(), QStringLiteral("無かった言葉\n\nいか\nくじら"));
  EXPECT_EQ(label->lineCount(), 4);  // the heading fits its label on one line
  ui.lblB.Caption = "あいうえおかきくけこさしすせそたちつてと";
  EXPECT_GT(label->lineCount(), 1);  // wrapped between characters
  // An empty caption shows nothing: no ink inside the border.
  ui.lblB.Caption = "";
  EXPECT_EQ(label->text(), QString());
  const QImage ink = label->grab().toImage();
  int dark = 0;
  for (int y = 2; y < ink.height() - 2; ++y) {
    for (int x = 2; x < ink.width() - 2; ++x) dark += qGray(ink.pixel(x, y)) < 128;
  }
  EXPECT_EQ(dark, 0);
}

TEST(Widgets, FocusStartsOnTheSelectedBankOptionAndFollowsTheTabOrder) {
  Window win;
  auto& ui = win.w.ui;
  EXPECT_TRUE(win.widget(ui.Option1)->hasFocus());
  QWidget* at = win.widget(ui.Option1);
  std::vector<QString> order;
  for (int i = 0; i < 10; ++i) {
    at = at->nextInFocusChain();
    while (at->focusPolicy() == Qt::NoFocus) at = at->nextInFocusChain();
    order.push_back(at->objectName());
  }
  EXPECT_EQ(order, (std::vector<QString>{"btn1Jun", "btn2Jun", "Option3", "btnST", "btnQ", "btnA",
                                         "btnEND", "btnY", "btnN", "Option1"}));
}

TEST(Widgets, KeyboardPressesAFocusedButton) {
  Window win;
  auto& ui = win.w.ui;
  win.widget(ui.btn1Jun)->setFocus();
  QTest::keyClick(win.widget(ui.btn1Jun), Qt::Key_Space);
  EXPECT_TRUE(ui.lbl2.Visible);
  win.widget(ui.Option1)->setFocus();
  QTest::keyClick(win.widget(ui.Option1), Qt::Key_Down);
  EXPECT_TRUE(ui.Option2.Value);
  win.widget(ui.btnST)->setFocus();
  QTest::keyClick(win.widget(ui.btnST), Qt::Key_Return);  // pressed, shown down, released
  EXPECT_TRUE(waitUntil([&] { return ui.btnST.Caption.get() == "止"; }, 2'000));
}

// An option button is filled with its BackColor, light cyan like its frame: the colour
// of most of its pixels, and none of them Qt's grey button colour.
TEST(Widgets, OptionsShowTheirColour) {
  Window win;
  for (Control* c : {&win.w.ui.Option1, &win.w.ui.Option2, &win.w.ui.Option3, &win.w.ui.Option4}) {
    const QImage shot = win.widget(*c)->grab().toImage();
    std::map<QRgb, int> count;
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) ++count[shot.pixel(x, y) | 0xff000000];
    }
    const auto most = std::max_element(count.begin(), count.end(),
                                       [](auto& a, auto& b) { return a.second < b.second; });
    EXPECT_EQ(QColor(most->first), QColor(192, 255, 255)) << c->name();
    EXPECT_EQ(count.count(qRgb(239, 239, 239)), 0u) << c->name();
  }
}

TEST(Widgets, ShiftPressOnThePeekLabelOnceTheWindowIsTaller) {
  Window win;
  auto& ui = win.w.ui;
  win.binding.window()->resize(win.binding.window()->width(), 600);
  QCoreApplication::processEvents();
  win.clickAt(win.centre(ui.lblKng), Qt::ShiftModifier);
  EXPECT_TRUE(ui.lblD.Visible);
  EXPECT_TRUE(win.widget(ui.lblD)->isVisible());
  EXPECT_EQ(ui.lblKng.Left.get(), 10.0f);  // nothing moved with the window
}

TEST(Widgets, ClosingTheWindowUnloadsIt) {
  Window win;
  win.binding.window()->close();
  EXPECT_TRUE(win.w.ui.unloaded());
}

TEST(RealClock, TicksOnTheScheduleAndNeverForIntervalZero) {
  ControlModel ui;
  qt::RealClock clock(ui);
  std::vector<std::pair<std::string_view, std::int64_t>> due;
  clock.setTickObserver(
      [&](Control& t, std::int64_t d, std::int64_t) { due.emplace_back(t.name(), d); });
  ui.Timer1.Enabled = true;
  const std::int64_t start = qt::RealClock::nowNs();
  ui.Timer1.Interval = 20;
  ASSERT_TRUE(waitUntil([&] { return due.size() >= 3; }, 10'000));
  ui.Timer1.Enabled = false;
  EXPECT_GE(due[0].second - start, 20'000'000);  // one interval after it was given
  for (std::size_t n = 0; n < due.size(); ++n) {
    EXPECT_EQ(due[n].first, "Timer1");  // Timer2 is enabled with interval 0: never
    // On the interval's grid from the first, each after the one before, however late
    // the machine took it.
    if (n > 0) {
      EXPECT_GT(due[n].second, due[n - 1].second);
    }
    EXPECT_EQ((due[n].second - due[0].second) % 20'000'000, 0);
  }
}

// What a screen reader reads: the caption as the name, the tooltip as the description,
// both as they are now.  (The binding also announces each change; with no screen
// reader on the offscreen platform there is nobody to hear it here.)
TEST(Accessibility, CaptionsAndTooltipsAreNamesAndDescriptions) {
  Window win;
  auto& ui = win.w.ui;
  auto name = [&](const Control& c) {
    return QAccessible::queryAccessibleInterface(win.widget(c))->text(QAccessible::Name);
  };
  auto description = [&](const Control& c) {
    return QAccessible::queryAccessibleInterface(win.widget(c))->text(QAccessible::Description);
  };
  for (Control* c : ui.all()) {
    if (c->kind() == Kind::CommandButton || c->kind() == Kind::OptionButton) {
      EXPECT_EQ(name(*c), QString::fromStdString(c->Caption)) << c->name();
      EXPECT_EQ(description(*c), QString::fromStdString(c->ToolTipText)) << c->name();
    } else if (c->kind() == Kind::Label && ui.isShown(*c)) {
      EXPECT_EQ(name(*c), qt::displayText(c->Caption)) << c->name();
      EXPECT_EQ(QAccessible::queryAccessibleInterface(win.widget(*c))->role(),
                QAccessible::StaticText);
    }
  }
  win.w.scriptEvenGame();
  ui.click(ui.btn1Jun);
  ui.click(ui.btnST);
  win.w.clock.advance(600);
  EXPECT_EQ(name(ui.lbl1), QString::fromStdString(win.w.state.shownWord[0]));
  EXPECT_EQ(name(ui.btnST), QStringLiteral("止"));
  EXPECT_EQ(description(ui.btnST), QStringLiteral("始めます。"));
  EXPECT_EQ(name(ui.lblSTn), QStringLiteral("1"));
  // The labels are in the window's tree, where a screen reader finds them.
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(win.binding.window());
  QAccessibleInterface* word = QAccessible::queryAccessibleInterface(win.widget(ui.lbl1));
  EXPECT_GE(root->indexOfChild(word), 0);
  EXPECT_EQ(word->parent(), root);
}

// Run at 1x and, as a test of its own, under QT_SCALE_FACTOR=2: every control stands at
// its twips position in logical pixels, so twice as large on the screen, and every label
// wraps into the same lines, so that nothing is cut off that is not cut off at 1x.
TEST(Scaling, SameLayoutAtEveryScale) {
  Window win;
  auto& ui = win.w.ui;
  QWidget* window = win.binding.window();
  const qreal scale = window->devicePixelRatioF();
  if (const QByteArray expected = qgetenv("SORATO_EXPECT_SCALE"); !expected.isEmpty()) {
    EXPECT_EQ(scale, expected.toDouble());
  }
  EXPECT_EQ(win.binding.toPixelsX(1440), 96);  // logical pixels, whatever the scale
  // Twips to pixels (15 to the pixel, rounded), counted from within a frame's border.
  const std::pair<Control*, QRect> places[] = {
      {&ui.btnY, QRect(176, 304, 121, 65)}, {&ui.Frame1, QRect(64, 13, 496, 73)},
      {&ui.btnST, QRect(143, 17, 65, 40)},  {&ui.Option2, QRect(1, 28, 32, 12)},
      {&ui.lblKng, QRect(1, 472, 8, 8)},    {&ui.frmZnb, QRect(608, 104, 409, 337)},
  };
  for (const auto& [c, rect] : places) EXPECT_EQ(win.widget(*c)->geometry(), rect) << c->name();
  EXPECT_NEAR(window->frameGeometry().width() * scale, 633 * scale, scale);
  EXPECT_NEAR(window->frameGeometry().height() * scale, 467 * scale, scale);
  const QImage shot = window->grab().toImage();
  EXPECT_EQ(shot.width(), qRound(window->width() * scale));  // drawn at the screen's pixels

  auto lines = [&](const Control& c) {
    return static_cast<qt::LabelWidget*>(win.widget(c))->lineCount();
  };
  // Fits: all its lines stand within the label.
  auto fits = [&](const Control& c) {
    auto* label = static_cast<qt::LabelWidget*>(win.widget(c));
    return label->lineCount() * QFontInfo(label->font()).pixelSize() <=
           label->contentsRect().height();
  };
  EXPECT_EQ(lines(ui.lblRM), 10);
  EXPECT_TRUE(fits(ui.lblRM));
  // Every number the counters show stands whole on one line: a run of digits is a word.
  for (auto [counter, last] : {std::pair{&ui.lblQn, 20}, std::pair{&ui.lblSTn, 10}}) {
    auto* label = static_cast<qt::LabelWidget*>(win.widget(*counter));
    for (int n = 1; n <= last; ++n) {
      counter->Caption = std::to_string(n);
      EXPECT_EQ(label->lineCount(), 1) << counter->name() << " " << n;
      // and a two-digit number is drawn across the label, not just its first digit
      const QImage shot = label->grab().toImage();
      int left = shot.width(), right = -1;
      for (int x = 0; x < shot.width(); ++x) {
        for (int y = 0; y < shot.height(); ++y) {
          if (qGray(shot.pixel(x, y)) < 160) left = std::min(left, x), right = std::max(right, x);
        }
      }
      if (n >= 10) {
        EXPECT_GE(right - left + 1, 0.7 * shot.width()) << counter->name() << " " << n;
      }
    }
  }
  // The longest words of each bank, with the longest reading.
  ui.click(ui.Option2);
  win.w.script(100,
               {85, 87, 41, 40, 80, 42, 75, 50, 63, 71, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62});
  win.w.script(20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  ui.click(ui.btn1Jun);
  ui.click(ui.btnST);
  win.w.clock.advance(600);
  ASSERT_EQ(ui.lbl1h.Caption.get(), "ぼうえんきょう");
  EXPECT_EQ(lines(ui.lbl1), 1);
  EXPECT_EQ(lines(ui.lbl1h), 1);
  EXPECT_EQ(lines(ui.lbl2), 1);
  win.w.clock.advance(36'000);
  ui.click(ui.Option1);
  for (int i : {56, 33, 55, 12, 26, 10, 48, 77, 85, 82}) win.w.script(100, {i});
  for (int i = 60; i < 70; ++i) win.w.script(100, {i});
  win.w.script(20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  ui.click(ui.btn2Jun);
  ui.click(ui.btnST);
  EXPECT_EQ(lines(ui.lblAZ), 10);  // five words, four gaps, and the break after the last
  EXPECT_EQ(lines(ui.lblBZ), 10);
  EXPECT_TRUE(fits(ui.lblAZ) && fits(ui.lblBZ));
  win.w.clock.advance(12'000);
  ui.click(ui.btnQ);
  EXPECT_EQ(lines(ui.lbl2), 1);
  for (int n = 0; n < 20; ++n) ui.click(ui.btnQ);  // every word a cross: the widest lines
  ui.click(ui.btnA);
  for (Control* list : {&ui.lblA, &ui.lblB}) {
    EXPECT_EQ(lines(*list), 12) << list->name();
    EXPECT_TRUE(fits(*list)) << list->name();
  }
  EXPECT_EQ(lines(ui.lblAn), 1);
  EXPECT_EQ(lines(ui.lblBn), 1);
  ui.mouseDown(ui.lblKng, {mouse::Left, mouse::Shift, 0, 0});
  EXPECT_EQ(lines(ui.lblC), 10);
  EXPECT_EQ(lines(ui.lblD), 20);
  EXPECT_TRUE(fits(ui.lblD));  // the window's edge cuts it, not the label's
}

}  // namespace
}  // namespace sorato

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  sorato::testing::RuntimeDir runtime;
  auto app = sorato::qt::openApplication("sorato_widget_tests");
  sorato::qt::prepareApplication(*app);
  return RUN_ALL_TESTS();
}
