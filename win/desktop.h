// What the main window asks of the desktop and what tests must script or
// observe: modal boxes and dialogs, the clock, the program's own path,
// starting programs and documents, ending the process, the taskbar flash
// and the HTTP GET. Win32Desktop is the real one; tests use a recording
// double.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "win/dialogs.h"
#include "win/handles.h"

namespace ondrix::win {

struct StartRequest {
  std::wstring verb;        // L"open", L"properties", ... ; empty: the default verb
  std::wstring file;        // program, document or folder
  std::wstring parameters;
  std::wstring directory;
  int show = SW_SHOWNORMAL;
  HWND owner = nullptr;
  bool want_process = false;        // keep the new process's handle in the result
  DWORD wait_input_idle_ms = 0;     // > 0: wait until the process is ready for input
};

struct StartResult {
  bool ok = false;
  DWORD error = 0;          // GetLastError when !ok
  UniqueHandle process;     // when asked for and the system gave one
};

struct HttpResult {
  bool ok = false;          // a response arrived (any status)
  DWORD error = 0;          // the client's error code when !ok
  int status = 0;           // HTTP status code
  std::string body;         // the response body as bytes
};

// Folders of the user's shell that shortcuts are placed in.
enum class ShellFolder {
  Desktop,  // the user's desktop
  AppData,  // the per-user application-data folder (roaming)
};

class IDesktop {
 public:
  virtual ~IDesktop() = default;

  // --- modal boxes and dialogs ---
  virtual int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                          MessageButtons buttons) = 0;
  // The same with more MB_ flags: MB_TOPMOST, MB_SETFOREGROUND, MB_SYSTEMMODAL.
  virtual int ShowMessageEx(HWND owner, std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                            MessageButtons buttons, UINT extra_flags) = 0;
  virtual std::optional<std::wstring> OpenFileDialog(HWND owner, const FileDialogOptions& options) = 0;
  virtual std::optional<std::wstring> SaveFileDialog(HWND owner, const FileDialogOptions& options) = 0;
  virtual std::optional<COLORREF> ColorDialog(HWND owner, COLORREF initial, bool full_open) = 0;
  // A modal dialog from an in-memory template (the About window); the
  // dialog's result.
  virtual INT_PTR ShowModalDialog(HWND owner, const DLGTEMPLATE* dialog, DLGPROC procedure, LPARAM param) = 0;
  virtual std::optional<std::wstring> InputText(HWND owner, std::wstring_view caption, std::wstring_view prompt,
                                                std::wstring_view initial) = 0;

  // --- clock ---
  virtual SYSTEMTIME LocalTime() = 0;
  virtual ULONGLONG TickCount() = 0;

  // --- the program itself ---
  // Full path of the running executable.
  virtual std::wstring ProgramPath() = 0;
  // Ends the process with `exit_code`. The real one does not return; the
  // caller must not rely on that and return right after.
  virtual void EndProcess(UINT exit_code) = 0;

  // --- other programs and the shell ---
  virtual StartResult Start(const StartRequest& request) = 0;
  // The file-system path of a shell folder; nothing when the system has none.
  virtual std::optional<std::wstring> ShellFolderPath(ShellFolder folder) = 0;
  virtual void FlashTaskbar(HWND window, UINT count) = 0;

  // --- network ---
  // Blocking GET without proxy and without following redirects, its waits
  // and its body bounded (win/http_get.h). Safe to call from any thread.
  virtual HttpResult HttpGet(std::wstring_view url) = 0;
};

}  // namespace ondrix::win
