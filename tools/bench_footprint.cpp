// sorato-bench-footprint: what the game costs the machine, next to a bare Qt window of
// the same size built the same way.  Each figure comes from a child process of this
// program running either the game's window (the same code as sorato) or the bare one:
//  - start-up: from the spawn of the process to its first complete paint (median);
//  - idle: CPU time used in the 10 s after the first paint, with nothing on screen moving;
//  - display: CPU time per tick of a fast one-at-a-time display (game only);
//  - peak resident memory (VmHWM).

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/GameWindow.h"
#include "ui/qt/Application.h"
#include "ui/qt/ControlWidgets.h"

extern char** environ;

namespace {

using sorato::qt::RealClock;

double cpuMs() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return (static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1e3 +
          static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e3);
}

long peakKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
  }
  return 0;
}

// Calls `painted` once, after the window's first paint has been carried out completely.
class FirstPaint : public QObject {
 public:
  FirstPaint(QWidget* window, std::function<void()> painted) : painted_(std::move(painted)) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      o->removeEventFilter(this);
      QTimer::singleShot(0, this, painted_);  // runs when the whole repaint is done
    }
    return false;
  }

 private:
  std::function<void()> painted_;
  bool seen_ = false;
};

// The child: prints "main", "app", "window" and "paint" (CLOCK_MONOTONIC when main()
// starts, when the application is open, when the window is built, when it has first
// been painted), and unless it is only timing the start-up, "idle MS", "tick MS" and
// "peak KIB".
int child(const std::string& kind, const std::string& what, char* argv0) {
  const std::int64_t mainAt = RealClock::nowNs();
  // The bare window opens a plain QApplication: none of the game's set-up (style, font
  // substitutes, fontconfig started early) counts for it.
  int argc = 1;
  char* args[] = {argv0, nullptr};
  std::unique_ptr<QApplication> app;
  if (kind == "game") {
    app = sorato::qt::openApplication(argv0);
    sorato::qt::prepareApplication(*app);
  } else {
    app = std::make_unique<QApplication>(argc, args);
  }
  const std::int64_t appAt = RealClock::nowNs();
  std::unique_ptr<sorato::GameWindow> game;
  std::unique_ptr<QWidget> bare;
  QWidget* window = nullptr;
  if (kind == "game") {
    game = std::make_unique<sorato::GameWindow>();
    window = game->binding().window();
  } else {
    bare = std::make_unique<QWidget>();
    bare->setWindowTitle(QStringLiteral("bare"));
    bare->resize(633, 467);
    window = bare.get();
  }
  const std::int64_t windowAt = RealClock::nowNs();
  double idleFrom = 0;
  double tickFrom = 0;
  auto finish = [&] {
    std::printf("peak %ld\n", peakKiB());
    std::fflush(stdout);
    QCoreApplication::exit(0);
  };
  // Ends the idle period with one precise timer: nothing else wakes the process.
  auto afterIdle = [&] {
    std::printf("idle %.3f\n", cpuMs() - idleFrom);
    if (!game) return finish();
    auto& ui = game->ui;
    ui.click(ui.btn1Jun);
    tickFrom = cpuMs();
    ui.click(ui.btnST);
  };
  struct DisplayEnd : sorato::ModelObserver {
    std::function<void()> ended;
    void propertyWritten(sorato::Control& c, sorato::Prop p) override {
      if (c.name() == "btnQ" && p == sorato::Prop::Enabled && c.Enabled) ended();
    }
  } displayEnd;
  displayEnd.ended = [&] {
    std::printf("tick %.4f\n", (cpuMs() - tickFrom) / 60);
    QTimer::singleShot(0, finish);
  };
  if (game) game->ui.addObserver(&displayEnd);
  FirstPaint first(window, [&] {
    std::printf("main %lld\napp %lld\nwindow %lld\npaint %lld\n", static_cast<long long>(mainAt),
                static_cast<long long>(appAt), static_cast<long long>(windowAt),
                static_cast<long long>(RealClock::nowNs()));
    std::fflush(stdout);
    if (what == "startup") return QCoreApplication::exit(0);
    idleFrom = cpuMs();
    QTimer::singleShot(10'000, Qt::PreciseTimer, afterIdle);
  });
  if (game) {
    game->binding().show();
  } else {
    bare->show();
  }
  const int status = app->exec();
  if (game) game->ui.removeObserver(&displayEnd);
  return status;
}

struct Figures {
  double startupMs = 0;
  double toMain = 0, toApp = 0, toWindow = 0;  // medians of the phases, ms from the spawn
  double idleMs = 0;
  double tickMs = -1;
  double peakMiB = 0;
};

// Runs a child and returns its lines as key/value pairs, with the spawn time.
std::vector<std::pair<std::string, double>> runChild(const char* self, const char* kind,
                                                     const char* what, std::int64_t& spawned) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  char* args[] = {const_cast<char*>(self), const_cast<char*>("--child"), const_cast<char*>(kind),
                  const_cast<char*>(what), nullptr};
  pid_t pid = 0;
  spawned = RealClock::nowNs();
  posix_spawn(&pid, self, &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string text;
  char buf[512];
  for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) text.append(buf, std::size_t(n));
  close(fds[0]);
  waitpid(pid, nullptr, 0);
  std::vector<std::pair<std::string, double>> out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end - at);
    const std::size_t space = line.find(' ');
    if (space != std::string::npos)
      out.emplace_back(line.substr(0, space), std::stod(line.substr(space + 1)));
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return out;
}

