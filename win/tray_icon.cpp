#include "win/tray_icon.h"

#include <shellapi.h>

namespace ondrix::win {

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner_;
  data.uID = id_;
  data.uFlags = flags;
  data.uCallbackMessage = message_;
  data.hIcon = icon_;
  lstrcpynW(data.szTip, tip_.c_str(), static_cast<int>(std::size(data.szTip)));
  return data;
}

void TrayIcon::SetOwner(HWND owner, UINT callback_message, UINT id) {
  Hide();
  owner_ = owner;
  message_ = callback_message;
  id_ = id;
}

void TrayIcon::SetIcon(HICON icon) {
  icon_ = icon;
  if (shown_) {
    NOTIFYICONDATAW data = Data(NIF_ICON);
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
  }
}

void TrayIcon::SetTip(std::wstring_view tip) {
  tip_ = tip;
  if (shown_) {
    NOTIFYICONDATAW data = Data(NIF_TIP);
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
  }
}

bool TrayIcon::Show() {
  if (shown_) return true;
  if (owner_ == nullptr) return false;
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  shown_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  return shown_;
}

void TrayIcon::Hide() {
  if (!shown_) return;
  NOTIFYICONDATAW data = Data(0);
  ::Shell_NotifyIconW(NIM_DELETE, &data);
  shown_ = false;
}

void TrayIcon::Restore() {
  if (!shown_) return;
  shown_ = false;
  Show();
}

}  // namespace ondrix::win
