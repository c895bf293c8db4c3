// The option entries of the menus: the one click that every option row runs
// (flip or move the tick, apply, write the key group), and the appearance
// options they govern (colours, transparency, caption bar, stay on top, bold
// font, letter case, tray icon, priority class, DPI scaling), plus the
// critical-error box.
#include <chrono>
#include <string>

#include "settings/settings_file.h"
#include "ui/form1.h"

namespace ondrix::ui {
namespace {

using G = SettingsGroup;

constexpr wchar_t kCriticalErrorTitle[] = L"Ondrix - critical error";

}  // namespace

// ---- the click of an option row ----------------------------------------------------

void TForm1::RunEntry(const MenuEntry& entry) {
  using Action = MenuEntry::Action;
  TMenuItem& item = this->*entry.item;
  switch (entry.action) {
    case Action::Command:
      if (entry.click != nullptr) (this->*entry.click)();
      return;
    case Action::Toggle:
      item.Toggle();
      break;
    case Action::Choose:
      for (const MenuEntry& other : OptionsMenuTable()) {
        if (other.kind == MenuEntry::Item && other.radio_group == entry.radio_group) {
          (this->*other.item).SetChecked(false);
        }
      }
      if (entry.applies == MenuEntry::Applies::OnceStored && !SettingsFileWritable()) return;
      item.SetChecked(true);
      break;
  }
  // The priority class and the scaling take effect only once stored: a
  // restart or the next start must find what this run uses.
  if (entry.applies == MenuEntry::Applies::OnceStored) {
    if (SaveSettingGroup(entry.group) && entry.apply != nullptr) (this->*entry.apply)();
    return;
  }
  // The whole change stands before the write, so a write that fails leaves
  // no half-applied option behind.
  if (entry.apply != nullptr) (this->*entry.apply)();
  SaveSettingGroup(entry.group);
}

const MenuEntry* TForm1::OptionRow(const TMenuItem& item) const {
  for (const MenuEntry& entry : OptionsMenuTable()) {
    if (entry.item != nullptr && &(this->*entry.item) == &item) return &entry;
  }
  return nullptr;
}

void TForm1::ClickOption(TMenuItem& item) {
  if (const MenuEntry* entry = OptionRow(item)) RunEntry(*entry);
}

// ---- boxes -------------------------------------------------------------------

// Every modal box lifts the stay-on-top state so it cannot hide behind the
// window, and restores it afterwards.
int TForm1::ShowMessage(std::wstring_view text, std::wstring_view title, win::MessageIcon icon,
                        win::MessageButtons buttons) {
  SetTopmost(0);
  const int answer = desktop_.ShowMessage(Hwnd(), text, title, icon, buttons);
  SetTopmost(1);
  return answer;
}

void TForm1::ShowCriticalError(std::wstring_view message) {
  std::wstring text =
      L"Oooooppppsss, something went wrong and critical error occured.\r\nHere is error message: \r\r\n";
  text += message;
  text += L"\r\r\nTry to resolve this problem youself or contact me for help.";
  ShowMessage(text, kCriticalErrorTitle, win::MessageIcon::Error, win::MessageButtons::Ok);
}

// ---- stay on top ---------------------------------------------------------------

void TForm1::SetTopmost(int flag) {
  const bool topmost = flag == 1 && Enablestayontop1.Checked();
  ::SetWindowPos(Hwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm1::ApplyStayOnTop() { SetTopmost(1); }

// ---- caption bar -------------------------------------------------------------------

void TForm1::ApplyCaptionBarChoice() {
  if (Showcaptionbar1.Checked()) {
    const int h = ComboBox1.ClientHeight() + CaptionBarHeight + 12;
    Constraints.MinHeight = h;
    Constraints.MaxHeight = h;
    const RECT rc = FormRect();
    SetFormBounds(rc.left, rc.top, rc.right - rc.left, h);
    SetCaptionBar(true);
  } else {
    SetCaptionBar(false);
  }
  ApplyCurrentLayout();
}

// ---- colours -----------------------------------------------------------------------

void TForm1::ApplyColors() {
  Surface().SetColor(ColorRefFor(BackgroundColor, COLOR_BTNFACE));
  for (win::Control* field : std::initializer_list<win::Control*>{&Edit1, &Edit2, &ComboBox1}) {
    field->SetColor(ColorRefFor(EditColor, COLOR_WINDOW));
    field->SetFontColor(ColorRefFor(EditFontColor, COLOR_WINDOWTEXT));
  }
  label9.Invalidate();
  ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

namespace {

// The colour dialog works on plain RGB; system colours open as their colour.
COLORREF DialogColor(Color value, int fallback) { return ColorRefFor(value, fallback); }

}  // namespace

void TForm1::Selectforbackground1Click() {
  SetTopmost(0);
  const auto chosen = desktop_.ColorDialog(Hwnd(), DialogColor(ColorDialog_background, COLOR_BTNFACE), true);
  SetTopmost(1);
  if (!chosen) return;
  BackgroundColor = ColorDialog_background = *chosen;
  ApplyColors();
  SaveSettingGroup(G::Color_for_background);
}

void TForm1::Selectforeditboxes1Click() {
  SetTopmost(0);
  const auto chosen = desktop_.ColorDialog(Hwnd(), DialogColor(ColorDialog_editboxes, COLOR_WINDOW), true);
  SetTopmost(1);
  if (!chosen) return;
  EditColor = ColorDialog_editboxes = *chosen;
  ApplyColors();
  SaveSettingGroup(G::Color_for_edit_controls);
}

void TForm1::exteditfields1Click() {
  SetTopmost(0);
  const auto chosen =
      desktop_.ColorDialog(Hwnd(), DialogColor(ColorDialog_text_in_editbox, COLOR_WINDOWTEXT), true);
  SetTopmost(1);
  if (!chosen) return;
  EditFontColor = ColorDialog_text_in_editbox = *chosen;
  ApplyColors();
  SaveSettingGroup(G::Color_for_fonts_in_edit_controls);
}

void TForm1::Restoredefaultcolors1Click() {
  EditColor = ColorDialog_editboxes = kClWindow;
  BackgroundColor = ColorDialog_background = kClBtnFace;
  EditFontColor = ColorDialog_text_in_editbox = kClWindowText;
  ApplyColors();
  SaveSettingGroup(G::Color_for_background);
  SaveSettingGroup(G::Color_for_edit_controls);
  SaveSettingGroup(G::Color_for_fonts_in_edit_controls);
}

// ---- transparency ------------------------------------------------------------------

void TForm1::SetAlphaBlend(bool blend, std::uint8_t alpha) {
  LONG ex = ::GetWindowLongW(Hwnd(), GWL_EXSTYLE);
  if (blend) {
    ::SetWindowLongW(Hwnd(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(Hwnd(), 0, alpha, LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    ::SetWindowLongW(Hwnd(), GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  AlphaBlend = blend;
}

// The marked level's value; while none is marked (a hand-edited value), the
// value loaded at start.
int TForm1::OpacityValue() const {
  auto* self = const_cast<TForm1*>(this);
  return TransparencyValueToStore(
      [self](std::string_view name) {
        const TMenuItem* item = self->FindMenuItem(name);
        return item != nullptr && item->Checked();
      },
      StoredTransparencyValue);
}

void TForm1::ApplyOpacityRule() {
  const Opacity o = OpacityFor(OpacityValue(), Applytominiformonly1.Checked(), MiniMode == 1);
  SetAlphaBlend(o.blend, o.alpha);
}

// A level chosen by hand is the value in use from now on.
void TForm1::ApplyTransparencyChoice() {
  StoredTransparencyValue = OpacityValue();
  ApplyOpacityRule();
}

// ---- text of the checksum fields -----------------------------------------------------

void TForm1::ApplyBoldFont() {
  Edit1.SetBold(Useboldfont1.Checked());
  Edit2.SetBold(Useboldfont1.Checked());
}

void TForm1::ApplyUppercase() {
  const win::CharCase char_case = Showuppercasechecksums1.Checked() ? win::CharCase::Upper : win::CharCase::Lower;
  Edit1.SetCharCase(char_case);
  Edit2.SetCharCase(char_case);
}

void TForm1::ApplyUppercaseChoice() {
  ApplyUppercase();
  // Both tips show their field's text in its new letter case.
  SetBalloonTip(Edit1, 0, L"", Edit1.Text());
  SetBalloonTip(Edit2, 0, L"", Edit2.Text());
}

// ---- history file ----------------------------------------------------------------------

// The history's sub-options only mean something while the history is kept.
void TForm1::ApplyHistoryChoice() {
  Storefullpath1.SetEnabled(Enable1.Checked());
  Windowsformataddasterixtofilepath1.SetEnabled(Enable1.Checked());
}

// ---- process priority --------------------------------------------------------------------

void TForm1::ApplyProcessPriority() {
  for (const PriorityItem& priority : PriorityItems()) {
    if (FindMenuItem(priority.item)->Checked()) {
      ::SetPriorityClass(::GetCurrentProcess(), static_cast<DWORD>(priority.value));
    }
  }
}

// ---- DPI scaling -----------------------------------------------------------------------------

// The new value is stored already: a restart reads it.
void TForm1::OfferRestartForScaling() {
  SetTopmost(0);
  const int answer = desktop_.ShowMessage(Hwnd(), L"This change requires application to be restarted  \r\r\nRestart application now ?",
                                          L"Applying changes", win::MessageIcon::Information,
                                          win::MessageButtons::YesNo);
  SetTopmost(1);
  if (answer != IDYES) return;
  // A fresh start without the file argument of this one.
  desktop_.Start(win::StartRequest{.verb = L"OPEN", .file = desktop_.ProgramPath(), .show = SW_SHOWNORMAL});
  TerminateNow();
}

// ---- notification area -------------------------------------------------------------------------

void TForm1::HideToTray() {
  TrayIcon1.SetTip(WindowTitle());
  TrayIcon1.Show();
  ::ShowWindow(Hwnd(), SW_HIDE);
}

void TForm1::ShowFromTray() {
  ::ShowWindow(Hwnd(), SW_SHOW);
  ::SetForegroundWindow(Hwnd());
}

void TForm1::TrayIconClick() {
  if (::IsWindowVisible(Hwnd())) {
    ::ShowWindow(Hwnd(), SW_HIDE);
  } else {
    ShowFromTray();
  }
}

void TForm1::Show1Click() { ShowFromTray(); }

void TForm1::Exit1Click() { TerminateNow(); }

std::wstring TForm1::WindowTitle() const {
  const int length = ::GetWindowTextLengthW(Hwnd());
  std::wstring title(static_cast<std::size_t>(length) + 1, L'\0');
  title.resize(static_cast<std::size_t>(::GetWindowTextW(Hwnd(), title.data(), length + 1)));
  return title;
}

// Closing stops a running calculation first; with hide-to-tray the window
// only hides and the program keeps running. Otherwise the window goes at
// once; a worker stuck in a read that no cancel reaches gets a moment to
// return, then the process ends without it.
void TForm1::OnClose() {
  StopCalculationForClose();
  if (Hidetotrayicononclose1.Checked()) {
    HideToTray();
    return;
  }
  constexpr auto kWorkerGrace = std::chrono::milliseconds(2000);
  ::ShowWindow(Hwnd(), SW_HIDE);
  if (!Job.WaitForStoppedWorkers(kWorkerGrace)) TerminateNow();
  ::DestroyWindow(Hwnd());
}

}  // namespace ondrix::ui
