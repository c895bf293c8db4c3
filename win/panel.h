// A container: background colour, optional 1-pixel bevel, aligned children.
#pragma once

#include "win/control.h"

namespace ondrix::win {

enum class PanelBevel { None, Raised, Lowered };

class Panel : public Control {
 public:
  bool Create(Control& parent, const Bounds& bounds = {}, bool visible = true);
  PanelBevel Bevel() const noexcept { return bevel_; }
  void SetBevel(PanelBevel bevel);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
  Bounds AlignArea() const override;

 private:
  PanelBevel bevel_ = PanelBevel::None;
};

// Paints `control`'s background colour into `dc` over `rc`.
void FillBackground(Control& control, HDC dc, const RECT& rc);

}  // namespace ondrix::win
