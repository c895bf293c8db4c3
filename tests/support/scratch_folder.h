// The Win32 tests' one temp-folder helper: a scratch folder removed with its
// object, and the file helpers the tests read and write it with (any path
// length, any name).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "tests/support/pattern_bytes.h"
#include "win/file_stream.h"

namespace ondrix::test {

inline std::wstring TempRoot() {
  wchar_t buffer[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, buffer);
  return buffer;
}

// Deletes a folder and everything under it, whatever the length of its paths.
inline void RemoveTree(const std::wstring& folder) {
  const std::wstring api = ExtendedLengthPath(folder);
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW((api + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = folder + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        const std::wstring child_api = ExtendedLengthPath(child);
        ::SetFileAttributesW(child_api.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(child_api.c_str());
      }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(api.c_str());
}

// A fresh folder under the system's temporary folder, removed with the object.
class ScratchFolder {
 public:
  ScratchFolder() {
    static int counter = 0;
    path_ = TempRoot() + L"ondrix-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    RemoveTree(path_);
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~ScratchFolder() { RemoveTree(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring operator/(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }

 private:
  std::wstring path_;
};

inline bool WriteBytes(const std::wstring& path, std::string_view bytes) {
  HANDLE file = ::CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = bytes.empty() || ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written,
                                               nullptr);
  ::CloseHandle(file);
  return ok && written == bytes.size();
}

inline std::string ReadBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

inline bool FileExists(const std::wstring& path) {
  return ::GetFileAttributesW(ExtendedLengthPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A folder chain under `root` that makes root\chain\name at least
// `min_length` characters long; returns the file path (folders created).
inline std::wstring LongPathUnder(const std::wstring& root, std::wstring_view name,
                                  std::size_t min_length) {
  std::wstring folder = root;
  int level = 0;
  while (folder.size() + 1 + name.size() < min_length) {
    folder += L"\\level" + std::to_wstring(++level) + L"_" + std::wstring(50, L'x');
    ::CreateDirectoryW(ExtendedLengthPath(folder).c_str(), nullptr);
  }
  return folder + L"\\" + std::wstring(name);
}

// A name the Western code page cannot spell entirely.
inline constexpr std::wstring_view kForeignName = L"\u00dcn\u00efc\u00f8d\u00e9_\u65e5\u672c\u8a9e_\u0133.bin";

}  // namespace ondrix::test
