#include "win/panel.h"

#include "win/handles.h"

namespace ondrix::win {

namespace {

constexpr wchar_t kPanelClass[] = L"OndrixPanel";

bool RegisterPanelClass() {
  HINSTANCE module = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(module, kPanelClass, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = module;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPanelClass;
  return ::RegisterClassExW(&wc) != 0;
}

}  // namespace

void FillBackground(Control& control, HDC dc, const RECT& rc) { ::FillRect(dc, &rc, control.BackgroundBrush()); }

bool Panel::Create(Control& parent, const Bounds& bounds, bool visible) {
  if (!RegisterPanelClass()) return false;
  return CreateChild(parent, kPanelClass, WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0), 0, L"",
                     bounds);
}

void Panel::SetBevel(PanelBevel bevel) {
  bevel_ = bevel;
  Invalidate();
  if (IsContainer()) Realign(*this);
}

Bounds Panel::AlignArea() const {
  Bounds area = Control::AlignArea();
  if (bevel_ != PanelBevel::None) area = {1, 1, area.Width - 2, area.Height - 2};
  return area;
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rc{};
      ::GetClientRect(Hwnd(), &rc);
      FillBackground(*this, reinterpret_cast<HDC>(wparam), rc);
      return 1;
    }
    case WM_PAINT: {
      PaintDC dc(Hwnd());
      if (bevel_ != PanelBevel::None) {
        RECT rc{};
        ::GetClientRect(Hwnd(), &rc);
        ::DrawEdge(dc, &rc, bevel_ == PanelBevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
      }
      return 0;
    }
    default:
      return Control::HandleMessage(msg, wparam, lparam);
  }
}

}  // namespace ondrix::win