Figures measure(const char* self, const char* kind) {
  Figures f;
  std::map<std::string, std::vector<double>> phases;
  for (int run = 0; run < 21; ++run) {
    std::int64_t spawned = 0;
    for (const auto& [key, value] : runChild(self, kind, "startup", spawned)) {
      phases[key].push_back((value - static_cast<double>(spawned)) / 1e6);
    }
  }
  auto median = [&](const char* key) {
    std::vector<double>& v = phases[key];
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
  };
  f.startupMs = median("paint");
  f.toMain = median("main");
  f.toApp = median("app");
  f.toWindow = median("window");
  std::int64_t spawned = 0;
  for (const auto& [key, value] : runChild(self, kind, "all", spawned)) {
    if (key == "idle") f.idleMs = value;
    if (key == "tick") f.tickMs = value;
    if (key == "peak") f.peakMiB = value / 1024;
  }
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  if (argc == 4 && std::strcmp(argv[1], "--child") == 0) return child(argv[2], argv[3], argv[0]);
  const std::string self = "/proc/self/exe";
  char path[4096];
  const ssize_t n = readlink(self.c_str(), path, sizeof path - 1);
  if (n <= 0) return 1;
  path[n] = '\0';
  std::printf(
      "sorato-bench-footprint on %s (about a minute)\n",
      qgetenv("QT_QPA_PLATFORM").isEmpty() ? "xcb" : qgetenv("QT_QPA_PLATFORM").constData());
  std::fflush(stdout);
  const Figures game = measure(path, "game");
  const Figures bare = measure(path, "bare");
  std::printf("%-38s %10s %10s %8s\n", "", "sorato", "bare Qt", "ratio");
  std::printf("%-38s %10.1f %10.1f %8.2f\n", "start-up to first paint, ms (median/21)",
              game.startupMs, bare.startupMs, game.startupMs / bare.startupMs);
  std::printf("%-38s %10.1f %10.1f\n", "  of which: spawn to main()", game.toMain, bare.toMain);
  std::printf("%-38s %10.1f %10.1f\n", "    main() to application open", game.toApp - game.toMain,
              bare.toApp - bare.toMain);
  std::printf("%-38s %10.1f %10.1f\n", "    building the window", game.toWindow - game.toApp,
              bare.toWindow - bare.toApp);
  std::printf("%-38s %10.1f %10.1f\n", "    showing it to the first paint",
              game.startupMs - game.toWindow, bare.startupMs - bare.toWindow);
  std::printf("%-38s %10.3f %10.3f\n", "CPU while idle for 10 s, ms", game.idleMs, bare.idleMs);
  std::printf("%-38s %10.4f %10s\n", "CPU per tick of a display, ms", game.tickMs, "-");
  std::printf("%-38s %10.1f %10.1f %+8.1f\n", "peak resident memory, MiB (difference)",
              game.peakMiB, bare.peakMiB, game.peakMiB - bare.peakMiB);
  return 0;
}
