// A thin bar that shows that something is going on (a marquee progress bar):
// the notice panel's animation while the update check waits.
#pragma once

#include "win/control.h"

namespace ondrix::win {

class BusyBar : public Control {
 public:
  bool Create(Control& parent, const Bounds& bounds = {}, bool visible = true);
  // The animation runs while the message loop runs.
  void SetActive(bool active);
  bool Active() const noexcept { return active_; }

 private:
  bool active_ = false;
};

}  // namespace ondrix::win
