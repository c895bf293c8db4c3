// The alignment rule of our controls, as a pure function: children aligned
// to top, bottom, left, right and client take their place in that order,
// each group in the order the children joined their container, each child
// consuming its part of the remaining rectangle.
#pragma once

#include <span>

namespace ondrix::win {

enum Align : int { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct Margins {
  int Left = 3;
  int Top = 3;
  int Right = 3;
  int Bottom = 3;
};

struct Bounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const Bounds&) const = default;
};

// Size limits; 0 means no limit.
struct SizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
  int MaxWidth = 0;
  int MaxHeight = 0;
};

struct AlignItem {
  Align align = alNone;
  bool visible = true;
  bool with_margins = false;
  Margins margins;
  SizeConstraints constraints;
  Bounds bounds;  // in: current bounds; out: aligned bounds
};

// Width and height limited by `c` and never negative.
Bounds Constrain(Bounds b, const SizeConstraints& c);

// Places every visible aligned item inside `area` (the container's client
// rectangle less its padding). Items with alNone and hidden items keep their
// bounds and take no space.
void ArrangeAligned(Bounds area, std::span<AlignItem> items);

}  // namespace ondrix::win
