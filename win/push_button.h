// A standard push button of the system, taking part in the dialog keys
// (Tab moves between such buttons, the focused one looks like the default).
#pragma once

#include "win/control.h"

namespace ondrix::win {

class PushButton : public Control {
 public:
  bool Create(Control& parent, std::wstring_view caption, const Bounds& bounds = {});
  // Runs the click as if the user pressed the button.
  void Click();
};

}  // namespace ondrix::win
