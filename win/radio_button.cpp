#include "win/radio_button.h"

namespace ondrix::win {

void RadioButton::SetChecked(bool checked) {
  if (Hwnd() == nullptr) return;
  if (checked && Parent() != nullptr) {
    for (Control* sibling : Parent()->Children()) {
      if (sibling != this && dynamic_cast<RadioButton*>(sibling) != nullptr && sibling->Hwnd() != nullptr) {
        ::SendMessageW(sibling->Hwnd(), BM_SETCHECK, BST_UNCHECKED, 0);
      }
    }
  }
  ::SendMessageW(Hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool RadioButton::OnReflected(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) {
    HDC dc = reinterpret_cast<HDC>(wparam);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, FontColor());
    result = reinterpret_cast<LRESULT>(BackgroundBrush());
    return true;
  }
  return Control::OnReflected(msg, wparam, lparam, result);
}

}  // namespace ondrix::win
