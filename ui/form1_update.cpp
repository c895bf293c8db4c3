// The update check: the delay after start, the scheduled and the manual
// check, the notice panel shown meanwhile and the date it records.
//
// The check blocks the user's input to the window while it waits, but not
// the window itself: the HTTP requests run on a helper thread while this
// thread goes on painting and answering the system, so the window never
// turns into a "Not responding" ghost.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <thread>

#include "settings/settings_file.h"
#include "text/product_text.h"
#include "ui/form1.h"
#include "update/auto_update.h"
#include "update/notice_texts.h"
#include "win/dpi.h"
#include "win/file_path.h"

namespace ondrix::ui {

namespace {

using G = SettingsGroup;
using K = SettingKey;

bool IsUserInput(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
         (msg >= WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK) || msg == WM_DROPFILES;
}

}  // namespace

// ---- the schedule ---------------------------------------------------------------

// Counts down the short delay after start, then hands over to the timer
// that runs the check.
void TForm1::Timer2Timer() {
  const std::int32_t before = UpdateDelayTicks--;
  if (before != 1) return;
  Timer2.SetEnabled(false);
  UpdateCheckManual = 0;
  timer_aktualizacja2.SetEnabled(true);
}

void TForm1::timer_aktualizacja2Timer() {
  timer_aktualizacja2.SetEnabled(false);
  CheckForUpdates();
}

void TForm1::Checkfornewerversionnow1Click() {
  if (update_check_running_) return;
  UpdateCheckManual = 1;
  CheckForUpdates();
}

// ---- the check ------------------------------------------------------------------

void TForm1::CheckForUpdates() {
  if (update_check_running_) return;
  // Without a settings file nothing is checked: the file is made, with
  // today as the last check.
  if (!FileExists(ini_.Path())) {
    RecordUpdateCheck(true);
    return;
  }
  if (!SettingsFileWritable()) return;
  // The scheduled check waits until the window has been shown ten times.
  if (UpdateCheckManual == 0 && ini_.ReadInt(K::Param1) <= 9) return;

  update_check_running_ = true;
  Timer2.SetEnabled(false);
  ::SetWindowTextW(Hwnd(), std::wstring(kCheckingForUpdatesTitle).c_str());
  ShowUpdatePanel();
  WaitPumpingMessages(1000, nullptr);

  UpdateCheckFailed = 0;
  bool different = false;
  std::wstring new_version_info;
  {
    std::wstring update_url;
    VersionQuad latest;
    std::uint8_t failed = 0;
    const std::string own_version = GetOwnFileVersion();
    // The helper thread touches only these locals and the desktop's GET.
    WaitPumpingMessages(INFINITE, [&] {
      different = FetchVersionInfo([this](std::wstring_view url) { return desktop_.HttpGet(url); },
                                   kVersionDocumentUrl, own_version, update_url, latest, new_version_info, failed);
    });
    UpdateCheckFailed = failed;
  }

  HideUpdatePanel();
  ::SetWindowTextW(Hwnd(), kFormTitle);
  TrayIcon1.SetTip(kFormTitle);
  update_check_running_ = false;

  if (UpdateCheckFailed == 1 && UpdateCheckManual == 1) {
    ShowMessage(kUpdateErrorText, kApplicationTitle, win::MessageIcon::Warning);
  }
  if (different && UpdateCheckFailed == 0) {
    const int answer = ShowMessage(DownloadQuestionText(new_version_info), kApplicationTitle,
                                   win::MessageIcon::Information, win::MessageButtons::YesNo);
    if (answer == IDYES) {
      OpenVendorPage(kDownloadPageUrl);
      // The date is recorded before the program ends.
      RecordUpdateCheck(false);
      TerminateNow();
      return;
    }
  }
  if (!different && UpdateCheckFailed == 0 && UpdateCheckManual == 1) {
    ShowMessage(kNoNewerVersionText, kApplicationTitle, win::MessageIcon::Information);
  }
  RecordUpdateCheck(false);
}

void TForm1::RecordUpdateCheck(bool with_count) {
  GroupTexts texts = GroupValues(G::RecordUpdateCheck);
  if (with_count) texts.emplace(K::UpdateCount, "1");
  ondrix::SaveSettingGroup(ini_, G::RecordUpdateCheck, texts);
}

void TForm1::OpenVendorPage(std::wstring_view url) {
  desktop_.Start(win::StartRequest{.verb = L"open", .file = std::wstring(url), .show = SW_SHOWNORMAL,
                                   .owner = Hwnd()});
}

// ---- waiting without freezing ------------------------------------------------------

void TForm1::WaitPumpingMessages(DWORD ms, const std::function<void()>& work) {
  win::UniqueHandle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread helper;
  if (work) {
    helper = std::thread([&work, event = done.Get()] {
      work();
      ::SetEvent(event);
    });
  }
  // Input to the window is blocked; painting, timers and the system's
  // messages go on.
  const bool was_enabled = ::IsWindowEnabled(Hwnd()) != FALSE;
  ::EnableWindow(Hwnd(), FALSE);
  const ULONGLONG start = ::GetTickCount64();
  std::optional<int> quit_code;
  for (;;) {
    DWORD wait = INFINITE;
    if (!work) {
      const ULONGLONG elapsed = ::GetTickCount64() - start;
      if (elapsed >= ms) break;
      wait = static_cast<DWORD>(ms - elapsed);
    }
    HANDLE handle = done.Get();
    const DWORD woke = ::MsgWaitForMultipleObjectsEx(work ? 1 : 0, work ? &handle : nullptr, wait, QS_ALLINPUT,
                                                     MWMO_INPUTAVAILABLE);
    if (work && woke == WAIT_OBJECT_0) break;
    MSG msg;
    while (!quit_code && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit_code = static_cast<int>(msg.wParam);
        break;
      }
      if (IsUserInput(msg.message)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  if (helper.joinable()) helper.join();
  ::EnableWindow(Hwnd(), was_enabled ? TRUE : FALSE);
  // A request to end the program is handed back to the main loop.
  if (quit_code) ::PostQuitMessage(*quit_code);
}

// ---- the notice panel ----------------------------------------------------------------

void TForm1::LayoutUpdatePanel() {
  // Bold title centred on one line, the animation, the note centred and
  // wrapped; sized for the DPI the window is scaled to.
  update_title_font_ = win::CreateFontVariant(Surface().Font(), true);
  Label10.SetFont(update_title_font_.Get());
  for (win::Label* label : {&Label10, &Label11}) {
    const LONG_PTR style = ::GetWindowLongPtrW(label->Hwnd(), GWL_STYLE);
    ::SetWindowLongPtrW(label->Hwnd(), GWL_STYLE, (style & ~LONG_PTR{SS_TYPEMASK}) | SS_CENTER);
  }
  if (!Animate1.HasWindow()) Animate1.Create(Panel_aktualizacja);
  win::AlignBatch batch(Panel_aktualizacja);
  const int line = win::FontLineHeight(update_title_font_.Get());
  Label10.SetAlign(win::alTop);
  Label10.SetAlignWithMargins(true);
  Label10.SetMargins(win::Margins{Px(8), Px(10), Px(8), Px(4)});
  Label10.SetHeight(line);
  Animate1.SetAlign(win::alTop);
  Animate1.SetAlignWithMargins(true);
  Animate1.SetMargins(win::Margins{Px(40), Px(4), Px(40), Px(4)});
  Animate1.SetHeight(Px(16));
  Label11.SetAlign(win::alClient);
  Label11.SetAlignWithMargins(true);
  Label11.SetMargins(win::Margins{Px(12), Px(6), Px(12), Px(4)});
}

// The panel fills the window in front of everything while the check runs.
void TForm1::ShowUpdatePanel() {
  panel4_was_visible_ = Panel4.Visible();
  panel2_was_visible_ = Panel2.Visible();
  panel_mini_was_visible_ = Panel_mini.Visible();
  {
    win::AlignBatch batch(Surface());
    LayoutUpdatePanel();
    Panel4.Hide();
    Panel2.Hide();
    Panel_mini.Hide();
    Panel_aktualizacja.SetAlign(win::alClient);
    Panel_aktualizacja.Show();
  }
  ::SetWindowPos(Panel_aktualizacja.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Animate1.SetActive(true);
  ::UpdateWindow(Hwnd());
  ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The layout as it was before the check, normal or mini.
void TForm1::HideUpdatePanel() {
  Animate1.SetActive(false);
  win::AlignBatch batch(Surface());
  Panel_aktualizacja.Hide();
  Panel4.SetVisible(panel4_was_visible_);
  Panel2.SetVisible(panel2_was_visible_);
  Panel_mini.SetVisible(panel_mini_was_visible_);
}

}  // namespace ondrix::ui
