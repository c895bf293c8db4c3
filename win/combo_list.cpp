#include "win/combo_list.h"

#include <commctrl.h>

#include "win/dpi.h"
#include "win/handles.h"

namespace ondrix::win {

ComboList::ComboList() { SetColor(::GetSysColor(COLOR_WINDOW)); }

bool ComboList::Create(Control& parent, const Bounds& bounds, bool visible) {
  const DWORD style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS |
                      (visible ? WS_VISIBLE : 0);
  if (!CreateChild(parent, L"COMBOBOX", style, 0, L"", bounds)) return false;
  ::SendMessageW(Hwnd(), CB_SETMINVISIBLE, kVisibleItems, 0);
  return true;
}

int ComboList::WindowHeightFor(int height) const {
  // The window height of a drop-down list is the height of its open list;
  // the closed field sizes itself from the item height.
  return height + kVisibleItems * item_height_ + 4;
}

void ComboList::OnFontChanged() {
  if (Hwnd() == nullptr) return;
  item_height_ = FontLineHeight(Font()) + 2;
  ::SendMessageW(Hwnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item_height_);
  ::SendMessageW(Hwnd(), CB_SETITEMHEIGHT, 0, item_height_);
}

void ComboList::AddItem(std::wstring_view text) {
  if (Hwnd() == nullptr) return;
  const std::wstring copy(text);
  ::SendMessageW(Hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

void ComboList::ClearItems() {
  if (Hwnd() != nullptr) ::SendMessageW(Hwnd(), CB_RESETCONTENT, 0, 0);
}

int ComboList::ItemCount() const {
  return Hwnd() == nullptr ? 0 : static_cast<int>(::SendMessageW(Hwnd(), CB_GETCOUNT, 0, 0));
}

std::wstring ComboList::ItemText(int index) const {
  if (Hwnd() == nullptr) return {};
  const LRESULT length = ::SendMessageW(Hwnd(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  ::SendMessageW(Hwnd(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

int ComboList::ItemIndex() const {
  return Hwnd() == nullptr ? -1 : static_cast<int>(::SendMessageW(Hwnd(), CB_GETCURSEL, 0, 0));
}

void ComboList::SetItemIndex(int index) {
  if (Hwnd() != nullptr) ::SendMessageW(Hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool ComboList::SelectText(std::wstring_view text) {
  for (int i = 0, n = ItemCount(); i < n; ++i) {
    if (ItemText(i) == text) {
      SetItemIndex(i);
      return true;
    }
  }
  return false;
}

LRESULT ComboList::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_CTLCOLORLISTBOX) {  // the open list asks its combo box
    ::SetBkColor(reinterpret_cast<HDC>(wparam), Color());
    ::SetTextColor(reinterpret_cast<HDC>(wparam), FontColor());
    return reinterpret_cast<LRESULT>(BackgroundBrush());
  }
  return Control::HandleMessage(msg, wparam, lparam);
}

bool ComboList::OnReflected(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (msg) {
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      result = TRUE;
      return true;
    case WM_CTLCOLORLISTBOX:
      result = HandleMessage(msg, wparam, lparam);
      return true;
    case WM_COMMAND:
      if (HIWORD(wparam) == CBN_SELCHANGE && OnChange) {
        OnChange();
        return true;
      }
      return false;
    default:
      return Control::OnReflected(msg, wparam, lparam, result);
  }
}

void ComboList::DrawItem(const DRAWITEMSTRUCT& item) {
  const bool highlighted = (item.itemState & ODS_SELECTED) != 0 &&
                           ((item.itemState & ODS_COMBOBOXEDIT) == 0 || ::GetFocus() == Hwnd());
  const COLORREF background = highlighted ? ::GetSysColor(COLOR_HIGHLIGHT) : Color();
  const COLORREF text_color = highlighted ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : FontColor();
  UniqueBrush brush(::CreateSolidBrush(background));
  ::FillRect(item.hDC, &item.rcItem, brush.Get());
  if (item.itemID != static_cast<UINT>(-1)) {
    const std::wstring text = ItemText(static_cast<int>(item.itemID));
    RECT rc = item.rcItem;
    rc.left += 2;
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, (item.itemState & ODS_DISABLED) ? ::GetSysColor(COLOR_GRAYTEXT) : text_color);
    ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &rc,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    ::DrawFocusRect(item.hDC, &item.rcItem);
  }
}

}  // namespace ondrix::win
