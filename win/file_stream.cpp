#include "job/win_file_stream.h"

#include "win/last_error.h"

namespace ondrix {
namespace {

// The directory functions stop at MAX_PATH - 12 without the prefix, so the
// prefix is added from there on.
constexpr std::size_t kPrefixFrom = MAX_PATH - 12;

std::string Utf8Of(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                      nullptr, nullptr);
  std::string out(std::size_t(n > 0 ? n : 0), '\0');
  if (n > 0)
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), n, nullptr,
                          nullptr);
  return out;
}

[[noreturn]] void ThrowLastError() {
  const DWORD code = ::GetLastError();
  // CancelSynchronousIo from the thread that stops the calculation.
  if (code == ERROR_OPERATION_ABORTED) throw EStreamCancelled(Utf8Of(win::SystemErrorText(code)));
  throw EStreamError(Utf8Of(win::SystemErrorText(code)));
}

}  // namespace

std::wstring ExtendedLengthPath(std::wstring_view path) {
  if (path.size() < kPrefixFrom || path.starts_with(L"\\\\?\\")) return std::wstring(path);
  const std::wstring given(path);
  const DWORD needed = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return given;
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(given.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return given;
  full.resize(length);
  if (full.starts_with(L"\\\\?\\")) return full;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
  return given;
}

WinFileStream::~WinFileStream() { ::CloseHandle(file_); }

std::int64_t WinFileStream::Size() {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file_, &size)) ThrowLastError();
  return size.QuadPart;
}

std::int64_t WinFileStream::Position() {
  LARGE_INTEGER zero{}, position{};
  if (!::SetFilePointerEx(file_, zero, &position, FILE_CURRENT)) ThrowLastError();
  // What was read ahead has not been handed out yet.
  return position.QuadPart - std::int64_t(read_ahead_.Buffered());
}

std::size_t WinFileStream::Read(void* buffer, std::size_t count) {
  return read_ahead_.Read(buffer, count, [this](void* to, std::size_t n) -> std::size_t {
    // ReadFile takes a 32-bit count; the pieces are far smaller.
    const DWORD want = n > 0x40000000u ? 0x40000000u : DWORD(n);
    DWORD got = 0;
    if (!::ReadFile(file_, to, want, &got, nullptr)) ThrowLastError();
    return got;
  });
}

OpenedStream OpenFileStream(const std::wstring& path) {
  const std::wstring api_path = ExtendedLengthPath(path);
  HANDLE file = ::CreateFileW(api_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                              nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = ::GetLastError();
    std::wstring text = win::SystemErrorText(code);
    if (text.empty()) text = L"Error " + std::to_wstring(code);
    return {nullptr, std::move(text)};
  }
  return {std::make_unique<WinFileStream>(file), {}};
}

}  // namespace ondrix
