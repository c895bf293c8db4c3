#include "win/form.h"

#include <windowsx.h>

#include <string>

#include "win/app_cursor.h"
#include "win/dpi.h"

namespace ondrix::win {

bool Form::CreateForm(const WindowClassInfo& cls, std::wstring_view title, DWORD style, DWORD ex_style,
                      int client_width, int client_height, HWND owner) {
  const std::wstring caption(title);
  if (!CreateWindowOfClass(cls, ex_style, style, caption.c_str(), CW_USEDEFAULT, CW_USEDEFAULT, client_width,
                           client_height, owner)) {
    return false;
  }
  surface_.AttachRoot(Hwnd());
  dpi_ = DpiOf(Hwnd());
  font_ = CreateUiFont(dpi_);
  surface_.SetFont(font_.Get());
  SetClientSize(client_width, client_height);
  return true;
}

int Form::ClientWidth() const {
  RECT rc{};
  ::GetClientRect(Hwnd(), &rc);
  return rc.right;
}

int Form::ClientHeight() const {
  RECT rc{};
  ::GetClientRect(Hwnd(), &rc);
  return rc.bottom;
}

void Form::SetClientSize(int width, int height) {
  const SIZE outer = OuterSizeForClient(Hwnd(), width, height);
  ::SetWindowPos(Hwnd(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  UniqueFont old = std::move(font_);
  font_ = CreateUiFont(dpi);
  surface_.SetFont(font_.Get());
  WindowBase::OnDpiChanged(dpi, suggested);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      if (Constraints.MinWidth > 0) info->ptMinTrackSize.x = Constraints.MinWidth;
      if (Constraints.MinHeight > 0) info->ptMinTrackSize.y = Constraints.MinHeight;
      if (Constraints.MaxWidth > 0) info->ptMaxTrackSize.x = Constraints.MaxWidth;
      if (Constraints.MaxHeight > 0) info->ptMaxTrackSize.y = Constraints.MaxHeight;
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT rc{};
      ::GetClientRect(Hwnd(), &rc);
      ::FillRect(reinterpret_cast<HDC>(wparam), &rc, surface_.BackgroundBrush());
      return 1;
    }
    case WM_SETCURSOR:
      if (AnswerSetCursor(lparam)) return TRUE;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (surface_.OnMouseDown) {
        surface_.OnMouseDown(msg == WM_LBUTTONDOWN ? MouseButton::Left : MouseButton::Right,
                             POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      }
      break;
    default: {
      LRESULT result = 0;
      if (surface_.HandleContainerMessage(msg, wparam, lparam, result)) return result;
    }
  }
  return WindowBase::HandleMessage(msg, wparam, lparam);
}

}  // namespace ondrix::win
