#include "output/text_file.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>

#include "win/file_stream.h"
#include "win/file_path.h"
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

  // Opened and then truncated rather than CREATE_ALWAYS, which refuses an
  // existing hidden or system file unless the call repeats those attributes.
  // An existing file keeps its attributes.
  win::UniqueHandle file(::CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !::SetEndOfFile(file.Get())) return false;
  return WriteAll(file.Get(), encoded.bytes);
}

bool WriteWholeBytes(HANDLE file, std::string_view bytes) { return WriteAll(file, bytes); }

namespace {

// Every copy of the program appends to the same history file; they take
// turns through a mutex named after the file. Held for one line, or for the
// one conversion of the file to UTF-8.
class HistoryLock {
 public:
  explicit HistoryLock(const std::wstring& api_path) {
    mutex_.Reset(::CreateMutexW(nullptr, FALSE, MutexName(api_path).c_str()));
    if (!mutex_) {
      owned_ = true;  // no mutex to be had: append alone, as before locking
      return;
    }
    const DWORD waited = ::WaitForSingleObject(mutex_.Get(), kWaitMs);
    // An abandoned mutex is ours now; the file it guarded is whole either
    // way, since a conversion only ever replaces it by a complete file.
    owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!owned_) mutex_.Reset();
  }
  ~HistoryLock() {
    if (mutex_) ::ReleaseMutex(mutex_.Get());
  }
  HistoryLock(const HistoryLock&) = delete;
  HistoryLock& operator=(const HistoryLock&) = delete;

  bool Owned() const { return owned_; }

 private:
  static constexpr DWORD kWaitMs = 10000;

  // Mutex names cannot hold backslashes: the name carries a hash of the
  // full path in upper case (the file system ignores case).
  static std::wstring MutexName(const std::wstring& api_path) {
    std::wstring full(api_path);
    const DWORD needed = ::GetFullPathNameW(api_path.c_str(), 0, nullptr, nullptr);
    if (needed > 0) {
      std::wstring buffer(needed, L'\0');
      const DWORD length = ::GetFullPathNameW(api_path.c_str(), needed, buffer.data(), nullptr);
      if (length > 0 && length < needed) full.assign(buffer.data(), length);
    }
    if (!full.empty()) ::CharUpperBuffW(full.data(), DWORD(full.size()));
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (wchar_t c : full) {
      hash ^= std::uint64_t(c);
      hash *= 1099511628211ull;
    }
    wchar_t hex[17];
    std::swprintf(hex, 17, L"%016llx", static_cast<unsigned long long>(hash));
    return std::wstring(L"Local\\Ondrix history ") + hex;
  }

  win::UniqueHandle mutex_;
  bool owned_ = false;
};

// The conversion to UTF-8: the whole new content goes to a file beside the
// history, which then takes the history's place in one rename. Until that
// rename the old file is untouched; after it the new one is complete. A
// failure removes the new file and leaves the history as it was.
bool ReplaceWithNewContent(const std::wstring& api_path, std::string_view bytes,
                           const FileWriteFn& write) {
  const DWORD old_attributes = ::GetFileAttributesW(api_path.c_str());
  const std::wstring fresh = api_path + L".new";
  bool ok = false;
  {
    win::UniqueHandle file(::CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    ok = file && write(file.Get(), bytes) && ::FlushFileBuffers(file.Get());
  }
  // The hidden and system attributes of the history stay with it.
  if (ok && old_attributes != INVALID_FILE_ATTRIBUTES)
    ok = ::SetFileAttributesW(fresh.c_str(),
                              old_attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                FILE_ATTRIBUTE_ARCHIVE)) != FALSE;
  if (ok)
    ok = ::MoveFileExW(fresh.c_str(), api_path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  if (!ok) {
    ::SetFileAttributesW(fresh.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(fresh.c_str());
  }
  return ok;
}

}  // namespace

HistoryAppendResult AppendHistoryLine(const std::wstring& path, std::wstring_view line,
                                      bool hidden, bool system,
                                      const std::function<bool()>& settings_writable,
                                      const FileWriteFn& write) {
  const std::wstring api_path = ExtendedLengthPath(path);
  const HistoryLock lock(api_path);
  if (!lock.Owned()) return HistoryAppendResult::WriteFailed;

  // Append-only access: every write lands at the end of the file, whatever
  // another program appended meanwhile.
  win::UniqueHandle file(::CreateFileW(api_path.c_str(), GENERIC_READ | FILE_APPEND_DATA,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
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

    if (plan.action == AppendPlan::Action::RewriteAsUtf8) {
      // The rename needs the history closed.
      file.Reset();
      return ReplaceWithNewContent(api_path, plan.bytes, write) ? HistoryAppendResult::Appended
                                                                : HistoryAppendResult::WriteFailed;
    }
    // The line in one write, so lines of two copies never interleave.
    return write(file.Get(), plan.bytes) ? HistoryAppendResult::Appended
                                         : HistoryAppendResult::WriteFailed;
  }();
  file.Reset();

  if (created && settings_writable && settings_writable())
    ApplyHiddenSystemAttributes(api_path, hidden, system);
  return written;
}

}  // namespace ondrix
