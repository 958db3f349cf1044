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

#include <memory>
#include <string>
#include <thread>

#include "app/TestHooks.h"

namespace {

constexpr UINT kTestLine = WM_APP + 1;  // lParam: a std::string* of the test's

// The test's lines on standard input, read by a thread of their own as they come and
// handed to the window's thread, where the clock runs.
void readTestLines(DWORD windowThread) {
  std::thread([windowThread] {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buf[256];
    DWORD n = 0;
    while (ReadFile(in, buf, sizeof buf, &n, nullptr) && n > 0) {
      sorato::test_hooks::TestClock::takeLines(
          pending, buf, n, [windowThread](const std::string& l) {
            auto* line = new std::string(l);
            if (!PostThreadMessageW(windowThread, kTestLine, 0, reinterpret_cast<LPARAM>(line))) {
              delete line;
            }
          });
    }
  }).detach();
}

bool released(UINT message) {
  return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP ||
         message == WM_KEYUP || message == WM_SYSKEYUP;
}

}  // namespace
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  sorato::Sorato game;
#ifdef SORATO_TEST_HOOKS
  sorato::test_hooks::scriptRandom(game);
  const auto testClock = sorato::test_hooks::TestClock::asked(game.ui);
  std::unique_ptr<sorato::win32::Win32Clock> clock;
  if (!testClock) clock = std::make_unique<sorato::win32::Win32Clock>(game.ui);
#else
  sorato::win32::Win32Clock clock(game.ui);
#endif
  sorato::win32::WindowBinding binding(game.ui);
  binding.show(show);
#ifdef SORATO_TEST_HOOKS
  if (testClock) readTestLines(GetCurrentThreadId());
#endif
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
#ifdef SORATO_TEST_HOOKS
    if (testClock && msg.hwnd == nullptr && msg.message == kTestLine) {
      const std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(msg.lParam));
      testClock->command(*line);
      continue;
    }
#endif
    if (!binding.preTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
#ifdef SORATO_TEST_HOOKS
    if (testClock && released(msg.message)) testClock->inputHandled();
#endif
  }
#ifdef SORATO_TEST_HOOKS
  _setmode(_fileno(stdout), _O_BINARY);
  sorato::test_hooks::report(game);
#endif
  return 0;
}
