// Keyboard and mouse commands of the main window: the key handler that sees
// every key press before the focused control, the Ctrl table, dragging the
// window from almost anywhere, the menus on the right button, the help menu.
#include <array>

#include "text/product_text.h"
#include "settings/ini_file.h"
#include "win/file_path.h"
#include "ui/form1.h"
#include "ui/help_text.h"
#include "win/error_guard.h"

namespace ondrix::ui {
namespace {

struct CtrlKey {
  WORD key;
  void (*action)(TForm1&);
};

// Ctrl + letter, whatever Shift or Alt say; only while no calculation runs.
const auto kCtrlTable = std::to_array<CtrlKey>({
    {'S', [](TForm1& f) { f.btn_savefile.Click(); }},
    {'O', [](TForm1& f) { f.btn_openfile.Click(); }},
    {'U',
     [](TForm1& f) {
       f.ClickOption(f.Showuppercasechecksums1);
       f.SetStatusText(f.Showuppercasechecksums1.Checked() ? L"Enabled uppercase checksums"
                                                           : L"Disabled uppercase checksums");
     }},
    {'T',
     [](TForm1& f) {
       f.ClickOption(f.Enablestayontop1);
       f.SetStatusText(f.Enablestayontop1.Checked() ? L"Enabled always-on-top" : L"Disabled always-on-top");
     }},
    {'H', [](TForm1& f) { f.View1Click(); }},
    {'Q', [](TForm1& f) { f.TerminateNow(); }},
    {'P',
     [](TForm1& f) {
       if (FileExists(f.SelectedFilePath)) f.ShowFileProperties();
     }},
    {'R', [](TForm1& f) { f.CopyRowKey(); }},
    {'I', [](TForm1& f) { f.ShowDetailsInNotepad(); }},
    {'B', [](TForm1& f) { f.SpeedButton2.Click(); }},
    {'C', [](TForm1& f) { f.CopyChecksumKey(); }},
    {'V', [](TForm1& f) { f.PasteChecksumKey(); }},
    {'G',
     [](TForm1& f) {
       if (!FileExists(f.SelectedFilePath)) return;
       f.LocateInExplorer();
       f.SetStatusText(L"File located in Explorer");
     }},
});

}  // namespace

// Takes the character the key press produced out of the queue, so that no
// character reaches the focused control and no beep sounds.
void TForm1::RemovePendingChar() {
  MSG msg{};
  while (::PeekMessageW(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE)) {
  }
}

bool TForm1::FormKeyDown(WORD key, bool ctrl) {
  bool handled = false;
  // Enter and Esc never reach a control as a character (no beep).
  if (key == VK_RETURN || key == VK_ESCAPE) RemovePendingChar();
  // F10: the options menu near the window's top-right corner, wherever the mouse is.
  if (key == VK_F10) {
    RemovePendingChar();
    const RECT rc = FormRect();
    OpenOptionsMenuAt(POINT{rc.left + (rc.right - rc.left) - 40, rc.top + 40});
    handled = true;
  }
  // F3: the caption bar.
  if (key == VK_F3) {
    RemovePendingChar();
    ClickOption(Showcaptionbar1);
    handled = true;
  }
  // F2: the other layout.
  if (key == VK_F2) {
    RemovePendingChar();
    if (MiniMode == 1) {
      btn_downClick();
    } else {
      btn_upClick();
    }
    handled = true;
  }
  // Then the first of these that matches, and only that one: Esc closes or
  // aborts, Ctrl + letter, F1, F5.
  if (key == VK_ESCAPE && CalcIdle == 1 && EnableESCkeytocloseapplication1.Checked()) {
    CloseByUser();
    return true;
  }
  if (key == VK_ESCAPE && CalcIdle == 0) {
    AbortCalculation();
    return true;
  }
  if (ctrl && CalcRunning == 0) {
    for (const CtrlKey& entry : kCtrlTable) {
      if (entry.key == key) {
        RemovePendingChar();
        entry.action(*this);
        return true;
      }
    }
    return handled;
  }
  if (key == VK_F1) {
    RemovePendingChar();
    About1Click();
    return true;
  }
  if (key == VK_F5 && CalcRunning == 0) {
    RemovePendingChar();
    SpeedButton3.Click();
    return true;
  }
  return handled;
}

bool TForm1::PreviewKeyMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (msg.hwnd != Hwnd() && !::IsChild(Hwnd(), msg.hwnd)) return false;
  // Translated first, so the character it makes can be taken out again.
  ::TranslateMessage(&msg);
  // The loop hands the key here before any window procedure sees it, so this
  // is an entry of its own; a key whose command failed is not passed on.
  bool handled = false;
  if (!win::Guard([&] { handled = FormKeyDown(static_cast<WORD>(msg.wParam), ::GetKeyState(VK_CONTROL) < 0); })) {
    handled = true;
  }
  if (!handled) ::DispatchMessageW(&msg);
  return true;
}

