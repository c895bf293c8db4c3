#include "win/win32_desktop.h"

#include <shellapi.h>
#include <shlobj.h>
#include <winhttp.h>

#include <vector>

#include "win/handles.h"

namespace ondrix::win {

namespace {

HttpResult Failure() {
  HttpResult result;
  result.error = ::GetLastError();
  return result;
}

}  // namespace

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

std::optional<std::wstring> Win32Desktop::OpenFileDialog(HWND owner, const FileDialogOptions& options) {
  return ShowOpenFileDialog(owner, options);
}

std::optional<std::wstring> Win32Desktop::SaveFileDialog(HWND owner, const FileDialogOptions& options) {
  return ShowSaveFileDialog(owner, options);
}

std::optional<COLORREF> Win32Desktop::ColorDialog(HWND owner, COLORREF initial, bool full_open) {
  return ShowColorDialog(owner, initial, full_open);
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

HttpResult Win32Desktop::HttpGet(std::wstring_view url_view) {
  const std::wstring url(url_view);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!::WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return Failure();
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (path.empty()) path = L"/";

  UniqueHttpHandle session(::WinHttpOpen(L"Ondrix", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                   WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return Failure();
  UniqueHttpHandle connection(::WinHttpConnect(session.Get(), host.c_str(), parts.nPort, 0));
  if (!connection) return Failure();
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  UniqueHttpHandle request(::WinHttpOpenRequest(connection.Get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                          WINHTTP_DEFAULT_ACCEPT_TYPES, secure));
  if (!request) return Failure();
  DWORD disable = WINHTTP_DISABLE_REDIRECTS;
  ::WinHttpSetOption(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &disable, sizeof disable);
  if (!::WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !::WinHttpReceiveResponse(request.Get(), nullptr)) {
    return Failure();
  }

  HttpResult result;
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!::WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
    return Failure();
  }
  result.status = static_cast<int>(status);
  for (;;) {
    DWORD available = 0;
    if (!::WinHttpQueryDataAvailable(request.Get(), &available)) return Failure();
    if (available == 0) break;
    const std::size_t old_size = result.body.size();
    result.body.resize(old_size + available);
    DWORD read = 0;
    if (!::WinHttpReadData(request.Get(), result.body.data() + old_size, available, &read)) return Failure();
    result.body.resize(old_size + read);
    if (read == 0) break;
  }
  result.ok = true;
  return result;
}

}  // namespace ondrix::win
