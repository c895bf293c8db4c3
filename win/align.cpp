#include "win/align.h"

#include <algorithm>

namespace ondrix::win {

Bounds Constrain(Bounds b, const SizeConstraints& c) {
  if (c.MaxWidth > 0) b.Width = std::min(b.Width, c.MaxWidth);
  if (c.MaxHeight > 0) b.Height = std::min(b.Height, c.MaxHeight);
  b.Width = std::max({b.Width, c.MinWidth, 0});
  b.Height = std::max({b.Height, c.MinHeight, 0});
  return b;
}

void ArrangeAligned(Bounds area, std::span<AlignItem> items) {
  int left = area.Left;
  int top = area.Top;
  int right = area.Left + area.Width;
  int bottom = area.Top + area.Height;

  for (Align pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (AlignItem& item : items) {
      if (item.align != pass || !item.visible) continue;
      const Margins m = item.with_margins ? item.margins : Margins{0, 0, 0, 0};
      Bounds b = item.bounds;
      switch (pass) {
        case alTop:
        case alBottom:
          b.Left = left + m.Left;
          b.Width = right - left - m.Left - m.Right;
          break;
        case alLeft:
        case alRight:
          b.Top = top + m.Top;
          b.Height = bottom - top - m.Top - m.Bottom;
          break;
        case alClient:
          b = {left + m.Left, top + m.Top, right - left - m.Left - m.Right,
               bottom - top - m.Top - m.Bottom};
          break;
        case alNone:
          break;
      }
      b = Constrain(b, item.constraints);
      switch (pass) {
        case alTop:
          b.Top = top + m.Top;
          top += m.Top + b.Height + m.Bottom;
          break;
        case alBottom:
          b.Top = bottom - m.Bottom - b.Height;
          bottom -= m.Top + b.Height + m.Bottom;
          break;
        case alLeft:
          b.Left = left + m.Left;
          left += m.Left + b.Width + m.Right;
          break;
        case alRight:
          b.Left = right - m.Right - b.Width;
          right -= m.Left + b.Width + m.Right;
          break;
        default:
          break;
      }
      item.bounds = b;
    }
  }
}

}  // namespace ondrix::win
