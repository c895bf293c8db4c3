#include "win/file_path.h"

#include <windows.h>

namespace ondrix {
namespace {

// The directory functions stop at MAX_PATH - 12 without the prefix, so the
// prefix is added from there on.
constexpr std::size_t kPrefixFrom = MAX_PATH - 12;

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

// Asked with the long-path prefix, so a path past MAX_PATH is found too.
bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = ::GetFileAttributesW(ExtendedLengthPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void ApplyHiddenSystemAttributes(const std::wstring& path, bool hidden, bool system) {
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
  if (hidden && system)
    attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  else if (hidden)
    attributes = FILE_ATTRIBUTE_HIDDEN;
  else if (system)
    attributes = FILE_ATTRIBUTE_SYSTEM;
  SetFileAttributesW(path.c_str(), attributes);
}

}  // namespace ondrix
