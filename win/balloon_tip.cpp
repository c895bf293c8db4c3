#include "win/balloon_tip.h"

#include <commctrl.h>

#include <string>

namespace ondrix::win {

namespace {

// The system copies at most this many characters of a tooltip title.
constexpr std::size_t kMaxTitleChars = 99;

}  // namespace

bool BalloonTip::CreateBalloonTipWindow(HWND owner) {
  tip_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_BALLOON,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr));
  if (!tip_) return false;
  ::SetWindowPos(tip_.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SendMessageW(tip_.Get(), TTM_SETMAXTIPWIDTH, 0, 600);
  return true;
}

void BalloonTip::SetBalloonTip(const Control& control, int icon, std::wstring_view title, std::wstring_view text) {
  SetBalloonTip(control.Hwnd(), icon, title, text);
}

void BalloonTip::SetBalloonTip(HWND control, int icon, std::wstring_view title, std::wstring_view text) {
  if (!tip_ || control == nullptr || !::IsWindow(control)) return;
  RECT client{};
  if (!::GetClientRect(control, &client)) return;

  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = control;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.rect = client;
  tool.hinst = ::GetModuleHandleW(nullptr);
  // Replace the control's earlier tool rather than stacking another one.
  ::SendMessageW(tip_.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  std::wstring shown(text);
  tool.lpszText = shown.data();
  ::SendMessageW(tip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

  const std::wstring short_title(title.substr(0, kMaxTitleChars));
  const WPARAM icon_kind = (icon >= 0 && icon <= 3) ? static_cast<WPARAM>(icon) : 0;
  ::SendMessageW(tip_.Get(), TTM_SETTITLEW, icon_kind, reinterpret_cast<LPARAM>(short_title.c_str()));

  ::SendMessageW(tip_.Get(), TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(500, 0));
  ::SendMessageW(tip_.Get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(32767, 0));
  ::SendMessageW(tip_.Get(), TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(5000, 0));
}

int BalloonTip::ToolCount() const {
  return tip_ ? static_cast<int>(::SendMessageW(tip_.Get(), TTM_GETTOOLCOUNT, 0, 0)) : 0;
}

}  // namespace ondrix::win
