// Status bar with fixed-width panels whose texts are centred. Laid out by
// its container like any other control.
#pragma once

#include <string>
#include <vector>

#include "win/control.h"

namespace ondrix::win {

class StatusBar : public Control {
 public:
  bool Create(Control& parent, const Bounds& bounds = {}, bool visible = true);
  // Widths in pixels, left to right.
  void SetPanelWidths(const std::vector<int>& widths);
  const std::vector<int>& PanelWidths() const noexcept { return widths_; }
  void SetPanelText(int index, std::wstring_view text);
  // The text as given, without the centring prefix.
  std::wstring PanelText(int index) const;

 private:
  std::vector<int> widths_;
  std::vector<std::wstring> texts_;
};

}  // namespace ondrix::win
