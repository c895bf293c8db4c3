// Flat picture button drawn by us: a glyph drawn with GDI at the button's
// own size (so it is crisp at any DPI), an optional icon, an optional
// caption, and a highlight while the mouse is over it.
#pragma once

#include "win/control.h"

namespace ondrix::win {

enum class Glyph {
  None,
  Info,
  Gear,
  ArrowUp,
  ArrowDown,
  Open,
  Save,
  Copy,
  Paste,
  Ok,
  Error,
  Warning,
  Document,
  Clipboard,
  Calculate,  // start: a green "play" triangle
  Cancel,     // stop: a white cross on a red disc
};

class FlatButton : public Control {
 public:
  FlatButton();
  bool Create(Control& parent, Glyph glyph, std::wstring_view caption = {}, const Bounds& bounds = {},
              bool visible = true);
  Glyph GetGlyph() const noexcept { return glyph_; }
  void SetGlyph(Glyph glyph);
  // Drawn instead of the glyph; not owned.
  void SetIcon(HICON icon);
  void SetCaption(std::wstring_view caption) override;
  bool Hovered() const noexcept { return hovered_; }
  // Runs the click as if the user pressed the button.
  void Click();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
  bool OnReflected(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  void Draw(const DRAWITEMSTRUCT& item);
  Glyph glyph_ = Glyph::None;
  HICON icon_ = nullptr;
  bool hovered_ = false;
};

// Draws `glyph` centred in `box` with strokes in `color` (the glyph's own
// accent colour where it has one).
void DrawGlyph(HDC dc, Glyph glyph, const RECT& box, COLORREF color);

}  // namespace ondrix::win
