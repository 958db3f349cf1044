// sorato.exe: the game as a native Windows program, the same window object, handlers and
// banks as on Linux, on Windows' own controls and timers.  Like the Linux program it reads
// no command line, no registry key and no file, and writes nothing.

#include <windows.h>

#include "app/Sorato.h"
#include "ui/win32/Win32Clock.h"
#include "ui/win32/WindowBinding.h"
#ifdef SORATO_TEST_HOOKS
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/Format.h"
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  sorato::Sorato game;
#ifdef SORATO_TEST_HOOKS
  // The tests' build (sorato-test.exe) only: the draws come first from SORATO_RANDOM,
  // so that a test plays the driver's game in the real window.
  if (const char* values = std::getenv("SORATO_RANDOM")) {
    std::istringstream in(values);
    for (float r; in >> r;) game.random.push(r);
  }
#endif
  sorato::win32::Win32Clock clock(game.ui);
  sorato::win32::WindowBinding binding(game.ui);
  binding.show(show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (binding.preTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
#ifdef SORATO_TEST_HOOKS
  // What the window showed at the end, as the driver's `get` prints it (LF, as it does).
  _setmode(_fileno(stdout), _O_BINARY);
  for (const sorato::Control* c : {&game.ui.lblA, &game.ui.lblB, &game.ui.lblAn, &game.ui.lblBn}) {
    std::printf("%s\n", sorato::jsonString(c->Caption.get()).c_str());
  }
  std::fflush(stdout);
#endif
  return 0;
}
