#include "win/window_base.h"

#include "win/error_guard.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace ondrix::win {

namespace {

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<const wchar_t*>(&ThisModule), &module);
  return module;
}

bool EnsureClassRegistered(const WindowClassInfo& cls, WNDPROC proc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(ThisModule(), cls.name, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = cls.style;
  wc.lpfnWndProc = proc;
  wc.hInstance = ThisModule();
  wc.hIcon = cls.icon;
  wc.hIconSm = cls.small_icon;
  wc.hCursor = cls.cursor ? cls.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = cls.background;
  wc.lpszClassName = cls.name;
  return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

WindowBase::~WindowBase() { Destroy(); }

void WindowBase::Destroy() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

bool WindowBase::CreateWindowOfClass(const WindowClassInfo& cls, DWORD ex_style, DWORD style,
                                     const wchar_t* title, int x, int y, int width, int height,
                                     HWND parent_or_owner, HMENU menu_or_id) {
  if (!EnsureClassRegistered(cls, &WindowBase::WindowProc)) return false;
  return ::CreateWindowExW(ex_style, cls.name, title, style, x, y, width, height, parent_or_owner,
                           menu_or_id, ThisModule(), this) != nullptr;
}

LRESULT WindowBase::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_DPICHANGED) {
    OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
    return 0;
  }
  return DefaultHandle(msg, wparam, lparam);
}

void WindowBase::OnDpiChanged(UINT, const RECT& suggested) {
  ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  WindowBase* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after unbinding.
  if (self == nullptr) return ::DefWindowProcW(hwnd, msg, wparam, lparam);

  // An error in a handler is reported and the message counts as handled.
  LRESULT result = 0;
  Guard([&] { result = self->HandleMessage(msg, wparam, lparam); });
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnFinalMessage();
  }
  return result;
}

SIZE OuterSizeForClient(HWND hwnd, int client_width, int client_height) {
  RECT window{}, client{};
  ::GetWindowRect(hwnd, &window);
  ::GetClientRect(hwnd, &client);
  return {client_width + (window.right - window.left) - client.right,
          client_height + (window.bottom - window.top) - client.bottom};
}

}  // namespace ondrix::win
