#include "win/push_button.h"

namespace ondrix::win {

bool PushButton::Create(Control& parent, std::wstring_view caption, const Bounds& bounds) {
  return CreateChild(parent, L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, caption, bounds);
}

void PushButton::Click() {
  if (OnClick) OnClick();
}

}  // namespace ondrix::win
