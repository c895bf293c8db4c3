#include "startup/chooser_dialog.h"

#include "settings/ini_file.h"
#include "settings/settings_file.h"
#include "text/utf.h"
#include "win/dpi.h"
#include "win/error_guard.h"

namespace ondrix {
namespace {

constexpr wchar_t kCaption[] = L"Checksum to calculate...";
constexpr std::size_t kLastUsedIndex = 12;  // Button13, the last in tab order
// No title-bar buttons: a caption bar without a system menu, a dialog frame.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

}  // namespace

Tfm_wybierz_algorytm::Tfm_wybierz_algorytm(win::IDesktop& desktop, std::wstring settings_path)
    : desktop_(desktop), settings_path_(std::move(settings_path)) {}

win::PushButton& Tfm_wybierz_algorytm::ButtonAt(std::size_t index) {
  win::PushButton* const in_tab_order[] = {&Button1, &Button2, &Button3, &Button4, &Button5,
                                           &Button6, &Button11, &Button7, &Button8, &Button9,
                                           &Button10, &Button12, &Button13};
  return *in_tab_order[index];
}

bool Tfm_wybierz_algorytm::Create() {
  // Its taskbar button is the program's until the main window shows.
  const win::WindowClassInfo cls{.name = L"Tfm_wybierz_algorytm",
                                 .icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))};
  if (!CreateForm(cls, kCaption, kStyle, kExStyle, kChooserClientWidth, kChooserClientHeight)) return false;
  // Created in tab order, so Tab walks them in that order.
  const auto& rows = ChooserButtons();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ButtonAt(i).Create(Surface(), rows[i].caption);
    ButtonAt(i).OnClick = [this, i] { ButtonClick(i); };
  }
  PlaceButtons();
  CentreOnScreen();
  ChooserPick.clear();
  return true;
}

// The design's places at the window's DPI; the client area follows.
void Tfm_wybierz_algorytm::PlaceButtons() {
  const UINT dpi = Dpi();
  const auto& rows = ChooserButtons();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ButtonAt(i).SetBounds(win::Scale(rows[i].left, dpi), win::Scale(rows[i].top, dpi),
                          win::Scale(rows[i].width, dpi), win::Scale(kChooserButtonHeight, dpi));
  }
  SetClientSize(win::Scale(kChooserClientWidth, dpi), win::Scale(kChooserClientHeight, dpi));
}

void Tfm_wybierz_algorytm::CentreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoW(::MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  RECT rc{};
  ::GetWindowRect(Hwnd(), &rc);
  const RECT& screen = monitor.rcMonitor;
  const int left = screen.left + ((screen.right - screen.left) - (rc.right - rc.left)) / 2;
  const int top = screen.top + ((screen.bottom - screen.top) - (rc.bottom - rc.top)) / 2;
  ::SetWindowPos(Hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The stored last pick marks its button and is what F2 picks again.
void Tfm_wybierz_algorytm::ReadLastUsed() {
  const IniFile ini(settings_path_);
  const std::string value = ini.ReadString(SettingKey::Context_Menu_Last_Used_Checksum_Type);
  for (std::size_t i = 0; i < ChooserButtons().size(); ++i) ButtonAt(i).SetFont(UiFont());
  const int marked = MarkedChooserButton(value);
  marked_ = marked >= 0 ? &ButtonAt(static_cast<std::size_t>(marked)) : nullptr;
  if (marked_ != nullptr) {
    bold_font_ = win::CreateFontVariant(UiFont(), true);
    marked_->SetFont(bold_font_.Get());
  }
  Button13.SetCaption(LastUsedCaption(value));
  ChooserLastUsed = Utf8ToWide(value);
}

bool Tfm_wybierz_algorytm::IsBold(const win::PushButton& button) const {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HFONT>(::SendMessageW(button.Hwnd(), WM_GETFONT, 0, 0));
  return handle != nullptr && ::GetObjectW(handle, sizeof font, &font) != 0 && font.lfWeight >= FW_BOLD;
}

void Tfm_wybierz_algorytm::ShowModal() {
  picked_ = false;
  ended_program_ = false;
  ReadLastUsed();
  ::ShowWindow(Hwnd(), SW_SHOW);
  ::SetForegroundWindow(Hwnd());
  ::SetFocus((marked_ != nullptr ? marked_ : &Button1)->Hwnd());

  modal_ = true;
  MSG msg{};
  while (modal_) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The loop of the caller must see the quit request too.
      if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    bool handled = false;
    win::Guard([&] { handled = PreviewKey(msg); });
    if (handled || ::IsDialogMessageW(Hwnd(), &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  modal_ = false;
}

bool Tfm_wybierz_algorytm::PreviewKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.hwnd != Hwnd() && !::IsChild(Hwnd(), msg.hwnd))) return false;
  switch (msg.wParam) {
    case VK_ESCAPE:
      // The whole program ends: nothing is selected, computed or stored.
      ended_program_ = true;
      EndModal();
      desktop_.EndProcess(0);
      return true;
    case VK_F2:
      ButtonClick(kLastUsedIndex);
      return true;
    case VK_RETURN:
      // Enter presses the focused button.
      for (std::size_t i = 0; i < ChooserButtons().size(); ++i) {
        if (ButtonAt(i).Hwnd() == ::GetFocus()) {
          ButtonClick(i);
          return true;
        }
      }
      return false;
    default:
      return false;
  }
}

void Tfm_wybierz_algorytm::ButtonClick(std::size_t index) {
  const ChooserButton& row = ChooserButtons()[index];
  const std::string pick = row.repeats_last ? LastUsedPick(WideToUtf8(ChooserLastUsed)) : std::string(row.pick);
  ChooserPick = Utf8ToWide(pick);
  picked_ = true;
  EndModal();
  // Remembered for the next time only when the settings file can be
  // written; otherwise the pick holds for this run alone.
  const IniFile ini(settings_path_);
  SaveSettingGroup(ini, SettingsGroup::Context_Menu_Last_Used_Checksum_Type,
                   {{SettingKey::Context_Menu_Last_Used_Checksum_Type, pick}});
}

// Closing only hides the dialog.
void Tfm_wybierz_algorytm::EndModal() {
  ::ShowWindow(Hwnd(), SW_HIDE);
  modal_ = false;
}

LRESULT Tfm_wybierz_algorytm::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_CLOSE) {
    // A system close (Alt+F4) makes no pick.
    EndModal();
    return 0;
  }
  return win::Form::HandleMessage(msg, wparam, lparam);
}

void Tfm_wybierz_algorytm::OnDpiChanged(UINT dpi, const RECT& suggested) {
  win::Form::OnDpiChanged(dpi, suggested);
  if (marked_ != nullptr) {
    bold_font_ = win::CreateFontVariant(UiFont(), true);
    marked_->SetFont(bold_font_.Get());
  }
  PlaceButtons();
}

}  // namespace ondrix
