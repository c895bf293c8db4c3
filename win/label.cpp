#include "win/label.h"

#include <string>

#include "win/handles.h"

namespace ondrix::win {

SIZE MeasureText(HFONT font, std::wstring_view text) {
  WindowDC dc(nullptr);
  SelectObjectGuard select(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
  RECT rc{0, 0, 0, 0};
  const std::wstring measured = text.empty() ? std::wstring(L" ") : std::wstring(text);
  ::DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &rc,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return {text.empty() ? 0 : rc.right, rc.bottom};
}

Label::Label() { SetFontColor(::GetSysColor(COLOR_BTNTEXT)); }

bool Label::Create(Control& parent, std::wstring_view caption, const Bounds& bounds, bool visible) {
  if (!CreateChild(parent, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY | (visible ? WS_VISIBLE : 0), 0,
                   caption, bounds)) {
    return false;
  }
  if (auto_size_) FitToText();
  return true;
}

void Label::SetCaption(std::wstring_view caption) {
  Control::SetCaption(caption);
  if (auto_size_) FitToText();
  Invalidate();
}

void Label::SetAutoSize(bool on) {
  auto_size_ = on;
  if (on) FitToText();
}

void Label::OnFontChanged() {
  if (auto_size_) FitToText();
}

void Label::FitToText() {
  if (Hwnd() == nullptr) return;
  const SIZE size = MeasureText(Font(), Caption());
  Bounds b = GetBounds();
  if (b.Width == size.cx && b.Height == size.cy) return;
  b.Width = size.cx;
  b.Height = size.cy;
  SetBounds(b);
}

bool Label::OnReflected(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (msg == WM_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(wparam);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, FontColor());
    result = reinterpret_cast<LRESULT>(BackgroundBrush());
    return true;
  }
  if (msg == WM_COMMAND && HIWORD(wparam) == STN_CLICKED && OnClick) {
    OnClick();
    return true;
  }
  return Control::OnReflected(msg, wparam, lparam, result);
}

}  // namespace ondrix::win
