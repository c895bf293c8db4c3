#include "output/text_file.h"

#include <windows.h>

#include "job/win_file_stream.h"
#include "settings/settings_file.h"
#include "win/handles.h"

namespace ondrix {
namespace {

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : DWORD(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool ReadAll(HANDLE file, std::string& bytes) {
  LARGE_INTEGER zero{};
  if (!::SetFilePointerEx(file, zero, nullptr, FILE_BEGIN)) return false;
  bytes.clear();
  char buffer[8192];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0) return true;
    bytes.append(buffer, got);
  }
}

std::wstring WideFromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
  std::wstring text(std::size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), text.data(), n);
  return text;
}

}  // namespace

std::optional<std::string> AnsiFromWide(std::wstring_view text) {
  if (text.empty()) return std::string();
  const UINT code_page = ::GetACP();
  // The default-character report is refused for UTF-8 as the code page; the
  // round trip below catches what it would have caught.
  const bool utf8 = code_page == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL used_default = FALSE;
  BOOL* used_default_ptr = utf8 ? nullptr : &used_default;
  const int n = ::WideCharToMultiByte(code_page, flags, text.data(), int(text.size()), nullptr, 0,
                                      nullptr, used_default_ptr);
  if (n <= 0 || used_default) return std::nullopt;
  std::string bytes(std::size_t(n), '\0');
  ::WideCharToMultiByte(code_page, flags, text.data(), int(text.size()), bytes.data(), n, nullptr,
                        used_default_ptr);
  if (used_default || WideFromAnsi(bytes) != text) return std::nullopt;
  return bytes;
}

AnsiConverter Win32AnsiConverter() { return AnsiFromWide; }

bool WriteTextFile(const std::wstring& path, const std::vector<std::wstring>& lines) {
  std::wstring content;
  for (const std::wstring& line : lines) content.append(line).append(L"\r\n");
  const EncodedTextFile encoded = EncodeTextFile(content, Win32AnsiConverter());

  win::UniqueHandle file(::CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  return WriteAll(file.Get(), encoded.bytes);
}

HistoryAppendResult AppendHistoryLine(const std::wstring& path, std::wstring_view line,
                                      bool hidden, bool system,
                                      const std::function<bool()>& settings_writable) {
  const std::wstring api_path = ExtendedLengthPath(path);
  // Several copies of the program may append to the same file, each opening
  // it for one line only.
  win::UniqueHandle file(::CreateFileW(api_path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return HistoryAppendResult::NotOpened;
  const bool created = ::GetLastError() != ERROR_ALREADY_EXISTS;

  const HistoryAppendResult written = [&] {
    char head[3] = {};
    DWORD got = 0;
    if (!::ReadFile(file.Get(), head, sizeof head, &got, nullptr))
      return HistoryAppendResult::WriteFailed;
    const ExistingTextFile existing = ClassifyExistingTextFile(std::string_view(head, got));

    bool read_ok = true;
    const AppendPlan plan =
        PlanTextAppend(existing, std::wstring(line) + L"\r\n", Win32AnsiConverter(), [&] {
          std::string old;
          read_ok = ReadAll(file.Get(), old);
          return WideFromAnsi(old);
        });
    if (!read_ok) return HistoryAppendResult::WriteFailed;

    LARGE_INTEGER zero{};
    if (plan.action == AppendPlan::Action::RewriteAsUtf8) {
      if (!::SetFilePointerEx(file.Get(), zero, nullptr, FILE_BEGIN) ||
          !WriteAll(file.Get(), plan.bytes) || !::SetEndOfFile(file.Get()))
        return HistoryAppendResult::WriteFailed;
    } else if (!::SetFilePointerEx(file.Get(), zero, nullptr, FILE_END) ||
               !WriteAll(file.Get(), plan.bytes)) {
      return HistoryAppendResult::WriteFailed;
    }
    return HistoryAppendResult::Appended;
  }();
  file.Reset();

  if (created && settings_writable && settings_writable())
    ApplyHiddenSystemAttributes(api_path, hidden, system);
  return written;
}

}  // namespace ondrix
