// The real desktop services.
#pragma once

#include "win/desktop.h"

namespace ondrix::win {

class Win32Desktop : public IDesktop {
 public:
  int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                  MessageButtons buttons) override;
  int ShowMessageEx(HWND owner, std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                    MessageButtons buttons, UINT extra_flags) override;
  std::optional<std::wstring> OpenFileDialog(HWND owner, const FileDialogOptions& options) override;
  std::optional<std::wstring> SaveFileDialog(HWND owner, const FileDialogOptions& options) override;
  std::optional<COLORREF> ColorDialog(HWND owner, COLORREF initial, bool full_open) override;
  INT_PTR ShowModalDialog(HWND owner, const DLGTEMPLATE* dialog, DLGPROC procedure, LPARAM param) override;
  std::optional<std::wstring> InputText(HWND owner, std::wstring_view caption, std::wstring_view prompt,
                                        std::wstring_view initial) override;
  SYSTEMTIME LocalTime() override;
  ULONGLONG TickCount() override;
  std::wstring ProgramPath() override;
  void EndProcess(UINT exit_code) override;
  StartResult Start(const StartRequest& request) override;
  std::optional<std::wstring> ShellFolderPath(ShellFolder folder) override;
  void FlashTaskbar(HWND window, UINT count) override;
  HttpResult HttpGet(std::wstring_view url) override;
};

// Full path of this executable, however long.
std::wstring ExecutablePath();

}  // namespace ondrix::win
