// Drop-down list (no typing) with 11 visible entries. Drawn by us so that
// its background and text colours hold with and without visual styles.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "win/control.h"

namespace ondrix::win {

class ComboList : public Control {
 public:
  static constexpr int kVisibleItems = 11;

  ComboList();
  bool Create(Control& parent, const Bounds& bounds = {}, bool visible = true);

  void AddItem(std::wstring_view text);
  void ClearItems();
  int ItemCount() const;
  std::wstring ItemText(int index) const;
  // -1 when nothing is selected.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Selects the entry with exactly this text; false when there is none.
  bool SelectText(std::wstring_view text);

  std::function<void()> OnChange;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
  bool OnReflected(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  void OnFontChanged() override;
  int WindowHeightFor(int height) const override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
  int item_height_ = 15;
};

}  // namespace ondrix::win
