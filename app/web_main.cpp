// The game as a web page: the same window object, handlers and banks as the desktop
// program, on the page's clock and under the page's binding.  Like the desktop program
// it reads nothing: no address, no storage, no environment.

#include <emscripten/emscripten.h>
#ifdef SORATO_TEST_HOOKS
#include <emscripten/bind.h>

#include "app/Expression.h"
#endif

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

// A key pressed in the window (the page's number of it), as the model answers it; true
// if the game took it, and the browser is to do nothing more with it.
EMSCRIPTEN_KEEPALIVE int sorato_key(int key, int shift, int repeat) {
  return page != nullptr && page->binding.key(key, shift, repeat);
}

// The page's area, in CSS pixels, whether it is a touch screen, and the browser's text
// zoom: the layout the game takes there (0 the window's own, 1 upright for fingers, 2
// sideways).
EMSCRIPTEN_KEEPALIVE int sorato_layout(double width, double height, int touch, double text) {
  return page != nullptr ? page->binding.layout(width, height, touch != 0, text) : 0;
}

// The page, or its tab, lost the keyboard or has it again.
EMSCRIPTEN_KEEPALIVE void sorato_active(int active) {
  if (page == nullptr) return;
  if (active) {
    page->binding.activated();
  } else {
    page->binding.deactivated();
  }
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

#ifdef SORATO_TEST_HOOKS
// And what the game is in, as the driver's `get` prints it: game.get('btnST.Caption').
EMSCRIPTEN_BINDINGS(sorato_test_hooks) {
  emscripten::function(
      "get", +[](std::string expr) -> std::string {
        if (page == nullptr) return "";
        try {
          return sorato::expressionValue(page->game, expr);
        } catch (const sorato::UnknownExpression& e) {
          return "error: " + e.reason;
        }
      });
}
#endif

int main() {
  page = new Page;  // lives as long as the page
  return 0;
}
