// sorato: the game in its window.  It takes no arguments and reads nothing.

#include <cstdio>

#include "app/GameWindow.h"
#include "ui/qt/Application.h"
#ifdef SORATO_TEST_HOOKS
#include "app/QtTestHooks.h"
#endif

int main(int, char** argv) {
  auto app = sorato::qt::openApplication(argv[0]);
  sorato::qt::prepareApplication(*app);
  if (!sorato::qt::japaneseFontsPresent()) {
    std::fputs("sorato: no Japanese font found; install the package fonts-ipafont-gothic\n",
               stderr);
  }
#ifdef SORATO_TEST_HOOKS
  sorato::GameWindow game(!sorato::test_hooks::TestClock::wanted());
  sorato::test_hooks::scriptRandom(game);
  const auto testClock = sorato::test_hooks::TestClock::asked(game.ui);
  std::unique_ptr<sorato::test_hooks::QtClockFeed> feed;
  if (testClock) feed = std::make_unique<sorato::test_hooks::QtClockFeed>(*testClock);
#else
  sorato::GameWindow game;
#endif
  game.binding().show();
  const int status = app->exec();
#ifdef SORATO_TEST_HOOKS
  sorato::test_hooks::report(game);
#endif
  return status;
}
