// A window built from our controls, for looking at them at several DPIs.
// Not part of the product.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <tuple>

#include "win/balloon_tip.h"
#include "win/bevel.h"
#include "win/combo_list.h"
#include "win/dpi.h"
#include "win/edit.h"
#include "win/flat_button.h"
#include "win/form.h"
#include "win/label.h"
#include "win/panel.h"
#include "win/popup_menu.h"
#include "win/resources/resource_ids.h"
#include "win/status_bar.h"

namespace {

using namespace ondrix::win;

class DemoForm : public Form {
 public:
  bool Create() {
    const WindowClassInfo cls{.name = L"OndrixWinDemo",
                              .icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ONDRIX))};
    if (!CreateForm(cls, L"win_demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 600, 240)) return false;
    const UINT dpi = Dpi();
    auto S = [dpi](int px) { return Scale(px, dpi); };
    Control& form = Surface();
    SetClientSize(S(600), S(240));

    top.Create(form, {0, 0, 0, S(36)});
    top.SetColor(::GetSysColor(COLOR_MENU));
    top.SetAlign(alTop);
    for (auto [button, glyph, hint] : {std::tuple{&info, Glyph::Info, L"Help (F1)"},
                                       std::tuple{&config, Glyph::Gear, L"Options (F10)"},
                                       std::tuple{&up, Glyph::ArrowUp, L"Show less (F2)"}}) {
      button->Create(top, glyph, {}, {0, 0, S(30), S(30)});
      button->SetHint(hint);
      button->SetMargins({S(1), S(3), S(1), S(3)});
      button->SetAlignWithMargins(true);
      button->SetAlign(alRight);
    }
    drop_hint.Create(top, L"Drop a file on the form to calculate selected checksum", {S(8), 0, 0, 0});
    drop_hint.SetAutoSize(true);
    drop_hint.SetTop((top.ClientHeight() - drop_hint.Height()) / 2);

    status.Create(form, {0, 0, 0, S(19)});
    status.SetAlign(alBottom);
    status.SetPanelWidths({S(200), S(150)});
    status.SetPanelText(0, L"Status: IDLE");
    status.SetPanelText(1, L"www.example.com");

    captions.Create(form, {0, 0, S(95), 0});
    captions.SetAlign(alLeft);
    int y = S(14);
    int i = 0;
    for (const wchar_t* text : {L"Filename:", L"File checksum:", L"Compare with:", L"Checksum type:"}) {
      caption_labels[i].Create(captions, text, {S(10), y, 0, 0});
      caption_labels[i].SetAutoSize(true);
      y += (i == 0 ? S(44) : S(32));
      ++i;
    }

    work.Create(form);
    work.SetAlign(alClient);

    file_row.Create(work, {0, 0, 0, S(44)});
    file_row.SetAlign(alTop);
    open.Create(file_row, Glyph::Open, {}, {0, 0, S(30), 0});
    open.SetAlignWithMargins(true);
    open.SetMargins({S(2), S(7), S(4), S(7)});
    open.SetAlign(alRight);
    open.SetHint(L"Select file and calculate checksum (Ctrl+O)");
    file_name.Create(file_row, L"(no file selected)", {S(4), S(8), 0, 0});
    file_name.SetAutoSize(true);

    result_row.Create(work, {0, 0, 0, S(32)});
    result_row.SetAlign(alTop);
    copy.Create(result_row, Glyph::Copy, {}, {0, S(2), S(30), S(28)});
    copy.SetAlign(alLeft);
    save.Create(result_row, Glyph::Save, {}, {0, S(2), S(30), S(28)});
    save.SetAlign(alRight);
    // As in the form designer: a field that stretches between left- and
    // right-aligned buttons sits top-aligned in a client-aligned panel.
    result_cell.Create(result_row);
    result_cell.SetAlign(alClient);
    result.Create(result_cell, {0, 0, 0, S(21)}, true);
    result.SetMarginTop(copy.Top() + 1);
    result.SetAlignWithMargins(true);
    result.SetAlign(alTop);
    result.SetText(L"9e107d9d372bb6826bd81d3542a419d6");
    result.SetCharCase(CharCase::Upper);
    result.SetBold(true);

    compare_row.Create(work, {0, 0, 0, S(32)});
    compare_row.SetAlign(alTop);
    paste.Create(compare_row, Glyph::Paste, {}, {0, S(2), S(30), S(28)});
    paste.SetAlign(alLeft);
    for (auto [button, glyph] : {std::pair{&match, Glyph::Ok}, std::pair{&mismatch, Glyph::Error},
                                 std::pair{&length, Glyph::Warning}}) {
      button->Create(compare_row, glyph, {}, {0, 0, S(26), S(26)});
      button->SetAlign(alRight);
    }
    compare_cell.Create(compare_row);
    compare_cell.SetAlign(alClient);
    compare.Create(compare_cell, {0, 0, 0, S(21)});
    compare.SetMarginTop(paste.Top() + 1);
    compare.SetAlignWithMargins(true);
    compare.SetAlign(alTop);
    compare.SetColor(RGB(0xFF, 0xFB, 0xE6));
    compare.SetFontColor(RGB(0x80, 0x20, 0x20));

    type_row.Create(work, {0, 0, 0, S(32)});
    type_row.SetAlign(alTop);
    details.Create(type_row, Glyph::Document, {}, {0, 0, S(30), 0});
    details.SetAlign(alRight);
    calculate.Create(type_row, Glyph::None, L"Calculate", {0, 0, S(80), 0});
    calculate.SetAlign(alRight);
    types.Create(type_row, {S(4), S(4), S(140), S(21)});
    for (const wchar_t* name : {L"MD4", L"MD5", L"SHA1", L"SHA-256", L"SHA-384", L"SHA-512", L"RIPEMD-128",
                                L"RIPEMD-160", L"HAVAL 256,5", L"TIGER 192", L"CRC32"}) {
      types.AddItem(name);
    }
    types.SetItemIndex(1);

    line.Create(work, BevelShape::TopLine, {0, 0, 0, 2});
    line.SetAlign(alTop);

    menu.SetItems({
        {.id = 1, .caption = L"Autosave window position", .checked = true},
        {.id = 2, .caption = L"Enable \"stay on top\"", .shortcut = L"Ctrl+T", .checked = true},
        MenuSeparator(),
        {.caption = L"Transparency level (visibility)",
         .submenu = {{.id = 10, .caption = L"Disable", .checked = true, .radio_group = 1},
                     MenuSeparator(),
                     {.id = 11, .caption = L"90%", .radio_group = 1},
                     {.id = 12, .caption = L"20%", .radio_group = 1, .visible = false}}},
    });
    config.OnClick = [this] {
      POINT pt{};
      ::GetCursorPos(&pt);
      menu.TrackAt(Hwnd(), {pt.x - 5, pt.y});
    };

    balloon.CreateBalloonTipWindow(Hwnd());
    balloon.SetBalloonTip(result, 1, L"Checksum", result.Text());
    Constraints.MinWidth = Scale(415, dpi);
    return true;
  }

 private:
  Panel result_cell, compare_cell, top, captions, work, file_row, result_row, compare_row, type_row;
  FlatButton info, config, up, open, copy, save, paste, match, mismatch, length, details, calculate;
  Label drop_hint, file_name;
  std::array<Label, 4> caption_labels;
  Edit result, compare;
  ComboList types;
  Bevel line;
  StatusBar status;
  PopupMenu menu;
  BalloonTip balloon;

  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override {
    if (msg == WM_DESTROY) ::PostQuitMessage(0);
    return Form::HandleMessage(msg, wparam, lparam);
  }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  DemoForm form;
  if (!form.Create()) return 1;
  ::ShowWindow(form.Hwnd(), show);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
