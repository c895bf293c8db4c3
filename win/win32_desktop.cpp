#include "win/win32_desktop.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "win/handles.h"
#include "win/http_get.h"

namespace ondrix::win {

std::wstring ExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    if (buffer.size() >= 32768) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

int Win32Desktop::ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                              MessageButtons buttons) {
  return ShowMessageBox(owner, text, caption, icon, buttons);
}

int Win32Desktop::ShowMessageEx(HWND owner, std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                                MessageButtons buttons, UINT extra_flags) {
  return ShowMessageBox(owner, text, caption, icon, buttons, extra_flags);
}

std::optional<std::wstring> Win32Desktop::OpenFileDialog(HWND owner, const FileDialogOptions& options) {
  return ShowOpenFileDialog(owner, options);
}

std::optional<std::wstring> Win32Desktop::SaveFileDialog(HWND owner, const FileDialogOptions& options) {
  return ShowSaveFileDialog(owner, options);
}

std::optional<COLORREF> Win32Desktop::ColorDialog(HWND owner, COLORREF initial, bool full_open) {
  return ShowColorDialog(owner, initial, full_open);
}

INT_PTR Win32Desktop::ShowModalDialog(HWND owner, const DLGTEMPLATE* dialog, DLGPROC procedure, LPARAM param) {
  return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog, owner, procedure, param);
}

std::optional<std::wstring> Win32Desktop::InputText(HWND owner, std::wstring_view caption, std::wstring_view prompt,
                                                    std::wstring_view initial) {
  return ShowTextInputDialog(owner, caption, prompt, initial);
}

SYSTEMTIME Win32Desktop::LocalTime() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return now;
}

ULONGLONG Win32Desktop::TickCount() { return ::GetTickCount64(); }

std::wstring Win32Desktop::ProgramPath() { return ExecutablePath(); }

void Win32Desktop::EndProcess(UINT exit_code) { ::ExitProcess(exit_code); }

std::optional<std::wstring> Win32Desktop::ShellFolderPath(ShellFolder folder) {
  // Known folders have no length limit, unlike the CSIDL paths.
  const KNOWNFOLDERID& id = folder == ShellFolder::Desktop ? FOLDERID_Desktop : FOLDERID_RoamingAppData;
  PWSTR path = nullptr;
  const HRESULT hr = ::SHGetKnownFolderPath(id, 0, nullptr, &path);
  std::optional<std::wstring> result;
  if (SUCCEEDED(hr) && path != nullptr) result = std::wstring(path);
  ::CoTaskMemFree(path);
  return result;
}

StartResult Win32Desktop::Start(const StartRequest& request) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  if (request.want_process || request.wait_input_idle_ms > 0) info.fMask |= SEE_MASK_NOCLOSEPROCESS;
  if (request.verb == L"properties") info.fMask |= SEE_MASK_INVOKEIDLIST;
  info.hwnd = request.owner;
  info.lpVerb = request.verb.empty() ? nullptr : request.verb.c_str();
  info.lpFile = request.file.c_str();
  info.lpParameters = request.parameters.empty() ? nullptr : request.parameters.c_str();
  info.lpDirectory = request.directory.empty() ? nullptr : request.directory.c_str();
  info.nShow = request.show;

  StartResult result;
  if (!::ShellExecuteExW(&info)) {
    result.error = ::GetLastError();
    return result;
  }
  result.ok = true;
  UniqueHandle process(info.hProcess);
  if (process && request.wait_input_idle_ms > 0) ::WaitForInputIdle(process.Get(), request.wait_input_idle_ms);
  if (request.want_process) result.process = std::move(process);
  return result;
}

void Win32Desktop::FlashTaskbar(HWND window, UINT count) {
  FLASHWINFO flash{};
  flash.cbSize = sizeof flash;
  flash.hwnd = window;
  // Caption and taskbar button flash until the window comes to the front.
  flash.dwFlags = FLASHW_ALL | FLASHW_TIMERNOFG;
  flash.uCount = count;
  ::FlashWindowEx(&flash);
}

HttpResult Win32Desktop::HttpGet(std::wstring_view url) { return HttpGetDocument(url); }

}  // namespace ondrix::win
