// The program's icon in the notification area.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>

namespace ondrix::win {

class TrayIcon {
 public:
  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() { Hide(); }

  // Mouse events on the icon arrive at `owner` as `callback_message` with
  // the mouse message in lParam.
  void SetOwner(HWND owner, UINT callback_message, UINT id = 1);
  void SetIcon(HICON icon);  // not owned
  void SetTip(std::wstring_view tip);
  const std::wstring& Tip() const noexcept { return tip_; }

  bool Show();
  void Hide();
  bool Visible() const noexcept { return shown_; }
  // Adds the icon again after Explorer restarted ("TaskbarCreated").
  void Restore();

 private:
  NOTIFYICONDATAW Data(UINT flags) const;
  HWND owner_ = nullptr;
  UINT message_ = 0;
  UINT id_ = 1;
  HICON icon_ = nullptr;
  std::wstring tip_;
  bool shown_ = false;
};

}  // namespace ondrix::win
