// Static text on its parent's background; optionally sized to its text.
#pragma once

#include "win/control.h"

namespace ondrix::win {

class Label : public Control {
 public:
  Label();
  bool Create(Control& parent, std::wstring_view caption, const Bounds& bounds = {}, bool visible = true);
  void SetCaption(std::wstring_view caption) override;
  bool AutoSize() const noexcept { return auto_size_; }
  void SetAutoSize(bool on);

 protected:
  bool OnReflected(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  void OnFontChanged() override;

 private:
  void FitToText();
  bool auto_size_ = false;
};

// Size of `text` drawn in `font` on one line.
SIZE MeasureText(HFONT font, std::wstring_view text);

}  // namespace ondrix::win