void TForm1::SetStatusText(std::wstring_view text) { StatusBar1.SetPanelText(0, text); }

void TForm1::OpenOptionsMenuAt(POINT screen) { PopupMenu1.TrackAt(Hwnd(), screen); }

void TForm1::OpenHelpMenuAt(POINT screen) { PopupMenu_pomoc.TrackAt(Hwnd(), screen); }

namespace {

POINT MenuPointAtMouse() {
  POINT at{};
  ::GetCursorPos(&at);
  at.x -= 5;
  return at;
}

}  // namespace

void TForm1::btn_infoClick() { OpenHelpMenuAt(MenuPointAtMouse()); }

void TForm1::btn_configClick() { OpenOptionsMenuAt(MenuPointAtMouse()); }

// The window follows the mouse as if its caption bar were dragged; the end
// of the move arrives as WM_EXITSIZEMOVE and saves position and width.
void TForm1::StartWindowDrag() {
  ::ReleaseCapture();
  ::SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

void TForm1::WireMouse() {
  enum class Right { Menu, Nothing, MenuInMiniMode };
  auto wire = [this](win::Control& control, bool drag, Right right) {
    control.OnMouseDown = [this, drag, right](win::MouseButton button, POINT) {
      if (button == win::MouseButton::Left && drag) {
        StartWindowDrag();
      } else if (button == win::MouseButton::Right &&
                 (right == Right::Menu || (right == Right::MenuInMiniMode && MiniMode == 1))) {
        OpenOptionsMenuAt(MenuPointAtMouse());
      }
    };
  };
  for (win::Control* c : std::initializer_list<win::Control*>{
           &Panel1, &Panel2, &Panel4, &Panel5, &Panel6, &Panel7, &Panel9, &Panel10, &Panel11, &Panel12, &Panel_mini,
           &Label1, &Label2, &Label3, &Label4, &Label7, &Label8}) {
    wire(*c, true, Right::Menu);
  }
  wire(Label5, true, Right::Nothing);
  wire(StatusBar1, true, Right::Nothing);
  for (win::Panel* cell : {&panel_mini_left1, &panel_mini_left2, &panel_mini_left3, &panel_mini_right}) {
    wire(*cell, true, Right::MenuInMiniMode);
  }
  // Buttons keep their own click on the left button.
  for (win::FlatButton* b : {&btn_info, &btn_config, &btn_up, &btn_down, &btn_openfile, &btn_savefile,
                             &btn_kopiujsume, &SpeedButton2, &SpeedButton3, &SpeedButton9, &SpeedButton13, &speed_ok,
                             &speed_blad, &speed_warn}) {
    wire(*b, false, Right::Menu);
  }
  Label1.OnClick = [this] { FlashTaskbar(); };
}

void TForm1::Keyboardshortcuts1Click() {
  ShowMessage(KeyboardShortcutsText(), kApplicationTitle, win::MessageIcon::Information);
}

// Esc with the close option: hidden first, then closed through the close
// handling (which may hide to the tray instead).
void TForm1::CloseByUser() {
  ::ShowWindow(Hwnd(), SW_HIDE);
  ::SendMessageW(Hwnd(), WM_CLOSE, 0, 0);
}

// Ctrl+Q and the tray's "Exit": the process ends at once, no close handling.
void TForm1::TerminateNow() { desktop_.EndProcess(0); }

}  // namespace ondrix::ui
