// The two layouts, the switch between them and the geometry rules.
#include "settings/settings_values.h"
#include "tests/ui/ui_fixture.h"

namespace ondrix::ui::testing {
namespace {

TEST_F(UiTest, HeightIsFixedInBothLayoutsAndOnlyTheNormalWidthRanges) {
  TForm1& f = Start();
  EXPECT_EQ(f.Constraints.MinHeight, f.Constraints.MaxHeight);
  EXPECT_GT(f.Constraints.MinHeight, 0);
  EXPECT_EQ(f.Constraints.MinWidth, f.NormalMinWidth);
  EXPECT_EQ(f.Constraints.MaxWidth, 9999);
  RECT rc = f.FormRect();
  EXPECT_EQ(rc.bottom - rc.top, f.Constraints.MaxHeight);
  const int normal_height = rc.bottom - rc.top;

  f.btn_upClick();
  const int mini = f.ComboBox1.ClientHeight() + 12 + f.CaptionBarHeight;
  EXPECT_EQ(f.Constraints.MinHeight, mini);
  EXPECT_EQ(f.Constraints.MaxHeight, mini);
  rc = f.FormRect();
  EXPECT_EQ(rc.bottom - rc.top, mini);
  EXPECT_LT(mini, normal_height);
  EXPECT_EQ(f.ComboBox1.Width(), 100);
  EXPECT_EQ(f.ComboBox1.Parent(), &f.panel_mini_left1);
  EXPECT_EQ(f.Edit1.Parent(), &f.panel_mini_left3);
  EXPECT_FALSE(f.SpeedButton3.Visible());

  f.btn_downClick();
  rc = f.FormRect();
  EXPECT_EQ(rc.bottom - rc.top, normal_height);
  EXPECT_EQ(f.ComboBox1.Parent(), &f.Panel11);
  EXPECT_EQ(f.Edit1.Parent(), &f.Panel6);
  // The user cannot make the window narrower than the normal width.
  f.SetFormBounds(rc.left, rc.top, 200, 500);
  rc = f.FormRect();
  EXPECT_EQ(rc.right - rc.left, f.NormalMinWidth);
  EXPECT_EQ(rc.bottom - rc.top, normal_height);
}

TEST_F(UiTest, TypeListFillsItsCellWithoutRunningPastIt) {
  TForm1& f = Start();
  f.FormShow();
  auto fits = [&f] {
    EXPECT_LE(f.ComboBox1.Left() + f.ComboBox1.Width(), f.Panel11.ClientWidth());
    EXPECT_GE(f.ComboBox1.Left() + f.ComboBox1.Width(), f.Panel11.ClientWidth() - 2);
  };
  fits();
  const int narrow = f.ComboBox1.Width();
  const RECT rc = f.FormRect();
  f.SetFormBounds(rc.left, rc.top, 700, rc.bottom - rc.top);
  fits();
  EXPECT_EQ(f.ComboBox1.Width(), narrow + 700 - (rc.right - rc.left));

  // A stored width is applied before the layout is built.
  form.reset();
  WriteIni("Width=650\r\n");
  TForm1& g = Start();
  g.FormShow();
  EXPECT_LE(g.ComboBox1.Left() + g.ComboBox1.Width(), g.Panel11.ClientWidth());
  EXPECT_GE(g.ComboBox1.Left() + g.ComboBox1.Width(), g.Panel11.ClientWidth() - 2);
}

TEST_F(UiTest, SwitchingToNormalHidesTheIndicators) {
  TForm1& f = Start();
  f.speed_ok.Show();
  f.btn_upClick();
  f.btn_downClick();
  EXPECT_FALSE(f.speed_ok.Visible());
}

TEST_F(UiTest, ModeSwitchPullsTheWindowBackOntoTheWorkArea) {
  TForm1& f = Start();
  const RECT wa = f.WorkArea();
  ::SetWindowPos(f.Hwnd(), nullptr, wa.left - 60, wa.top - 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT rc = f.FormRect();
  EXPECT_EQ(rc.left, wa.left - 60);  // a move alone leaves it there
  f.btn_upClick();
  rc = f.FormRect();
  EXPECT_EQ(rc.left, wa.left);
  EXPECT_EQ(rc.top, wa.top);

  ::SetWindowPos(f.Hwnd(), nullptr, wa.right - 100, wa.bottom - 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  f.btn_downClick();
  rc = f.FormRect();
  EXPECT_EQ(rc.right, wa.right);
  EXPECT_EQ(rc.bottom, wa.bottom);
}

TEST_F(UiTest, OpacityFollowsTheModeWhenOnlyForTheMiniBar) {
  TForm1& f = Start();
  ASSERT_TRUE(f.ClickMenuItem("N501"));
  EXPECT_FALSE(ExStyle() & WS_EX_LAYERED);  // "Apply to miniform only" is on by default
  f.btn_upClick();
  EXPECT_TRUE(ExStyle() & WS_EX_LAYERED);
  BYTE alpha = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(f.Hwnd(), nullptr, &alpha, nullptr));
  EXPECT_EQ(alpha, 125);
  f.btn_downClick();
  EXPECT_FALSE(ExStyle() & WS_EX_LAYERED);
  ASSERT_TRUE(f.ClickMenuItem("Applytominiformonly1"));
  EXPECT_TRUE(ExStyle() & WS_EX_LAYERED);
  ASSERT_TRUE(f.ClickMenuItem("Disable1"));
  EXPECT_FALSE(ExStyle() & WS_EX_LAYERED);
  f.btn_upClick();
  EXPECT_FALSE(ExStyle() & WS_EX_LAYERED);
}

TEST_F(UiTest, StyleIsSavedOnSwitchWhenAsked) {
  TForm1& f = Start();
  f.btn_upClick();
  EXPECT_EQ(Stored(L"Miniform"), std::nullopt);
  ASSERT_TRUE(f.ClickMenuItem("Autosavewindowsizenormalorminibar1"));
  EXPECT_EQ(Stored(L"Miniform"), std::optional<std::wstring>(L"1"));
  f.btn_downClick();
  EXPECT_EQ(Stored(L"Miniform"), std::optional<std::wstring>(L"0"));
}

TEST_F(UiTest, EndOfMoveWritesPositionAndWidthWhenAsked) {
  TForm1& f = Start();
  ::SendMessageW(f.Hwnd(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(Stored(L"Left"), std::nullopt);
  ASSERT_TRUE(f.ClickMenuItem("Savewindowsposition1"));
  ASSERT_TRUE(f.ClickMenuItem("Autosavewindowwidth1"));
  ::SetWindowPos(f.Hwnd(), nullptr, 123, 77, 500, 300, SWP_NOZORDER);
  ::SendMessageW(f.Hwnd(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(Stored(L"Left"), std::optional<std::wstring>(L"123"));
  EXPECT_EQ(Stored(L"Top"), std::optional<std::wstring>(L"77"));
  EXPECT_EQ(Stored(L"Width"), std::optional<std::wstring>(L"500"));
}

TEST_F(UiTest, MovingSnapsToTheWorkAreaWhileTheOptionIsOn) {
  TForm1& f = Start();
  const RECT wa = f.WorkArea();
  RECT moving{wa.left + 12, wa.top + 200, wa.left + 12 + 415, wa.top + 400};
  ::SendMessageW(f.Hwnd(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&moving));
  EXPECT_EQ(moving.left, wa.left);
  EXPECT_EQ(moving.right - moving.left, 415);
  ASSERT_TRUE(f.ClickMenuItem("Snaptoedge1"));
  moving = RECT{wa.left + 12, wa.top + 200, wa.left + 12 + 415, wa.top + 400};
  ::SendMessageW(f.Hwnd(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&moving));
  EXPECT_EQ(moving.left, wa.left + 12);
}

TEST_F(UiTest, DoubleClickOnTheCaptionSwitchesModeAndNeverMaximises) {
  TForm1& f = Start();
  ::SendMessageW(f.Hwnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_EQ(f.MiniMode, 1);
  EXPECT_FALSE(::IsZoomed(f.Hwnd()));
  ::SendMessageW(f.Hwnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_EQ(f.MiniMode, 0);
  EXPECT_FALSE(::IsZoomed(f.Hwnd()));
}

TEST_F(UiTest, CaptionBarSwitchKeepsTheLayout) {
  TForm1& f = Start();
  f.btn_upClick();
  ASSERT_TRUE(f.ClickMenuItem("Showcaptionbar1"));
  EXPECT_FALSE(f.HasCaptionBar());
  EXPECT_EQ(f.MiniMode, 1);
  RECT rc = f.FormRect();
  EXPECT_EQ(rc.bottom - rc.top, f.ComboBox1.ClientHeight() + 12);
  ASSERT_TRUE(f.ClickMenuItem("Showcaptionbar1"));
  EXPECT_TRUE(f.HasCaptionBar());
  rc = f.FormRect();
  EXPECT_EQ(rc.bottom - rc.top, f.ComboBox1.ClientHeight() + 12 + f.CaptionBarHeight);
}

}  // namespace
}  // namespace ondrix::ui::testing
