#include "win/timer.h"

#include "win/error_guard.h"

namespace ondrix::win {

// The timer's id is the object's address, so the callback finds it without
// a table; Stop() kills the timer before the object can go away.
void CALLBACK Timer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto* self = reinterpret_cast<Timer*>(id);
  if (self->running_) Guard([self] { self->Tick(); });
}

void Timer::SetOwner(HWND owner) {
  Stop();
  owner_ = owner;
  if (enabled_) Start();
}

void Timer::SetInterval(UINT ms) {
  interval_ = ms;
  if (running_) Start();
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (enabled) {
    Start();
  } else {
    Stop();
  }
}

void Timer::Start() {
  if (owner_ == nullptr || interval_ == 0) {
    Stop();
    return;
  }
  // SetTimer with an existing id restarts it with the new interval.
  running_ = ::SetTimer(owner_, reinterpret_cast<UINT_PTR>(this), interval_, &Timer::TimerProc) != 0;
}

void Timer::Stop() {
  if (running_ && owner_ != nullptr && ::IsWindow(owner_)) ::KillTimer(owner_, reinterpret_cast<UINT_PTR>(this));
  running_ = false;
}

}  // namespace ondrix::win
