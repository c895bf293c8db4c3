// Radio button; buttons that share a parent form one group.
#pragma once

#include "win/control.h"

namespace ondrix::win {

class RadioButton : public Control {
 public:
  bool Create(Control& parent, std::wstring_view caption, const Bounds& bounds = {}, bool visible = true) {
    return CreateChild(parent, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP | (visible ? WS_VISIBLE : 0), 0, caption,
                       bounds);
  }
  bool Checked() const {
    return Hwnd() != nullptr && ::SendMessageW(Hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  // Checks this one and unchecks its siblings, as a click would.
  void SetChecked(bool checked);

 protected:
  bool OnReflected(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
};

}  // namespace ondrix::win
