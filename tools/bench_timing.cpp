// sorato-bench-timing: how exactly the real window keeps its timing.  It plays one fast
// one-at-a-time display and one fast all-at-once display in the real window (offscreen
// unless a display is set), clicking the buttons as a user would, and records every
// tick (when it was due, when its handler ran) and every paint of the word labels.  It
// prints the tick error against the schedule, the drift at the end of each display and
// the exposure of each word from the paint that shows it to the paint that removes it;
// then the same with both cores kept busy by processes of its own.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

#include "app/GameWindow.h"
#include "ui/qt/Application.h"
#include "ui/qt/ControlWidgets.h"

namespace {

using sorato::Control;
using sorato::qt::RealClock;

struct Paint {
  std::int64_t at;
  QString text;
};

// Records the paints of a word label, and of the window beneath it (which paints where
// the label was when it is hidden), with the text on screen there at each paint.
class PaintLog : public QObject {
 public:
  PaintLog(QWidget* label, QWidget* window, std::function<QString()> text)
      : text_(std::move(text)) {
    label->installEventFilter(this);
    window->installEventFilter(this);
  }
  std::vector<Paint> paints;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) paints.push_back({RealClock::nowNs(), text_()});
    return false;
  }

 private:
  std::function<QString()> text_;
};

// Notes when 始 is handled, and quits an event loop when the display has ended, that
// is when btnQ is enabled.
class DisplayWatch : public sorato::ModelObserver {
 public:
  DisplayWatch(sorato::ControlModel& ui, QEventLoop& loop, std::int64_t& started)
      : ui_(ui), loop_(loop), started_(started) {
    ui_.addObserver(this);
  }
  ~DisplayWatch() override { ui_.removeObserver(this); }
  void eventRaised(Control& c, sorato::Event) override {
    if (&c == &ui_.btnST) started_ = RealClock::nowNs();
  }
  void propertyWritten(Control& c, sorato::Prop p) override {
    if (&c == &ui_.btnQ && p == sorato::Prop::Enabled && c.Enabled) loop_.quit();
  }

 private:
  sorato::ControlModel& ui_;
  QEventLoop& loop_;
  std::int64_t& started_;
};

struct Tick {
  std::int64_t due, ran;
};

struct DisplayRun {
  std::int64_t clicked = 0;  // when the handler of the click on 始 ran
  std::vector<Tick> ticks;
  std::vector<double> exposures;  // ms, from the showing paint to the removing paint
  double lastRemoval = 0;         // ms after the click on 始
};

double ms(std::int64_t ns) {
  return static_cast<double>(ns) / 1e6;
}

double quantile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const auto i = static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

void click(sorato::GameWindow& game, const Control& c) {
  QWidget* w = game.binding().widgetOf(c);
  QWidget* window = game.binding().window();
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                    w->mapTo(window, w->rect().center()));
}

// Exposures from a label's paints: a word stands from the paint that first shows it to
// the paint that first shows something else.
std::vector<double> exposures(const std::vector<Paint>& paints, std::int64_t from,
                              double& lastRemoval) {
  std::vector<double> out;
  QString shown;
  std::int64_t since = 0;
  for (const Paint& p : paints) {
    if (p.at < from || p.text == shown) continue;
    if (!shown.isEmpty()) {
      out.push_back(ms(p.at - since));
      lastRemoval = ms(p.at - from);
    }
    shown = p.text;
    since = p.at;
  }
  return out;
}

DisplayRun runDisplay(sorato::GameWindow& game, const Control& prepare, QWidget* label,
                      const Control& labelControl) {
  auto& ui = game.ui;
  DisplayRun run;
  PaintLog log(label, game.binding().window(), [label, &labelControl] {
    return label->isVisible() ? QString::fromStdString(labelControl.Caption.get()) : QString();
  });
  game.clock().setTickObserver([&run](Control&, std::int64_t due, std::int64_t ran) {
    run.ticks.push_back({due, ran});
  });
  QEventLoop loop;
  DisplayWatch watch(ui, loop, run.clicked);
  click(game, prepare);
  QTest::qWait(300);
  click(game, ui.btnST);
  loop.exec();
  QTest::qWait(300);  // the last paint
  game.clock().setTickObserver({});
  run.exposures = exposures(log.paints, run.clicked, run.lastRemoval);
  return run;
}

void report(const char* name, const DisplayRun& run, double nominal, double interval) {
  if (run.ticks.empty()) return;
  std::vector<double> errors;
  for (const Tick& t : run.ticks) errors.push_back(ms(t.ran - t.due));
  const double end = ms(run.ticks.back().ran - run.ticks.front().due) -
                     interval * static_cast<double>(run.ticks.size() - 1);
  std::printf(
      "  %-14s ticks %2zu  tick error median %6.3f  p99 %6.3f  max %6.3f;"
      " drift at the end %+7.3f\n",
      name, run.ticks.size(), quantile(errors, 0.5), quantile(errors, 0.99),
      *std::max_element(errors.begin(), errors.end()), end);
  std::vector<double> dev;
  for (double e : run.exposures) dev.push_back(e - nominal);
  std::printf(
      "  %-14s words %2zu  exposure - %.0f ms: min %+6.3f  median %+6.3f  max %+6.3f;"
      " last word gone %.3f after 始\n",
      "", run.exposures.size(), nominal, quantile(dev, 0), quantile(dev, 0.5), quantile(dev, 1),
      run.lastRemoval);
}

void measure(const char* title) {
  sorato::GameWindow game;
  game.binding().show();
  if (!QTest::qWaitForWindowExposed(game.binding().window())) std::puts("(window not exposed)");
  auto& ui = game.ui;
  const DisplayRun one = runDisplay(game, ui.btn1Jun, game.binding().widgetOf(ui.lbl1), ui.lbl1);
  const DisplayRun all = runDisplay(game, ui.btn2Jun, game.binding().widgetOf(ui.lblAZ), ui.lblAZ);
  std::printf("%s\n", title);
  report("one at a time", one, 3000, 600);
  report("all at once", all, 12000, 2000);
  std::fflush(stdout);
}

}  // namespace

int main(int, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  auto app = sorato::qt::openApplication(argv[0]);
  sorato::qt::prepareApplication(*app);
  std::printf("sorato-bench-timing on %s, %u cores; times in ms (ideal: error 0, exposure 0)\n",
              qPrintable(QGuiApplication::platformName()), std::thread::hardware_concurrency());
  measure("idle machine:");

  std::vector<pid_t> load;
  for (unsigned i = 0; i < std::max(2u, std::thread::hardware_concurrency()); ++i) {
    const pid_t pid = fork();
    if (pid == 0) {
      for (;;) asm volatile("");  // spin until killed
    }
    load.push_back(pid);
  }
  measure("every core busy with a spinning process:");
  for (pid_t pid : load) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  return 0;
}
