// sorato-screenshots DIR: renders the real window at chosen moments of a scripted game
// into PNG files, for the README and for looking at the game without playing it.

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <cstdio>

#include "app/Headless.h"
#include "ui/qt/Application.h"
#include "ui/qt/ControlWidgets.h"
#include "ui/qt/WindowBinding.h"

namespace {

bool save(sorato::qt::WindowBinding& window, const QDir& dir, const char* name) {
  QCoreApplication::processEvents();
  const QImage image = window.window()->grab().toImage();
  const QString path = dir.filePath(QString::fromUtf8(name) + QStringLiteral(".png"));
  if (!image.save(path)) {
    std::fprintf(stderr, "sorato-screenshots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sorato-screenshots DIR\n");
    return 64;
  }
  auto app = sorato::qt::openApplication(argv[0]);
  sorato::qt::prepareApplication(*app);
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "sorato-screenshots: cannot create %s\n", argv[1]);
    return 1;
  }

  sorato::Headless game;
  sorato::qt::WindowBinding window(game.ui);
  window.show();
  sorato::ControlModel& ui = game.ui;
  sorato::ScriptedRandom& random = game.random;
  sorato::VirtualClock& clock = game.clock;

  bool ok = save(window, dir, "start");

  // A kanji game, one word at a time, with the longest reading of the bank on screen.
  ui.click(ui.Option2);
  for (float r : {0.855f, 0.065f, 0.235f, 0.775f, 0.875f, 0.425f, 0.145f, 0.505f, 0.605f, 0.995f,
                  0.015f, 0.305f, 0.705f, 0.405f, 0.915f, 0.205f, 0.555f, 0.335f, 0.655f, 0.105f}) {
    random.push(r);
  }
  for (int pos : {0, 2, 4, 6, 8, 10, 12, 14, 16, 18}) random.push((pos + 0.5f) / 20.0f);
  ui.click(ui.btn1Jun);
  ui.click(ui.btnST);
  clock.advance(600);
  ok = save(window, dir, "one-at-a-time") && ok;

  for (int i = 0; i < 20; ++i) random.push((static_cast<float>(i) * 5 + 2.5f) / 100.0f);
  for (int pos : {1, 3, 5, 7, 9, 11, 13, 15, 17, 19}) random.push((pos + 0.5f) / 20.0f);
  ui.click(ui.btn2Jun);
  ui.click(ui.btnST);
  clock.advance(2000);
  ok = save(window, dir, "all-at-once") && ok;
  clock.advance(10000);

  ui.click(ui.btnQ);
  ok = save(window, dir, "question") && ok;
  for (int i = 0; i < 20; ++i) {
    const std::string& asked = ui.lbl1.Caption;
    bool shown = false;
    for (const std::string& w : game.state.shownWord) shown = shown || w == asked;
    ui.click(i % 7 == 3 ? (shown ? ui.btnN : ui.btnY) : (shown ? ui.btnY : ui.btnN));
  }
  ui.click(ui.btnA);
  ok = save(window, dir, "results") && ok;
  return ok ? 0 : 1;
}
