// The normal and mini layouts, the switch between them, and what the window
// does while it is moved or sized.
#include <algorithm>

#include "settings/settings_values.h"
#include "ui/form1.h"
#include "ui/layout_rules.h"
#include "win/dpi.h"

namespace ondrix::ui {
namespace {

// Sizes of the design at 96 DPI.
constexpr int kTopBarHeight = 36;
constexpr int kCaptionColumnWidth = 95;
constexpr int kFileRowHeight = 44;
constexpr int kRowHeight = 32;
constexpr int kSpacerHeight = 5;
constexpr int kStatusBarHeight = 19;
constexpr int kButtonWidth = 28;
constexpr int kCalculateWidth = 75;
constexpr int kEditHeight = 21;
constexpr int kLineHeight = 2;

}  // namespace

int TForm1::Px(int px_at_96) const { return win::Scale(px_at_96, static_cast<UINT>(design_dpi_)); }

// The fixed sizes of the widgets at the DPI the window is scaled to: the
// screen's, or 96 when form scaling is switched off.
void TForm1::ApplyDesignSizes() {
  design_dpi_ = DisableformscalingDPI1.Checked() ? 96 : static_cast<int>(Dpi());
  if (design_dpi_ != static_cast<int>(Dpi())) {
    font_ = win::CreateUiFont(static_cast<UINT>(design_dpi_));
    Surface().SetFont(font_.Get());
  }
  win::AlignBatch batch(Surface());

  Panel1.SetHeight(Px(kTopBarHeight));
  Label8.SetLeft(Px(8));
  Bevel1.SetHeight(kLineHeight);
  for (win::FlatButton* b : {&btn_info, &btn_config, &btn_up, &btn_down}) b->SetWidth(Px(30));

  Panel4.SetWidth(Px(kCaptionColumnWidth));
  // Row captions beside their rows of the work area.
  const int result_top = Px(kFileRowHeight);
  const int compare_top = result_top + Px(kRowHeight) + kLineHeight;
  const int type_top = compare_top + Px(kRowHeight);
  Label1.SetBounds(Px(8), Px(6), Px(85), Px(14));
  Label3.SetBounds(Px(8), Px(24), Px(85), Px(14));
  Label5.SetBounds(Px(8), result_top + Px(9), Px(85), Px(14));
  Label7.SetBounds(Px(8), compare_top + Px(9), Px(85), Px(14));
  Label2.SetBounds(Px(8), type_top + Px(9), Px(85), Px(14));
  Bevel2.SetHeight(kLineHeight);

  Panel5.SetHeight(Px(kFileRowHeight));
  label9.SetBounds(Px(3), Px(6), Px(600), Px(14));
  Label4.SetBounds(Px(3), Px(24), Px(600), Px(14));
  for (win::Panel* row : {&Panel8, &Panel9, &Panel10}) row->SetHeight(Px(kRowHeight));
  bv2.SetHeight(kLineHeight);
  Panel12.SetHeight(Px(kSpacerHeight));
  for (win::FlatButton* b : {&btn_openfile, &btn_kopiujsume, &btn_savefile, &SpeedButton9, &speed_warn, &speed_blad,
                             &speed_ok, &SpeedButton1, &SpeedButton2}) {
    b->SetWidth(Px(kButtonWidth));
    b->SetAlignWithMargins(true);
    b->SetMargins(win::Margins{Px(2), Px(3), Px(2), Px(3)});
  }
  SpeedButton3.SetWidth(Px(kCalculateWidth));
  SpeedButton3.SetAlignWithMargins(true);
  SpeedButton3.SetMargins(win::Margins{Px(2), Px(3), Px(2), Px(3)});
  Edit1.SetHeight(Px(kEditHeight));
  Edit2.SetHeight(Px(kEditHeight));
  for (win::Edit* e : {&Edit1, &Edit2}) {
    e->SetAlignWithMargins(true);
    e->SetMargins(win::Margins{Px(2), 0, Px(4), 0});
  }
  ComboBox1.SetAlignWithMargins(true);

  StatusBar1.SetHeight(Px(kStatusBarHeight));
  StatusBar1.SetPanelWidths({Px(200), Px(150)});
}

void TForm1::ReflectDpi() {
  const int ppi = static_cast<int>(Dpi());
  DpiScale = DpiScaleFor(ppi);
  NormalMinWidth = NormalMinWidthFor(ppi);
  ApplyDesignSizes();
}

bool TForm1::HasCaptionBar() const {
  return (::GetWindowLongW(Hwnd(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

// Shown: a sizeable frame with caption bar; hidden: no frame at all.
void TForm1::SetCaptionBar(bool shown) {
  LONG style = ::GetWindowLongW(Hwnd(), GWL_STYLE);
  constexpr LONG kFrame = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME;
  style &= ~(kFrame | WS_POPUP);
  style |= shown ? (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME) : WS_POPUP;
  ::SetWindowLongW(Hwnd(), GWL_STYLE, style);
  ::SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TForm1::FormRect() const {
  RECT rc{};
  ::GetWindowRect(Hwnd(), &rc);
  return rc;
}

RECT TForm1::WorkArea() const {
  RECT rc{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
  return rc;
}

// The outer bounds, kept within the window's size limits as a user's sizing
// would be.
void TForm1::SetFormBounds(int left, int top, int width, int height) {
  const win::Bounds b = win::Constrain({left, top, width, height}, Constraints);
  ::SetWindowPos(Hwnd(), nullptr, b.Left, b.Top, b.Width, b.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::SetFormClientHeight(int height) {
  const RECT rc = FormRect();
  const SIZE outer = win::OuterSizeForClient(Hwnd(), ClientWidth(), height);
  SetFormBounds(rc.left, rc.top, rc.right - rc.left, outer.cy);
}

// Centres the window on the work area in each direction whose coordinate
// the settings left to its default, with the size it has now.
void TForm1::CentreWhereDefaulted() {
  if (!centre_left_pending_ && !centre_top_pending_) return;
  const RECT rc = FormRect();
  const RECT wa = WorkArea();
  const int left = centre_left_pending_ ? wa.left + CentredOrigin(wa.right - wa.left, rc.right - rc.left) : rc.left;
  const int top = centre_top_pending_ ? wa.top + CentredOrigin(wa.bottom - wa.top, rc.bottom - rc.top) : rc.top;
  ::SetWindowPos(Hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::ApplyCurrentLayout() {
  if (MiniMode == 1) {
    ApplyMiniMode();
  } else {
    ApplyNormalMode();
  }
}

void TForm1::ApplyNormalMode() {
  // No height limit while the rows are rebuilt.
  Constraints.MaxHeight = 0;
  {
    win::AlignBatch batch(Surface());
    // The top bar's buttons, right-aligned; the rightmost joins first.
    for (win::FlatButton* b : {&btn_info, &btn_config, &btn_up, &btn_down}) {
      b->Hide();
      b->SetParent(Panel1);
      b->SetAlign(win::alRight);
      b->SetAlignWithMargins(true);
      b->SetMargins(win::Margins{Px(1), Px(3), Px(1), Px(3)});
    }
    btn_info.Show();
    btn_config.Show();
    btn_up.Show();
    // Any width from the normal minimum up.
    Constraints.MaxWidth = 9999;
    Constraints.MinWidth = NormalMinWidth;
    // The normal panels replace the mini bar.
    Panel_mini.Hide();
    Panel1.Show();
    Panel4.Show();
    Panel2.Show();
    StatusBar1.Show();
    // The computed checksum's row: open button, copy and save around the field.
    ComboBox1.SetParent(Panel2);
    Edit1.SetParent(Panel2);
    for (win::Panel* p : {&Panel6, &Panel7, &Panel10, &Panel11, &Panel12}) p->SetBevel(win::PanelBevel::None);
    btn_openfile.SetParent(Panel5);
    btn_openfile.SetAlign(win::alRight);
    btn_kopiujsume.SetParent(Panel8);
    btn_kopiujsume.SetAlign(win::alLeft);
    btn_savefile.SetParent(Panel8);
    btn_savefile.SetAlign(win::alRight);
    Edit1.SetParent(Panel6);
    Edit1.SetAlign(win::alTop);
    Edit1.SetMarginTop(btn_kopiujsume.Top() + 1);
    Panel6.SetAlign(win::alClient);
    // The compare row: no verdict shown until the next comparison.
    speed_warn.Hide();
    speed_blad.Hide();
    speed_ok.Hide();
    Edit2.SetAlign(win::alTop);
    Edit2.SetAlignWithMargins(true);
    Edit2.SetMarginTop(SpeedButton9.Top() + 1);
    // The type row: the list, then the details and Calculate buttons.
    Label2.Show();
    btn_openfile.Show();
    SpeedButton2.Show();
    SpeedButton3.Show();
    ComboBox1.SetParent(Panel11);
    ComboBox1.SetAlign(win::alLeft);
    ComboBox1.SetAlignWithMargins(true);
    ComboBox1.SetMargins(win::Margins{SpeedButton9.Left() + SpeedButton9.Width() + 5, Px(5), 0, 0});
    SpeedButton2.SetParent(Panel10);
    SpeedButton2.SetAlign(win::alRight);
    SpeedButton3.SetParent(Panel10);
    SpeedButton3.SetAlign(win::alRight);
    // The list starts where the text fields above it start; an offset of
    // the cell by the compare field's left edge would push it past them and
    // squeeze it to a few pixels at the normal width.
    Panel11.SetAlign(win::alClient);
    Panel11.SetAlignWithMargins(false);
  }
  // The height is fixed; only the width can change.
  SetFormClientHeight(Panel10.Top() + Panel10.Height() + StatusBar1.Height() + Panel1.Height() +
                      SpeedButton3.Height() + 10);
  const int c = ClientHeight();
  const int fixed = HasCaptionBar() ? c : c - CaptionBarHeight;
  Constraints.MinHeight = fixed;
  Constraints.MaxHeight = fixed;
  const RECT rc = FormRect();
  SetFormBounds(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
  // The line above the type row's caption and the title's vertical centre.
  Bevel2.SetBounds(Label5.Left(), Panel10.Top() - Px(kRowHeight) - kLineHeight, Panel4.Width() - Label5.Left(),
                   kLineHeight);
  Label8.SetTop((Panel1.ClientHeight() - Label8.Height()) / 2);
  // The type list takes the width the rebuilt row leaves it; a layout built
  // without a size change (at start) gets no resize to do it.
  FormResize();
}

void TForm1::ApplyMiniMode() {
  // The list's width in the mini bar.
  ComboBox1.SetClientWidth(MiniComboWidth(DpiScale));
  // One row high: the list plus a small frame (and the caption bar if shown).
  const int h = ComboBox1.ClientHeight() + 12 + (HasCaptionBar() ? CaptionBarHeight : 0);
  Constraints.MaxHeight = h;
  Constraints.MinHeight = h;
  {
    win::AlignBatch batch(Surface());
    // Everything of the normal layout goes.
    Label2.Hide();
    SpeedButton3.Hide();
    SpeedButton2.Hide();
    ComboBox1.SetAlign(win::alNone);
    Edit1.SetAlign(win::alNone);
    ComboBox1.SetMarginLeft(6);
    Panel2.Hide();
    Panel1.Hide();
    Panel4.Hide();
    for (win::FlatButton* b : {&btn_up, &btn_down, &btn_config, &btn_info}) {
      b->SetMarginTop(4);
      b->SetMarginBottom(4);
    }
    StatusBar1.Hide();
    // The mini bar's cells: list, copy button, checksum, buttons on the right.
    Panel_mini.SetAlign(win::alClient);
    panel_mini_left1.SetAlign(win::alLeft);
    panel_mini_left1.SetWidth(1);
    panel_mini_left2.SetAlign(win::alLeft);
    panel_mini_left3.SetAlign(win::alClient);
    panel_mini_right.SetAlign(win::alRight);
    // The controls move into their cells.
    ComboBox1.SetParent(panel_mini_left1);
    ComboBox1.SetAlign(win::alRight);
    ComboBox1.SetLeft(2);
    ComboBox1.SetTop(2);
    btn_kopiujsume.SetParent(panel_mini_left2);
    btn_kopiujsume.SetAlign(win::alLeft);
    Edit1.SetParent(panel_mini_left3);
    Edit1.SetAlign(win::alTop);
    // Right to left: show more, open, save (show less is hidden here).
    btn_up.SetParent(panel_mini_right);
    btn_down.SetParent(panel_mini_right);
    btn_openfile.SetParent(panel_mini_right);
    btn_savefile.SetParent(panel_mini_right);
    for (win::FlatButton* b : {&btn_savefile, &btn_openfile, &btn_down}) b->SetAlign(win::alRight);
    btn_up.Hide();
    btn_down.Show();
    // The cells grow to their content.
    panel_mini_left1.SetWidth(ComboBox1.GetMargins().Left + ComboBox1.Width() + 2);
    panel_mini_left2.SetWidth(btn_kopiujsume.Width() + btn_kopiujsume.GetMargins().Left +
                              btn_kopiujsume.GetMargins().Right);
    int right = 0;
    for (win::FlatButton* b : {&btn_savefile, &btn_openfile, &btn_down}) {
      right += b->Width() + b->GetMargins().Left + b->GetMargins().Right;
    }
    panel_mini_right.SetWidth(right);
    Panel_mini.Show();
  }
  SetFormClientHeight(ComboBox1.ClientHeight() + 12);
  const int top = (Panel_mini.Height() - ComboBox1.Height()) / 2 + 1;
  Edit1.SetMarginTop(top);
  ComboBox1.SetTop(top);
  // As narrow as the normal layout at least; the caption bar adds its height.
  Constraints.MinWidth = NormalMinWidth;
  SetFormClientHeight(ComboBox1.ClientHeight() + 12 + CaptionBarHeight);
  ComboBox1.SetWidth(MiniComboWidth(DpiScale));
}

void TForm1::btn_upClick() {
  MiniMode = 1;
  ApplyMiniMode();
  ApplyOpacityRule();
  FinishModeSwitch();
}

void TForm1::btn_downClick() {
  MiniMode = 0;
  ApplyNormalMode();
  ApplyOpacityRule();
  FormResize();
  FinishModeSwitch();
}

// What every switch between the layouts does after the new layout stands.
// The mode is written last, so a failed write leaves the switch complete.
void TForm1::FinishModeSwitch() {
  PullBackOntoWorkArea();
  SetBalloonTip(Edit1, 0, L"", Edit1.Text());
  SetBalloonTip(Edit2, 0, L"", Edit2.Text());
  ApplyStayOnTop();
  ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  if (Autosavewindowsizenormalorminibar1.Checked()) SaveSettingGroup(SettingsGroup::SaveStyle);
}

void TForm1::PullBackOntoWorkArea() {
  const RECT rc = FormRect();
  const RECT wa = WorkArea();
  const Point p = ui::PullBackOntoWorkArea({rc.left, rc.top, rc.right, rc.bottom},
                                           {wa.left, wa.top, wa.right, wa.bottom});
  if (p.x != rc.left || p.y != rc.top) {
    ::SetWindowPos(Hwnd(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TForm1::FormResize() {
  if (!btn_up.Visible()) return;
  Panel11.SetWidth(Panel10.Width() - SpeedButton3.Width() - SpeedButton2.Width() - 32);
  // Filling the row realigns the cell; its width is read after that.
  Panel11.SetAlign(win::alClient);
  win::Realign(Panel10);
  // The cell is measured in screen pixels already, so above 96 DPI the
  // scaled width would run past the cell's edge and hide the list's button:
  // the list never grows beyond what the cell leaves after its margin.
  const int room = Panel11.Width() - ComboBox1.GetMargins().Left;
  ComboBox1.SetWidth(std::max(0, std::min(NormalComboWidth(Panel11.Width(), DpiScale), room)));
}

void TForm1::OnEnterSizeMove() { ApplyStayOnTop(); }

void TForm1::OnExitSizeMove() { WriteGeometryAfterMove(); }

void TForm1::WriteGeometryAfterMove() {
  ApplyStayOnTop();
  if (Savewindowsposition1.Checked()) SaveSettingGroup(SettingsGroup::SavePosition);
  if (Autosavewindowwidth1.Checked()) SaveSettingGroup(SettingsGroup::SaveWidth);
}

void TForm1::OnMoving(RECT& rect) {
  if (!Snaptoedge1.Checked()) return;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) return;
  const RECT& wa = info.rcWork;
  const Point p = SnapToWorkArea({rect.left, rect.top, rect.right, rect.bottom},
                                 {wa.left, wa.top, wa.right, wa.bottom});
  ::OffsetRect(&rect, p.x - rect.left, p.y - rect.top);
}

bool TForm1::OnNcLButtonDblClk(WPARAM hit) {
  if (hit != HTCAPTION) return false;
  if (MiniMode == 1) {
    btn_downClick();
  } else {
    btn_upClick();
  }
  return true;
}

void TForm1::CreateBalloonTipWindow() { balloon_.CreateBalloonTipWindow(Hwnd()); }

void TForm1::SetBalloonTip(win::Control& control, int icon, std::wstring_view title, std::wstring_view text) {
  balloon_.SetBalloonTip(control, icon, title, text);
}

}  // namespace ondrix::ui
