#include "ui/layout_rules.h"

#include <cstdlib>

#include "settings/settings_values.h"

namespace ondrix::ui {

Point PullBackOntoWorkArea(const Rect& window, const Rect& work_area) {
  Point p{window.left, window.top};
  if (p.x < work_area.left) p.x = work_area.left;
  if (p.y < work_area.top) p.y = work_area.top;
  if (p.x + window.Width() > work_area.right) p.x = work_area.right - window.Width();
  if (p.y + window.Height() > work_area.bottom) p.y = work_area.bottom - window.Height();
  return p;
}

Point SnapToWorkArea(const Rect& window, const Rect& work_area, int distance) {
  Point p{window.left, window.top};
  if (std::abs(window.right - work_area.right) < distance) p.x = work_area.right - window.Width();
  if (std::abs(window.left - work_area.left) < distance) p.x = work_area.left;
  if (std::abs(window.bottom - work_area.bottom) < distance) p.y = work_area.bottom - window.Height();
  if (std::abs(window.top - work_area.top) < distance) p.y = work_area.top;
  return p;
}

int NormalComboWidth(int panel11_width, double dpi_scale) {
  return static_cast<int>(RoundTiesToEven((panel11_width - 36) * dpi_scale));
}

int MiniComboWidth(double dpi_scale) {
  return static_cast<int>(RoundTiesToEven(100.0 * dpi_scale));
}

}  // namespace ondrix::ui
