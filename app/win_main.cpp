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

#include "app/TestHooks.h"
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  sorato::Sorato game;
#ifdef SORATO_TEST_HOOKS
  sorato::test_hooks::scriptRandom(game);
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
  _setmode(_fileno(stdout), _O_BINARY);
  sorato::test_hooks::report(game);
#endif
  return 0;
}
