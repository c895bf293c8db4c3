#include "win/status_bar.h"

#include <commctrl.h>

namespace ondrix::win {

bool StatusBar::Create(Control& parent, const Bounds& bounds, bool visible) {
  // Without parent alignment and self-sizing the bar stays where the
  // alignment rule puts it.
  return CreateChild(parent, STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | (visible ? WS_VISIBLE : 0),
                     0, L"", bounds);
}

void StatusBar::SetPanelWidths(const std::vector<int>& widths) {
  widths_ = widths;
  texts_.resize(widths.size());
  std::vector<int> edges;
  int right = 0;
  for (int width : widths) edges.push_back(right += width);
  if (Hwnd() == nullptr) return;
  ::SendMessageW(Hwnd(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (std::size_t i = 0; i < texts_.size(); ++i) SetPanelText(static_cast<int>(i), texts_[i]);
}

void StatusBar::SetPanelText(int index, std::wstring_view text) {
  if (index < 0) return;
  if (static_cast<std::size_t>(index) >= texts_.size()) texts_.resize(static_cast<std::size_t>(index) + 1);
  texts_[static_cast<std::size_t>(index)] = text;
  if (Hwnd() == nullptr) return;
  // One leading tab centres the text in its panel.
  const std::wstring shown = L"\t" + std::wstring(text);
  ::SendMessageW(Hwnd(), SB_SETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(shown.c_str()));
}

std::wstring StatusBar::PanelText(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= texts_.size()) return {};
  return texts_[static_cast<std::size_t>(index)];
}

}  // namespace ondrix::win
