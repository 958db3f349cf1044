// sorato-bench-timing.exe: how exactly the Windows window keeps its timing.  It plays one
// fast one-at-a-time display and one fast all-at-once display in the real window,
// clicking as a user would, and records every tick (when it was due, when its handler
// ran) and every paint of the window (where the word labels are drawn).  It prints the
// tick error against the schedule and each word's exposure from the paint that shows it
// to the paint that removes it.  Run by hand (about a minute): on Windows, or under wine
// (whose figures say nothing of Windows' own).

#include <windows.h>
// (windows.h first: the others build on it)
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Sorato.h"
#include "ui/win32/Win32Clock.h"
#include "ui/win32/WindowBinding.h"

namespace {

using sorato::win32::Win32Clock;

struct Paint {
  std::int64_t at;
  std::string word;  // the word label's text at the paint
};
std::vector<Paint> paints;
const sorato::Control* words = nullptr;  // the label the display shows its words in

LRESULT CALLBACK recordPaints(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  const LRESULT r = DefSubclassProc(h, m, w, l);
  if (m == WM_PAINT) paints.push_back({Win32Clock::now(), words->Caption.get()});
  return r;
}

double ms(std::int64_t units) {
  return static_cast<double>(units) / Win32Clock::kUnitsPerMs;
}

void runUntilDisplayEnds(sorato::ControlModel& ui) {
  MSG msg;
  while (!ui.btnQ.Enabled && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  const DWORD until = GetTickCount() + 300;  // the last paints
  while (GetTickCount() < until) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(1);
  }
}

}  // namespace

int main() {
  sorato::Sorato sorato;
  Win32Clock clock(sorato.ui);
  sorato::win32::WindowBinding binding(sorato.ui);
  binding.show(SW_SHOWNORMAL);
  SetWindowSubclass(binding.window(), recordPaints, 1, 0);
  words = &sorato.ui.lbl1;
  std::vector<double> late;
  clock.setTickObserver(
      [&](sorato::Control&, std::int64_t due, std::int64_t ran) { late.push_back(ms(ran - due)); });
  std::printf("sorato-bench-timing (Windows): %s waitable timers\n",
              clock.highResolution() ? "high-resolution" : "ordinary");
  for (const bool allAtOnce : {false, true}) {
    paints.clear();
    late.clear();
    auto& ui = sorato.ui;
    words = allAtOnce ? &ui.lblAZ : &ui.lbl1;
    ui.click(allAtOnce ? ui.btn2Jun : ui.btn1Jun);
    const std::int64_t start = Win32Clock::now();
    ui.click(ui.btnST);
    runUntilDisplayEnds(ui);
    std::vector<double> exposures;
    std::string shown;
    std::int64_t since = 0;
    for (const Paint& p : paints) {
      if (p.word == shown) continue;
      const bool wasWord = !shown.empty();
      if (wasWord && since != 0) exposures.push_back(ms(p.at - since));
      shown = p.word;
      since = p.at;
    }
    std::sort(late.begin(), late.end());
    const double want = allAtOnce ? 12000 : 3000;
    double low = 1e9, high = -1e9;
    for (double e : exposures) {
      low = std::min(low, e - want);
      high = std::max(high, e - want);
    }
    std::printf(
        "%s  %zu ticks, late median %.2f / p99 %.2f / max %.2f ms;  %zu exposures - %.0f ms: "
        "min %+.2f max %+.2f ms;  last paint %.1f ms after 始\n",
        allAtOnce ? "all at once  " : "one at a time", late.size(),
        late.empty() ? 0 : late[late.size() / 2], late.empty() ? 0 : late[late.size() * 99 / 100],
        late.empty() ? 0 : late.back(), exposures.size(), want, low, high,
        paints.empty() ? 0 : ms(paints.back().at - start));
  }
  sorato.ui.unload();
  return 0;
}
