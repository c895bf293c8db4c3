// A window of our own class whose messages reach a C++ object: the window
// procedure binds `this` at WM_NCCREATE, forwards every message to the
// virtual HandleMessage, and unbinds at WM_NCDESTROY.
#pragma once

#include <windows.h>

namespace ondrix::win {

struct WindowClassInfo {
  const wchar_t* name;
  UINT style = CS_DBLCLKS;
  HICON icon = nullptr;
  HICON small_icon = nullptr;
  HCURSOR cursor = nullptr;  // null: the arrow
  HBRUSH background = nullptr;
};

class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase();

  HWND Hwnd() const noexcept { return hwnd_; }

  // Registers the class on first use, then creates the window. False with
  // GetLastError set when either step fails.
  bool CreateWindowOfClass(const WindowClassInfo& cls, DWORD ex_style, DWORD style,
                           const wchar_t* title, int x, int y, int width, int height,
                           HWND parent_or_owner, HMENU menu_or_id = nullptr);

  void Destroy();

 protected:
  // Handles one message; unhandled ones go to WindowBase::HandleMessage,
  // which serves WM_DPICHANGED and then DefWindowProc.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);

  LRESULT DefaultHandle(UINT msg, WPARAM wparam, LPARAM lparam) {
    return ::DefWindowProcW(hwnd_, msg, wparam, lparam);
  }

  // The window moved to a screen of another DPI. The default takes the
  // rectangle the system suggests.
  virtual void OnDpiChanged(UINT dpi, const RECT& suggested);

  // Last message of the window; the object is unbound right after it.
  virtual void OnFinalMessage() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
};

// The outer size a window needs for the given client size, with its current
// styles and menu.
SIZE OuterSizeForClient(HWND hwnd, int client_width, int client_height);

}  // namespace ondrix::win
