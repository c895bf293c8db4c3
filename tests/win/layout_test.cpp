#include <gtest/gtest.h>

#include "tests/win/test_form.h"
#include "win/flat_button.h"
#include "win/panel.h"

namespace ondrix::win {

// Found by GoogleTest through argument-dependent lookup, so a failed
// comparison prints the rectangle.
void PrintTo(const Bounds& b, std::ostream* os) {
  *os << "{" << b.Left << "," << b.Top << "," << b.Width << "," << b.Height << "}";
}

namespace {

using testing::TestForm;

Bounds B(int l, int t, int w, int h) { return {l, t, w, h}; }

TEST(LayoutTest, AlignsTopBottomLeftRightClientInThatOrderWithMargins) {
  TestForm form(400, 300);
  ASSERT_NE(form.Hwnd(), nullptr);
  Control& root = form.Surface();
  Panel bottom, top1, top2, hidden, left, right1, right2, client, loose;
  // Created out of order: the kind of alignment decides first, the order of
  // joining only within one kind.
  bottom.Create(root, B(0, 0, 10, 25));
  client.Create(root, B(0, 0, 10, 10));
  right1.Create(root, B(0, 0, 50, 10));
  top1.Create(root, B(0, 0, 10, 20));
  hidden.Create(root, B(0, 0, 10, 40), false);
  left.Create(root, B(0, 0, 30, 10));
  top2.Create(root, B(0, 0, 10, 10));
  right2.Create(root, B(0, 0, 20, 10));
  loose.Create(root, B(7, 7, 8, 8));

  top2.SetMargins({5, 2, 5, 3});
  top2.SetAlignWithMargins(true);
  left.SetMargins({4, 1, 6, 1});
  left.SetAlignWithMargins(true);
  client.SetMargins({1, 1, 1, 1});
  client.SetAlignWithMargins(true);
  for (Panel* p : {&bottom, &client, &right1, &top1, &hidden, &left, &top2, &right2}) {
    p->SetAlign(p == &bottom ? alBottom : p == &client ? alClient : p == &left ? alLeft
                : (p == &right1 || p == &right2) ? alRight : alTop);
  }

  EXPECT_EQ(top1.GetBounds(), B(0, 0, 400, 20));
  EXPECT_EQ(top2.GetBounds(), B(5, 22, 390, 10));
  EXPECT_EQ(bottom.GetBounds(), B(0, 275, 400, 25));
  EXPECT_EQ(left.GetBounds(), B(4, 36, 30, 238));
  EXPECT_EQ(right1.GetBounds(), B(350, 35, 50, 240));
  EXPECT_EQ(right2.GetBounds(), B(330, 35, 20, 240));
  EXPECT_EQ(client.GetBounds(), B(41, 36, 288, 238));
  EXPECT_EQ(loose.GetBounds(), B(7, 7, 8, 8));

  // Showing the hidden top panel takes its place by joining order (after
  // top1, before top2) and pushes the rest down; resizing the window
  // realigns everything.
  hidden.Show();
  EXPECT_EQ(hidden.GetBounds(), B(0, 20, 400, 40));
  EXPECT_EQ(top2.GetBounds(), B(5, 62, 390, 10));
  EXPECT_EQ(left.GetBounds(), B(4, 76, 30, 198));
  form.SetClientSize(500, 300);
  EXPECT_EQ(right1.GetBounds(), B(450, 75, 50, 200));
  EXPECT_EQ(client.GetBounds(), B(41, 76, 388, 198));
  top1.Hide();
  EXPECT_EQ(hidden.GetBounds(), B(0, 0, 500, 40));
  EXPECT_EQ(top2.GetBounds(), B(5, 42, 490, 10));
}

TEST(LayoutTest, ReparentedControlJoinsTheNewContainersLayout) {
  TestForm form(400, 100);
  Control& root = form.Surface();
  Panel source, target;
  source.Create(root, B(0, 0, 10, 40));
  source.SetAlign(alTop);
  target.Create(root);
  target.SetAlign(alClient);

  FlatButton a, b, moved;
  Panel fill;
  a.Create(target, Glyph::Info, {}, B(0, 0, 30, 10));
  a.SetAlign(alRight);
  b.Create(target, Glyph::Gear, {}, B(0, 0, 30, 10));
  b.SetAlign(alRight);
  moved.Create(source, Glyph::ArrowUp, {}, B(0, 0, 25, 10));
  moved.SetAlign(alLeft);
  fill.Create(source);
  fill.SetAlign(alClient);
  EXPECT_EQ(fill.GetBounds(), B(25, 0, 375, 40));

  // Into the target, right-aligned with top and bottom margins: it lines up
  // to the left of the buttons already there, and the source closes the gap.
  moved.SetParent(target);
  moved.SetMargins({0, 3, 0, 3});
  moved.SetAlignWithMargins(true);
  moved.SetAlign(alRight);
  EXPECT_EQ(::GetParent(moved.Hwnd()), target.Hwnd());
  ASSERT_EQ(target.Children().size(), 3u);
  EXPECT_EQ(target.Children().back(), &moved);
  EXPECT_EQ(a.GetBounds(), B(370, 0, 30, 60));
  EXPECT_EQ(b.GetBounds(), B(340, 0, 30, 60));
  EXPECT_EQ(moved.GetBounds(), B(315, 3, 25, 54));
  EXPECT_EQ(fill.GetBounds(), B(0, 0, 400, 40));
  EXPECT_TRUE(source.Children().size() == 1 && source.Children().front() == &fill);
}

TEST(LayoutTest, ConstraintsLimitAlignedSizeAndBatchesAlignOnce) {
  TestForm form(300, 200);
  Control& root = form.Surface();
  Panel bar, rest;
  bar.Create(root, B(0, 0, 10, 80));
  bar.SetConstraints({.MaxHeight = 36});
  bar.SetAlign(alTop);
  rest.Create(root);
  rest.SetAlign(alClient);
  EXPECT_EQ(bar.GetBounds(), B(0, 0, 300, 36));
  EXPECT_EQ(rest.GetBounds(), B(0, 36, 300, 164));

  {
    AlignBatch batch(root);
    bar.Hide();
    // Nothing moves until the batch ends.
    EXPECT_EQ(rest.GetBounds(), B(0, 36, 300, 164));
  }
  EXPECT_EQ(rest.GetBounds(), B(0, 0, 300, 200));
}

}  // namespace
}  // namespace ondrix::win
