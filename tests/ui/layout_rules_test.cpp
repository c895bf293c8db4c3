// The window's geometry rules that need no window; portable, so they also
// run natively under the sanitizers.
#include "ui/layout_rules.h"

#include <gtest/gtest.h>

#include "settings/settings_values.h"

namespace ondrix::ui {
namespace {

TEST(LayoutRules, NormalWidthAndTitlePanelFollowTheDpi) {
  struct {
    int ppi, min_width, panel1_max;
  } const rows[] = {{96, 415, 36}, {120, 529, 36}, {144, 632, 72}};
  for (const auto& r : rows) {
    EXPECT_EQ(NormalMinWidthFor(r.ppi), r.min_width) << r.ppi;
    EXPECT_EQ(Panel1MaxHeightFor(r.ppi), r.panel1_max) << r.ppi;
  }
  EXPECT_EQ(MiniComboWidth(1.5), 150);
  EXPECT_EQ(MiniComboWidth(1.25), 125);
  EXPECT_EQ(NormalComboWidth(136, 1.0), 100);
}

TEST(LayoutRules, PullBackAndSnapping) {
  const Rect area{0, 0, 1000, 700};
  struct {
    Rect window;
    Point pulled;
  } const pulls[] = {
      {{-50, -20, 350, 180}, {0, 0}},      // off the top-left
      {{900, 650, 1300, 850}, {600, 500}},  // off the bottom-right
      {{100, 100, 500, 300}, {100, 100}},  // inside: stays
  };
  for (const auto& p : pulls) EXPECT_EQ(PullBackOntoWorkArea(p.window, area), p.pulled);
  // A work area that does not start at 0 (taskbar on the left or top).
  EXPECT_EQ(PullBackOntoWorkArea({10, 10, 110, 60}, {40, 30, 1000, 700}), (Point{40, 30}));

  struct {
    Rect window;
    Point snapped;
  } const snaps[] = {
      {{29, 100, 429, 300}, {0, 100}},     // 29 px from the left edge snaps
      {{30, 100, 430, 300}, {30, 100}},    // 30 px does not
      {{580, 675, 980, 695}, {600, 680}},  // near right and bottom
      {{-20, -10, 380, 190}, {0, 0}},      // a little beyond snaps back too
  };
  for (const auto& s : snaps) EXPECT_EQ(SnapToWorkArea(s.window, area), s.snapped);
}

}  // namespace
}  // namespace ondrix::ui
