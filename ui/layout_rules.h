// Geometry rules of the main window that need no window: keeping it on the
// work area, snapping to the work-area edges, the type-row widths. Portable.
#pragma once

namespace ondrix::ui {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// Where a window of `window` must go so that it lies on `work_area`: an edge
// beyond the area's left or top is moved onto it, then an edge beyond the
// right or bottom is moved back so the window ends there (a window larger
// than the area thus ends flush with its right/bottom edge). Returns the new
// top-left corner.
Point PullBackOntoWorkArea(const Rect& window, const Rect& work_area);

// The window snaps to the work area while it is moved: each edge that comes
// closer than `distance` pixels to the matching edge of the area is put on
// it. Left/top win over right/bottom when both are near (a window nearly as
// large as the area). Returns the new top-left corner; the size is kept.
inline constexpr int kSnapDistance = 30;
Point SnapToWorkArea(const Rect& window, const Rect& work_area, int distance = kSnapDistance);

// Width of the type list in the normal layout, from the width of its cell
// `Panel11`: Round((cell width - 36) x scale), ties to even.
int NormalComboWidth(int panel11_width, double dpi_scale);

// Width of the type list in the mini bar: Round(100 x scale).
int MiniComboWidth(double dpi_scale);

}  // namespace ondrix::ui
