#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "ui/ControlModel.h"
#include "ui/WallClock.h"

namespace sorato::win32 {

// The wait of the model's timers on Windows: a waitable timer per timer, high-resolution
// where Windows has it (Windows 10 1803 and later; SetTimer would round every tick to the
// 15.6 ms system tick), armed for the moment of its next tick on the performance counter.
// A thread waits on them and posts each wake-up to the window's thread, where the tick
// runs; posted messages are delivered even while the window is being moved or resized.
class Win32Clock {
 public:
  explicit Win32Clock(ControlModel& model);
  ~Win32Clock();
  Win32Clock(const Win32Clock&) = delete;
  Win32Clock& operator=(const Win32Clock&) = delete;

  // The performance counter in units of 100 ns.
  static std::int64_t now();
  static constexpr std::int64_t kUnitsPerMs = 10'000;
  void setTickObserver(WallClock::TickObserver observer) {
    clock_->setTickObserver(std::move(observer));
  }
  bool highResolution() const { return highResolution_; }

 private:
  void arm(std::size_t i, std::optional<std::int64_t> due);
  void wait();
  static LRESULT CALLBACK sinkProc(HWND, UINT, WPARAM, LPARAM);

  HWND sink_ = nullptr;  // a message-only window on the window's thread
  HANDLE quit_ = nullptr;
  std::vector<HANDLE> timers_;
  bool highResolution_ = true;
  std::unique_ptr<WallClock> clock_;
  std::thread waiter_;
};

}  // namespace sorato::win32
