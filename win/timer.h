// A timer on an owner window that calls OnTimer on every tick. Tests call
// Tick() instead of waiting.
#pragma once

#include <windows.h>

#include <functional>

namespace ondrix::win {

class Timer {
 public:
  Timer() = default;
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer() { Stop(); }

  void SetOwner(HWND owner);
  UINT Interval() const noexcept { return interval_; }
  void SetInterval(UINT ms);
  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool enabled);

  void Tick() {
    if (OnTimer) OnTimer();
  }

  std::function<void()> OnTimer;

 private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  void Start();
  void Stop();

  HWND owner_ = nullptr;
  UINT interval_ = 1000;
  bool enabled_ = false;
  bool running_ = false;
};

}  // namespace ondrix::win
