// An in-memory dialog template, for dialogs built without a resource
// script. Dialog units follow the dialog font (Tahoma 8 pt), so the window
// has the right size at every DPI, and the system scales it when it moves
// between screens.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>
#include <vector>

namespace ondrix::win {

// Items name their window class ("BUTTON", "EDIT", WC_LINK, …); the item
// count is kept as items are added.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, std::wstring_view title, short cx, short cy) {
    AddDword(style | DS_SETFONT);
    AddDword(0);
    count_at_ = data_.size();
    data_.push_back(0);
    AddShorts(0, 0, cx, cy);
    data_.push_back(0);  // no menu
    data_.push_back(0);  // standard class
    AddString(title);
    data_.push_back(8);  // point size
    AddString(L"Tahoma");
  }

  void AddItem(std::wstring_view window_class, DWORD style, short x, short y, short cx, short cy, WORD id,
               std::wstring_view text) {
    while (data_.size() % 2 != 0) data_.push_back(0);  // DWORD alignment
    AddDword(style | WS_CHILD | WS_VISIBLE);
    AddDword(0);
    AddShorts(x, y, cx, cy);
    data_.push_back(id);
    AddString(window_class);
    AddString(text);
    data_.push_back(0);  // no creation data
    ++data_[count_at_];
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
  void AddDword(DWORD value) {
    data_.push_back(LOWORD(value));
    data_.push_back(HIWORD(value));
  }
  void AddShorts(short a, short b, short c, short d) {
    for (short v : {a, b, c, d}) data_.push_back(static_cast<WORD>(v));
  }
  void AddString(std::wstring_view text) {
    for (wchar_t c : text) data_.push_back(static_cast<WORD>(c));
    data_.push_back(0);
  }
  std::vector<WORD> data_;
  std::size_t count_at_ = 0;
};

}  // namespace ondrix::win
