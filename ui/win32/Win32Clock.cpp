#include "Win32Clock.h"

#include <timeapi.h>

#include <algorithm>
#include <stdexcept>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace sorato::win32 {

namespace {
constexpr UINT kWoke = WM_APP + 1;
constexpr wchar_t kSinkClass[] = L"SoratoClock";
}  // namespace

std::int64_t Win32Clock::now() {
  static const std::int64_t frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  // In two steps, so that nothing overflows for centuries of uptime.
  return c.QuadPart / frequency * 10'000'000 + c.QuadPart % frequency * 10'000'000 / frequency;
}

Win32Clock::Win32Clock(ControlModel& model) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &Win32Clock::sinkProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kSinkClass;
  RegisterClassW(&wc);  // fails harmlessly when a second clock registers it again
  sink_ = CreateWindowExW(0, kSinkClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                          nullptr);
  SetWindowLongPtrW(sink_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  quit_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  clock_ = std::make_unique<WallClock>(
      model, &Win32Clock::now, kUnitsPerMs,
      [this](std::size_t i, std::optional<std::int64_t> due) { arm(i, due); });
  if (!highResolution_) timeBeginPeriod(1);  // the best an older Windows has: 1 ms
  waiter_ = std::thread([this] { wait(); });
}

Win32Clock::~Win32Clock() {
  SetEvent(quit_);
  if (waiter_.joinable()) waiter_.join();
  clock_.reset();
  for (HANDLE t : timers_) CloseHandle(t);
  CloseHandle(quit_);
  DestroyWindow(sink_);
  if (!highResolution_) timeEndPeriod(1);
}

// A timer's waitable timer is made the first time the timer is armed or disarmed (all
// of them while the clock is built, before the waiting thread starts).
void Win32Clock::arm(std::size_t i, std::optional<std::int64_t> due) {
  while (timers_.size() <= i) {
    HANDLE t = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                      TIMER_ALL_ACCESS);
    if (t == nullptr) {  // an older Windows: an ordinary waitable timer
      highResolution_ = false;
      t = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }
    if (t == nullptr) throw std::runtime_error("CreateWaitableTimerExW failed");
    timers_.push_back(t);
  }
  if (!due) {
    CancelWaitableTimer(timers_[i]);
    return;
  }
  LARGE_INTEGER in;
  in.QuadPart = -std::max<std::int64_t>(*due - now(), 1);  // negative: relative, 100 ns
  SetWaitableTimer(timers_[i], &in, 0, nullptr, nullptr, FALSE);
}

void Win32Clock::wait() {
  std::vector<HANDLE> handles = timers_;
  handles.push_back(quit_);
  for (;;) {
    const DWORD r =
        WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
    const DWORD i = r - WAIT_OBJECT_0;
    if (r == WAIT_FAILED || i >= timers_.size()) return;
    PostMessageW(sink_, kWoke, i, 0);
  }
}

LRESULT CALLBACK Win32Clock::sinkProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kWoke) {
    if (auto* clock = reinterpret_cast<Win32Clock*>(GetWindowLongPtrW(h, GWLP_USERDATA))) {
      clock->clock_->woke(static_cast<std::size_t>(w));
    }
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

}  // namespace sorato::win32
