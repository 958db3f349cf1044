// The game as a web page: the same window object, handlers and banks as the desktop
// program, on the page's clock and under the page's binding.  Like the desktop program
// it reads nothing: no address, no storage, no environment.

#include <emscripten/emscripten.h>

#include <memory>

#include "app/Sorato.h"
#include "game/RandomSource.h"
#include "ui/web/PageBinding.h"
#include "ui/web/PageClock.h"

namespace {

struct Page {
  sorato::ClockRandom generator;
  sorato::ScriptedRandom random{generator};
  sorato::Sorato game{random};
  std::unique_ptr<sorato::web::PageClock> clock;
  std::unique_ptr<sorato::web::PageBinding> binding;

  Page() {
    game.load();
    clock = std::make_unique<sorato::web::PageClock>(game.ui);
    binding = std::make_unique<sorato::web::PageBinding>(game.ui);
    binding->show();
  }
};

Page* page = nullptr;

}  // namespace

// What the page's script calls (plain exports: the page allows no evaluated code).
extern "C" {

// Input from the page: what 0 is a click, 1 a press on a label.
EMSCRIPTEN_KEEPALIVE void sorato_input(int control, int what, int buttons, int keys, double x,
                                       double y) {
  if (page != nullptr)
    page->binding->input(control, what == 0 ? "click" : "press", buttons, keys, x, y);
}

EMSCRIPTEN_KEEPALIVE void sorato_out_of_sight() {
  if (page != nullptr) page->game.outOfSight();
}

// For the tests only, called from the test's side: a value for the random source's queue.
EMSCRIPTEN_KEEPALIVE int sorato_script_random(double r) {
  if (page == nullptr || !(r >= 0 && r < 1)) return 0;
  page->random.push(static_cast<float>(r));
  return 1;
}

}  // extern "C"

int main() {
  page = new Page;  // lives as long as the page
  return 0;
}
