#include "verify/clipboard.h"

#include <cstring>

#include "win/handles.h"

namespace ondrix {
namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryDelayMs = 20;

// A message-only window to own the clipboard when the caller has none:
// emptying the clipboard without an owner leaves data that some readers
// refuse.
class HelperWindow {
 public:
  HelperWindow()
      : hwnd_(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr)) {}
  ~HelperWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
  }
  HelperWindow(const HelperWindow&) = delete;
  HelperWindow& operator=(const HelperWindow&) = delete;
  HWND Get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
      if (::OpenClipboard(owner)) {
        open_ = true;
        return;
      }
      ::Sleep(kOpenRetryDelayMs);
    }
  }
  ~OpenedClipboard() {
    if (open_) ::CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

// Hands `size` bytes to the clipboard under `format`; the system owns the
// memory once SetClipboardData succeeds.
bool PutBytes(UINT format, const void* data, std::size_t size) {
  win::UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) return false;
  void* target = ::GlobalLock(memory.Get());
  if (!target) return false;
  std::memcpy(target, data, size);
  ::GlobalUnlock(memory.Get());
  if (!::SetClipboardData(format, memory.Get())) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}

bool PutText(std::wstring_view text) {
  std::wstring terminated(text);
  return PutBytes(CF_UNICODETEXT, terminated.c_str(), (terminated.size() + 1) * sizeof(wchar_t));
}

bool SetClipboard(std::wstring_view plain, const std::string_view* rtf, HWND owner) {
  std::optional<HelperWindow> helper;
  if (!owner) owner = helper.emplace().Get();
  OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
  if (!PutText(plain)) return false;
  if (rtf) {
    std::string terminated(*rtf);
    if (!PutBytes(RichTextClipboardFormat(), terminated.c_str(), terminated.size() + 1))
      return false;
  }
  return true;
}

}  // namespace

UINT RichTextClipboardFormat() {
  static const UINT format = ::RegisterClipboardFormatW(L"Rich Text Format");
  return format;
}

std::optional<std::wstring> GetClipboardText() {
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
  OpenedClipboard clipboard(nullptr);
  if (!clipboard.IsOpen()) return std::nullopt;
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const auto* text = static_cast<const wchar_t*>(::GlobalLock(data));
  if (!text) return std::nullopt;
  // The block may be larger than the text; the text ends at its first null,
  // or at the block's end when a writer left none.
  const std::size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < capacity && text[length] != L'\0') ++length;
  std::wstring result(text, length);
  ::GlobalUnlock(data);
  return result;
}

bool SetClipboardText(std::wstring_view text, HWND owner) {
  return SetClipboard(text, nullptr, owner);
}

bool SetClipboardTextWithRtf(std::wstring_view plain, std::string_view rtf, HWND owner) {
  return SetClipboard(plain, &rtf, owner);
}

}  // namespace ondrix
