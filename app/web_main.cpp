// The game as a web page: the same window object, handlers and banks as the desktop
// program, on the page's clock and under the page's binding.  Like the desktop program
// it reads nothing: no address, no storage, no environment.

#include <emscripten/emscripten.h>

#include "app/Sorato.h"
#include "ui/web/PageBinding.h"
#include "ui/web/PageClock.h"

namespace {

struct Page {
  sorato::Sorato game;
  sorato::web::PageClock clock{game.ui};
  sorato::web::PageBinding binding{game.ui};

  Page() { binding.show(); }
};

Page* page = nullptr;

}  // namespace

// What the page's script calls (plain exports: the page allows no evaluated code).
extern "C" {

// Input from the page, by control index.
EMSCRIPTEN_KEEPALIVE void sorato_click(int control) {
  if (page != nullptr) page->binding.clicked(control);
}

EMSCRIPTEN_KEEPALIVE void sorato_press(int control, int button, int shift, int ctrl, int alt,
                                       double x, double y) {
  if (page != nullptr) page->binding.pressed(control, button, shift, ctrl, alt, x, y);
}

EMSCRIPTEN_KEEPALIVE void sorato_out_of_sight() {
  if (page != nullptr) page->game.outOfSight();
}

#ifdef SORATO_TEST_HOOKS
// In the tests' build of the page only, called from the test's side: a value for the
// random source's queue.  The published page has no way in to its random source.
EMSCRIPTEN_KEEPALIVE int sorato_script_random(double r) {
  if (page == nullptr || !(r >= 0 && r < 1)) return 0;
  page->game.random.push(static_cast<float>(r));
  return 1;
}
#endif

}  // extern "C"

int main() {
  page = new Page;  // lives as long as the page
  return 0;
}
