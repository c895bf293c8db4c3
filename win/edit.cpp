#include "win/edit.h"

#include <string>

#include "win/dpi.h"

namespace ondrix::win {

std::wstring ApplyCharCase(std::wstring_view text, CharCase char_case) {
  std::wstring result(text);
  if (result.empty()) return result;
  const auto length = static_cast<DWORD>(result.size());
  if (char_case == CharCase::Upper) ::CharUpperBuffW(result.data(), length);
  if (char_case == CharCase::Lower) ::CharLowerBuffW(result.data(), length);
  return result;
}

Edit::Edit() { SetColor(::GetSysColor(COLOR_WINDOW)); }

bool Edit::Create(Control& parent, const Bounds& bounds, bool read_only, bool visible) {
  const DWORD style = WS_TABSTOP | ES_AUTOHSCROLL | (read_only ? ES_READONLY : 0) | (visible ? WS_VISIBLE : 0);
  if (!CreateChild(parent, L"EDIT", style, WS_EX_CLIENTEDGE, L"", bounds)) return false;
  SetCharCase(char_case_);
  return true;
}

void Edit::SetCaption(std::wstring_view text) { Control::SetCaption(Converted(text)); }

std::wstring Edit::Converted(std::wstring_view text) const { return ApplyCharCase(text, char_case_); }

bool Edit::ReadOnly() const {
  return Hwnd() != nullptr && (::GetWindowLongPtrW(Hwnd(), GWL_STYLE) & ES_READONLY) != 0;
}

void Edit::SetReadOnly(bool read_only) {
  if (Hwnd() != nullptr) ::SendMessageW(Hwnd(), EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
}

void Edit::SetCharCase(CharCase char_case) {
  char_case_ = char_case;
  if (Hwnd() == nullptr) return;
  LONG_PTR style = ::GetWindowLongPtrW(Hwnd(), GWL_STYLE) & ~static_cast<LONG_PTR>(ES_UPPERCASE | ES_LOWERCASE);
  if (char_case == CharCase::Upper) style |= ES_UPPERCASE;
  if (char_case == CharCase::Lower) style |= ES_LOWERCASE;
  ::SetWindowLongPtrW(Hwnd(), GWL_STYLE, style);
  // The style only governs what is typed from now on; the text already
  // there is converted here, keeping the selection.
  const std::wstring current = Caption();
  const std::wstring converted = Converted(current);
  if (converted != current) {
    const auto [start, end] = Selection();
    Control::SetCaption(converted);
    SetSelection(start, end);
  }
}

void Edit::SetBold(bool bold) {
  bold_ = bold;
  OnFontChanged();
}

void Edit::OnFontChanged() {
  if (Hwnd() == nullptr) return;
  HFONT font = Font();
  if (bold_) {
    bold_font_ = CreateFontVariant(font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), true);
    if (bold_font_) font = bold_font_.Get();
  }
  ::SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (!bold_) bold_font_.Reset();
}

void Edit::SelectAll() { SetSelection(0, -1); }

void Edit::SetSelection(int start, int end) {
  if (Hwnd() != nullptr) ::SendMessageW(Hwnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

std::pair<int, int> Edit::Selection() const {
  DWORD start = 0, end = 0;
  if (Hwnd() != nullptr) {
    ::SendMessageW(Hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  }
  return {static_cast<int>(start), static_cast<int>(end)};
}

void Edit::ReplaceSelection(std::wstring_view text) {
  if (Hwnd() == nullptr) return;
  const std::wstring converted = Converted(text);
  ::SendMessageW(Hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(converted.c_str()));
}

bool Edit::OnReflected(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {  // read-only and disabled fields ask with this one
      HDC dc = reinterpret_cast<HDC>(wparam);
      ::SetTextColor(dc, FontColor());
      ::SetBkColor(dc, Color());
      result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return true;
    }
    case WM_COMMAND:
      if (HIWORD(wparam) == EN_CHANGE && OnChange) {
        OnChange();
        return true;
      }
      return false;
    default:
      return Control::OnReflected(msg, wparam, lparam, result);
  }
}

}  // namespace ondrix::win
