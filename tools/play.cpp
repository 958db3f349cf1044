// sorato-play: plays one whole game in the real window, as a user would, and quits with
// 終了: prepare all at once, start, wait for the end of the display, answer the twenty
// questions, show the answer.  It takes the program's own path from start to exit, for
// leak checkers; it exits with the program's status, or 1 when the game went wrong.

#include <QTest>
#include <QTimer>
#include <cstdio>

#include "app/GameWindow.h"
#include "tools/RuntimeDir.h"
#include "ui/qt/Application.h"
#include "ui/qt/ControlWidgets.h"

int main(int, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  sorato::testing::RuntimeDir runtime;
  auto app = sorato::qt::openApplication(argv[0]);
  sorato::qt::prepareApplication(*app);
  sorato::GameWindow game;
  sorato::ControlModel& ui = game.ui;
  auto click = [&](const sorato::Control& c) {
    QWidget* w = game.binding().widgetOf(c);
    QWidget* window = game.binding().window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      w->mapTo(window, w->rect().center()));
  };
  bool ok = true;
  QTimer::singleShot(0, [&] {
    click(ui.btn2Jun);
    click(ui.btnST);
    while (!ui.btnQ.Enabled) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    click(ui.btnQ);
    for (int n = 0; n < 20; ++n) {
      bool shown = false;
      for (const std::string& w : game.state.shownWord) shown = shown || w == ui.lbl1.Caption.get();
      click(shown ? ui.btnY : ui.btnN);
    }
    click(ui.btnA);
    ok = ui.lblAn.Caption.get() == "すばらしい！ : 10/10" &&
         ui.lblBn.Caption.get() == "優秀です : 0/10";
    if (!ok) std::fprintf(stderr, "sorato-play: unexpected scores\n");
    click(ui.btnEND);
  });
  game.binding().show();
  const int status = app->exec();
  return ok ? status : 1;
}
