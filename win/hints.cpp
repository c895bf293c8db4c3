#include "win/hints.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace ondrix::win {

namespace {

HWND g_hint_window = nullptr;

HWND EnsureHintWindow(HWND owner) {
  if (g_hint_window != nullptr && ::IsWindow(g_hint_window)) return g_hint_window;
  g_hint_window = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
  if (g_hint_window != nullptr) ::SendMessageW(g_hint_window, TTM_SETMAXTIPWIDTH, 0, 600);
  return g_hint_window;
}

TTTOOLINFOW ToolFor(HWND control) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = ::GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

WORD ClampDelay(int ms) { return static_cast<WORD>(std::clamp(ms, 0, 32767)); }

}  // namespace

HWND HintWindow() { return g_hint_window != nullptr && ::IsWindow(g_hint_window) ? g_hint_window : nullptr; }

void SetWindowHint(HWND control, std::wstring_view text) {
  if (control == nullptr || !::IsWindow(control)) return;
  HWND tip = EnsureHintWindow(::GetAncestor(control, GA_ROOT));
  if (tip == nullptr) return;
  TTTOOLINFOW tool = ToolFor(control);
  ::SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (text.empty()) return;
  std::wstring copy(text);
  tool.lpszText = copy.data();
  ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SetHintDelays(int initial_ms, int auto_pop_ms, int reshow_ms) {
  HWND tip = EnsureHintWindow(nullptr);
  if (tip == nullptr) return;
  ::SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(ClampDelay(initial_ms), 0));
  ::SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(ClampDelay(auto_pop_ms), 0));
  ::SendMessageW(tip, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(ClampDelay(reshow_ms), 0));
}

}  // namespace ondrix::win
