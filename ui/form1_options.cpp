// The option entries of the menus: each flips or moves its tick, applies the
// change at once and writes its key group; and the appearance options they
// govern (colours, transparency, caption bar, stay on top, bold font, letter
// case, tray icon, priority class, DPI scaling), plus the critical-error box.
#include <string>

#include "settings/settings_file.h"
#include "ui/form1.h"

namespace ondrix::ui {
namespace {

using G = SettingsGroup;

constexpr wchar_t kCriticalErrorTitle[] = L"Ondrix - critical error";

}  // namespace

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

void TForm1::Enablestayontop1Click() {
  Enablestayontop1.Toggle();
  ApplyStayOnTop();
  SaveSettingGroup(G::StayOnTop);
}

// ---- simple options: the tick is the whole effect --------------------------------

void TForm1::Savewindowsposition1Click() {
  Savewindowsposition1.Toggle();
  SaveSettingGroup(G::SavePosition);
}
void TForm1::Autosavewindowwidth1Click() {
  Autosavewindowwidth1.Toggle();
  SaveSettingGroup(G::SaveWidth);
}
void TForm1::Autosavewindowsizenormalorminibar1Click() {
  Autosavewindowsizenormalorminibar1.Toggle();
  SaveSettingGroup(G::SaveStyle);
}
void TForm1::Savedefaultchecksum1Click() {
  Savedefaultchecksum1.Toggle();
  SaveSettingGroup(G::SaveLastChecksumType);
}
void TForm1::EnableESCkeytocloseapplication1Click() {
  EnableESCkeytocloseapplication1.Toggle();
  SaveSettingGroup(G::EscapeClosesApplication);
}
void TForm1::Snaptoedge1Click() {
  // Snapping is done while the window is moved (OnMoving) and reads the tick.
  Snaptoedge1.Toggle();
  SaveSettingGroup(G::SnapToEdge);
}
void TForm1::Setfocuswhelfiledroppedonthisform1Click() {
  Setfocuswhelfiledroppedonthisform1.Toggle();
  SaveSettingGroup(G::SetFocusWhenFileDroppedOnForm);
}
void TForm1::Autocalculatewhenchecksumtypechanged1Click() {
  Autocalculatewhenchecksumtypechanged1.Toggle();
  SaveSettingGroup(G::AutocalculateWhenChecksumTypeChanged);
}
void TForm1::Autocalculatewhenfiledropped1Click() {
  Autocalculatewhenfiledropped1.Toggle();
  SaveSettingGroup(G::AutocalculateWhenFileDropped);
}
void TForm1::Autopastechecksumfromclipboard1Click() {
  Autopastechecksumfromclipboard1.Toggle();
  SaveSettingGroup(G::AutoPasteChecksumFromClipboard);
}
void TForm1::Showfilenameontitlebar1Click() {
  // The title follows the next time it is set.
  Showfilenameontitlebar1.Toggle();
  SaveSettingGroup(G::ShowFilenameOnTitleBar);
}
void TForm1::Flashtaskbarwhencalculationcompleted1Click() {
  Flashtaskbarwhencalculationcompleted1.Toggle();
  SaveSettingGroup(G::FlashWindowWhenCompleted);
}
void TForm1::Displaytimeelapsedandcalculatestateinbottombaroftheform1Click() {
  Displaytimeelapsedandcalculatestateinbottombaroftheform1.Toggle();
  SaveSettingGroup(G::DisplayTimeElapsedOnStatusBar);
}
void TForm1::Savetofileasbinaryformataddasterixtofilename1Click() {
  Savetofileasbinaryformataddasterixtofilename1.Toggle();
  SaveSettingGroup(G::AddAsterixWhenSavedToFile);
}
void TForm1::Usefullpathwhensavingcreatingchecksumfile1Click() {
  Usefullpathwhensavingcreatingchecksumfile1.Toggle();
  SaveSettingGroup(G::FullPathInSaveToFile);
}
void TForm1::Enablewarningifprogramisolderthat2monthsrecommended1Click() {
  Enablewarningifprogramisolderthat2monthsrecommended1.Toggle();
  SaveSettingGroup(G::EnableOldVersionWarning);
}
void TForm1::Hidetotrayicononclose1Click() {
  Hidetotrayicononclose1.Toggle();
  SaveSettingGroup(G::Hide_to_tray_on_close);
}
void TForm1::Checkforupdate1Click() {
  // Neither starts nor stops a check in this run.
  Checkforupdate1.Toggle();
  SaveSettingGroup(G::CheckForUpdate);
}

// ---- history file options ----------------------------------------------------------

void TForm1::Enable1Click() {
  Enable1.Toggle();
  Storefullpath1.SetEnabled(Enable1.Checked());
  Windowsformataddasterixtofilepath1.SetEnabled(Enable1.Checked());
  SaveSettingGroup(G::LogToFile);
}
void TForm1::Storefullpath1Click() {
  Storefullpath1.Toggle();
  SaveSettingGroup(G::LogToFile);
}
void TForm1::Windowsformataddasterixtofilepath1Click() {
  Windowsformataddasterixtofilepath1.Toggle();
  SaveSettingGroup(G::LogToFile);
}

// ---- file attributes: the writer applies them once the keys are stored -------------

void TForm1::Makeinifilehidden1Click() {
  Makeinifilehidden1.Toggle();
  SaveSettingGroup(G::MakeIniFileHidden);
}
void TForm1::Makeinifilesystem1Click() {
  Makeinifilesystem1.Toggle();
  SaveSettingGroup(G::MakeIniFileHidden);
}
void TForm1::MakehistoryfileashiddenH1Click() {
  MakehistoryfileashiddenH1.Toggle();
  SaveSettingGroup(G::MakeHistoryFileHidden);
}
void TForm1::MakehistoryfileassystemS1Click() {
  MakehistoryfileassystemS1.Toggle();
  SaveSettingGroup(G::MakeHistoryFileHidden);
}

// ---- caption bar -------------------------------------------------------------------

void TForm1::Showcaptionbar1Click() {
  if (Showcaptionbar1.Toggle()) {
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
  // Written once the window stands as it should (a failed write leaves no
  // half-built layout behind), and even when the gate would refuse.
  SaveSettingGroup(G::Caption_bar_visible);
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
  AlphaBlendValue = alpha;
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

void TForm1::ChooseTransparencyLevel(TMenuItem& level) {
  for (const TransparencyLevel& l : TransparencyLevels()) FindMenuItem(l.item)->SetChecked(false);
  level.SetChecked(true);
  StoredTransparencyValue = OpacityValue();
  ApplyOpacityRule();
  SaveSettingGroup(G::Transparency_value);
}

void TForm1::Disable1Click() { ChooseTransparencyLevel(Disable1); }
void TForm1::N901Click() { ChooseTransparencyLevel(N901); }
void TForm1::N801Click() { ChooseTransparencyLevel(N801); }
void TForm1::N701Click() { ChooseTransparencyLevel(N701); }
void TForm1::N601Click() { ChooseTransparencyLevel(N601); }
void TForm1::N501Click() { ChooseTransparencyLevel(N501); }
void TForm1::N401Click() { ChooseTransparencyLevel(N401); }
void TForm1::N301Click() { ChooseTransparencyLevel(N301); }
void TForm1::N201Click() { ChooseTransparencyLevel(N201); }
void TForm1::N101Click() { ChooseTransparencyLevel(N101); }

void TForm1::Applytominiformonly1Click() {
  Applytominiformonly1.Toggle();
  ApplyOpacityRule();
  SaveSettingGroup(G::Transparency_value);
}

// ---- text of the checksum fields -----------------------------------------------------

void TForm1::ApplyBoldFont() {
  Edit1.SetBold(Useboldfont1.Checked());
  Edit2.SetBold(Useboldfont1.Checked());
}

void TForm1::Useboldfont1Click() {
  Useboldfont1.Toggle();
  ApplyBoldFont();
  SaveSettingGroup(G::UseBoldFont);
}

void TForm1::ApplyUppercase() {
  const win::CharCase char_case = Showuppercasechecksums1.Checked() ? win::CharCase::Upper : win::CharCase::Lower;
  Edit1.SetCharCase(char_case);
  Edit2.SetCharCase(char_case);
}

void TForm1::Showuppercasechecksums1Click() {
  Showuppercasechecksums1.Toggle();
  ApplyUppercase();
  // Both tips show their field's text in its new letter case.
  SetBalloonTip(Edit1, 0, L"", Edit1.Text());
  SetBalloonTip(Edit2, 0, L"", Edit2.Text());
  SaveSettingGroup(G::ShowUppercaseChecksum);
}

// ---- default action for starts with a file ---------------------------------------------

void TForm1::ChooseDefaultAction(TMenuItem& item) {
  for (const DefaultActionItem& action : DefaultActionItems()) FindMenuItem(action.item)->SetChecked(false);
  item.SetChecked(true);
  SaveSettingGroup(G::ShellDefaultAction);
}

void TForm1::DefaultActionClick() {
  if (clicked_item_ != nullptr) ChooseDefaultAction(*clicked_item_);
}

// ---- process priority --------------------------------------------------------------------

void TForm1::SaveProcessPriority() {
  if (SettingsFileWritable()) SaveSettingGroup(G::ApplicationThreadLevel);
}

void TForm1::ApplyProcessPriority() {
  for (const PriorityItem& priority : PriorityItems()) {
    if (FindMenuItem(priority.item)->Checked()) {
      ::SetPriorityClass(::GetCurrentProcess(), static_cast<DWORD>(priority.value));
    }
  }
}

// Unlike the other options, a class that cannot be stored is not applied.
void TForm1::ChoosePriority(TMenuItem& item) {
  for (const PriorityItem& priority : PriorityItems()) FindMenuItem(priority.item)->SetChecked(false);
  if (!SettingsFileWritable()) return;
  item.SetChecked(true);
  SaveProcessPriority();
  ApplyProcessPriority();
}

void TForm1::PriorityItemClick() {
  if (clicked_item_ != nullptr) ChoosePriority(*clicked_item_);
}

// ---- DPI scaling -----------------------------------------------------------------------------

void TForm1::DisableformscalingDPI1Click() {
  DisableformscalingDPI1.Toggle();
  if (!SettingsFileWritable()) return;
  SaveSettingGroup(G::DisableFormScaling);
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
  constexpr DWORD kWorkerGraceMs = 2000;
  ::ShowWindow(Hwnd(), SW_HIDE);
  if (!Job.WaitForStoppedWorkers(kWorkerGraceMs)) TerminateNow();
  ::DestroyWindow(Hwnd());
}

}  // namespace ondrix::ui
