// The alignment rule as a pure function; portable, so it also runs natively
// under the sanitizers.
#include "win/align.h"

#include <gtest/gtest.h>

#include <ostream>

namespace ondrix::win {

// Found by GoogleTest through argument-dependent lookup, so a failed
// comparison prints the rectangle.
void PrintTo(const Bounds& b, std::ostream* os) {
  *os << "{" << b.Left << "," << b.Top << "," << b.Width << "," << b.Height << "}";
}

namespace {

Bounds B(int l, int t, int w, int h) { return {l, t, w, h}; }

TEST(AlignRule, KindsTakeTheirPlaceInOrderThenJoiningOrderWithMargins) {
  enum { kBottom, kClient, kRight1, kTop1, kHidden, kLeft, kTop2, kRight2, kLoose };
  AlignItem items[] = {
      {.align = alBottom, .bounds = B(0, 0, 10, 25)},
      {.align = alClient, .with_margins = true, .margins = {1, 1, 1, 1}, .bounds = B(0, 0, 10, 10)},
      {.align = alRight, .bounds = B(0, 0, 50, 10)},
      {.align = alTop, .bounds = B(0, 0, 10, 20)},
      {.align = alTop, .visible = false, .bounds = B(0, 0, 10, 40)},
      {.align = alLeft, .with_margins = true, .margins = {4, 1, 6, 1},
       .constraints = {.MaxWidth = 20}, .bounds = B(0, 0, 30, 10)},
      {.align = alTop, .with_margins = true, .margins = {5, 2, 5, 3}, .bounds = B(0, 0, 10, 10)},
      {.align = alRight, .bounds = B(0, 0, 20, 10)},
      {.align = alNone, .bounds = B(7, 7, 8, 8)},
  };
  ArrangeAligned(B(0, 0, 400, 300), items);
  EXPECT_EQ(items[kTop1].bounds, B(0, 0, 400, 20));
  EXPECT_EQ(items[kTop2].bounds, B(5, 22, 390, 10));
  EXPECT_EQ(items[kBottom].bounds, B(0, 275, 400, 25));
  EXPECT_EQ(items[kLeft].bounds, B(4, 36, 20, 238));  // held to its maximum width
  EXPECT_EQ(items[kRight1].bounds, B(350, 35, 50, 240));
  EXPECT_EQ(items[kRight2].bounds, B(330, 35, 20, 240));
  EXPECT_EQ(items[kClient].bounds, B(31, 36, 298, 238));
  // Hidden and unaligned items keep their bounds and take no space.
  EXPECT_EQ(items[kHidden].bounds, B(0, 0, 10, 40));
  EXPECT_EQ(items[kLoose].bounds, B(7, 7, 8, 8));
}

TEST(AlignRule, ArrangeAlignedOverlapsAndClampsWhenSpaceRunsOut) {
  AlignItem items[] = {
      {.align = alLeft, .bounds = B(0, 0, 80, 0)},
      {.align = alRight, .bounds = B(0, 0, 80, 0)},
      {.align = alClient},
  };
  ArrangeAligned(B(0, 0, 100, 20), items);
  EXPECT_EQ(items[0].bounds, B(0, 0, 80, 20));
  // Right-aligned items keep to the right edge even when they overlap.
  EXPECT_EQ(items[1].bounds, B(20, 0, 80, 20));
  EXPECT_EQ(items[2].bounds.Width, 0);
}

}  // namespace
}  // namespace ondrix::win
