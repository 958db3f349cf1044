// sorato: the game in its window.

#include <cstdio>

#include "app/Sorato.h"
#include "game/RandomSource.h"
#include "ui/qt/Application.h"
#include "ui/qt/RealClock.h"
#include "ui/qt/WindowBinding.h"

namespace {

// The system ends when its window is unloaded, by 終了 or by closing the window.
class EndOnUnload : public sorato::ModelObserver {
 public:
  void unloaded() override { QCoreApplication::exit(0); }
};

}  // namespace

int main(int, char** argv) {
  auto app = sorato::qt::openApplication(argv[0]);
  sorato::qt::prepareApplication(*app);
  if (!sorato::qt::japaneseFontsPresent()) {
    std::fputs("sorato: no Japanese font found; install the package fonts-ipafont-gothic\n",
               stderr);
  }

  sorato::ClockRandom random;
  sorato::Sorato world(random);
  sorato::qt::RealClock clock(world.ui);
  EndOnUnload end;
  world.ui.addObserver(&end);
  world.load();

  sorato::qt::WindowBinding window(world.ui);
  window.show();
  const int status = app->exec();
  world.ui.removeObserver(&end);
  return status;
}
