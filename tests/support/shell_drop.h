// A file drop as Explorer hands it to a window: a DROPFILES header, then the
// wide paths, each null-terminated, and one more null. The receiver owns the
// memory (DragFinish frees it).
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

namespace ondrix::test {

inline HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  std::size_t chars = 1;
  for (const auto& p : paths) chars += p.size() + 1;
  HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  auto* out = reinterpret_cast<wchar_t*>(header + 1);
  for (const auto& p : paths) {
    std::memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
    out += p.size() + 1;
  }
  *out = L'\0';
  ::GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

}  // namespace ondrix::test
