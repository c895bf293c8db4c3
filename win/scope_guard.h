// Runs a callable when the scope ends, unless dismissed.
#pragma once

#include <utility>

namespace ondrix::win {

template <class F>
class ScopeGuard {
 public:
  explicit ScopeGuard(F f) noexcept : f_(std::move(f)) {}
  ~ScopeGuard() {
    if (active_) f_();
  }
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;
  void Dismiss() noexcept { active_ = false; }

 private:
  F f_;
  bool active_ = true;
};

template <class F>
ScopeGuard(F) -> ScopeGuard<F>;

}  // namespace ondrix::win
