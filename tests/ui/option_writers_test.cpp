// Each option entry writes its key group the moment it changes; a change
// that cannot be stored stays for the run; a failed write reaches the
// critical-error box.
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/ui_fixture.h"

namespace ondrix::ui::testing {
namespace {

struct WriterCase {
  const char* item;  // clicked once, starting from the defaults
  std::vector<std::pair<const wchar_t*, const wchar_t*>> stored;  // key, value after the click
};

TEST_F(UiTest, EachOptionEntryWritesItsGroup) {
  const WriterCase cases[] = {
      {"Savewindowsposition1", {{L"SavePosition", L"1"}}},
      {"Autosavewindowwidth1", {{L"SaveWidth", L"1"}, {L"Width", L"415"}}},
      {"Autosavewindowsizenormalorminibar1", {{L"SaveStyle", L"1"}, {L"Miniform", L"0"}}},
      {"Savedefaultchecksum1", {{L"SaveLastChecksumType", L"1"}, {L"DefaultChecksum", L"MD5"}}},
      {"EnableESCkeytocloseapplication1", {{L"EscapeClosesApplication", L"1"}}},
      {"Enablestayontop1", {{L"StayOnTop", L"0"}}},
      {"Snaptoedge1", {{L"SnapToEdge", L"0"}}},
      {"Setfocuswhelfiledroppedonthisform1", {{L"SetFocusWhenFileDroppedOnForm", L"1"}}},
      {"Showcaptionbar1", {{L"Caption_bar_visible", L"0"}}},
      {"N501", {{L"Transparency_value", L"125"}, {L"Transparency_Only_For_Miniform", L"1"}}},
      {"N301", {{L"Transparency_value", L"75"}, {L"Transparency_Only_For_Miniform", L"1"}}},
      {"Disable1", {{L"Transparency_value", L"255"}, {L"Transparency_Only_For_Miniform", L"1"}}},
      {"Applytominiformonly1", {{L"Transparency_value", L"255"}, {L"Transparency_Only_For_Miniform", L"0"}}},
      {"Autocalculatewhenchecksumtypechanged1", {{L"AutocalculateWhenChecksumTypeChanged", L"0"}}},
      {"Autocalculatewhenfiledropped1", {{L"AutocalculateWhenFileDropped", L"0"}}},
      {"Autopastechecksumfromclipboard1", {{L"AutoPasteChecksumFromClipboard", L"1"}}},
      {"Showfilenameontitlebar1", {{L"ShowFilenameOnTitleBar", L"0"}}},
      {"Useboldfont1", {{L"UseBoldFont", L"1"}}},
      {"Flashtaskbarwhencalculationcompleted1", {{L"FlashWindowWhenCompleted", L"1"}}},
      {"Showuppercasechecksums1", {{L"ShowUppercaseChecksum", L"1"}}},
      {"Nocalculate1", {{L"ShellDefaultAction", L"nocalculate"}, {L"ShellIntegration", L"0"}}},
      {"Askforchecksumtypetocalculate1", {{L"ShellDefaultAction", L"ask"}, {L"ShellIntegration", L"0"}}},
      {"HAVAL2561", {{L"ShellDefaultAction", L"HAVAL 256,5"}, {L"ShellIntegration", L"0"}}},
      {"Enable1", {{L"LogToFile", L"1"}, {L"SaveFullPathInLogFile", L"0"}, {L"AddAsterixToLogFile", L"1"}}},
      {"Displaytimeelapsedandcalculatestateinbottombaroftheform1", {{L"DisplayTimeElapsedOnStatusBar", L"1"}}},
      {"Savetofileasbinaryformataddasterixtofilename1", {{L"AddAsterixWhenSavedToFile", L"0"}}},
      {"Usefullpathwhensavingcreatingchecksumfile1", {{L"FullPathInSaveToFile", L"1"}}},
      {"Makeinifilesystem1", {{L"MakeIniFileHidden", L"0"}, {L"MakeIniFileSystem", L"1"}}},
      {"MakehistoryfileashiddenH1", {{L"MakeHistoryFileHidden", L"1"}, {L"MakeHistoryFileSystem", L"0"}}},
      {"Enablewarningifprogramisolderthat2monthsrecommended1", {{L"EnableOldVersionWarning", L"0"}}},
      {"Hidetotrayicononclose1", {{L"Hide_to_tray_on_close", L"1"}}},
      {"Checkforupdate1", {{L"CheckForUpdate", L"0"}}},
      {"IDLEPRIORITYCLASS1", {{L"ApplicationThreadLevel", L"64"}}},
      {"DisableformscalingDPI1", {{L"DisableFormScaling", L"1"}}},
      {"Restoredefaultcolors1",
       {{L"Color_for_background", L"clBtnFace"},
        {L"Color_for_edit_controls", L"clWindow"},
        {L"Color_for_fonts_in_edit_controls", L"clWindowText"}}},
  };
  for (const WriterCase& c : cases) {
    SCOPED_TRACE(c.item);
    Start();
    ASSERT_TRUE(form->ClickMenuItem(c.item));
    for (const auto& [key, value] : c.stored) {
      EXPECT_EQ(Stored(key), std::optional<std::wstring>(value)) << "key " << std::string(key, key + wcslen(key));
    }
    form.reset();
    ::SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(IniPath().c_str());
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
  }
}

TEST_F(UiTest, OptionEntriesApplyTheirEffectAtOnce) {
  TForm1& f = Start();
  form->ClickMenuItem("Useboldfont1");
  EXPECT_TRUE(f.Edit1.Bold());
  EXPECT_TRUE(f.Edit2.Bold());
  form->ClickMenuItem("Showuppercasechecksums1");
  EXPECT_EQ(f.Edit2.GetCharCase(), win::CharCase::Upper);
  form->ClickMenuItem("Enablestayontop1");
  EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST);
  form->ClickMenuItem("IDLEPRIORITYCLASS1");
  EXPECT_EQ(::GetPriorityClass(::GetCurrentProcess()), static_cast<DWORD>(IDLE_PRIORITY_CLASS));
  EXPECT_TRUE(Ticked("IDLEPRIORITYCLASS1"));
  EXPECT_FALSE(Ticked("NORMALPRIORITYCLASS1"));
  form->ClickMenuItem("Makeinifilehidden1");
  EXPECT_EQ(DosAttributes(IniPath()), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  // The history sub-options are disabled while the history is off.
  EXPECT_FALSE(form->ClickMenuItem("Storefullpath1"));
  form->ClickMenuItem("Enable1");
  EXPECT_TRUE(form->ClickMenuItem("Storefullpath1"));
  EXPECT_EQ(Stored(L"SaveFullPathInLogFile"), std::optional<std::wstring>(L"1"));
}

TEST_F(UiTest, ColourEntriesUseTheDialogAndStoreTheChoice) {
  TForm1& f = Start();
  desktop.colors.push_back(RGB(64, 128, 192));
  desktop.colors.push_back(std::nullopt);  // cancelled: nothing changes
  ASSERT_TRUE(form->ClickMenuItem("Selectforbackground1"));
  EXPECT_EQ(Stored(L"Color_for_background"), std::optional<std::wstring>(L"$00C08040"));
  EXPECT_EQ(f.Surface().Color(), RGB(64, 128, 192));
  ASSERT_TRUE(form->ClickMenuItem("Selectforeditboxes1"));
  EXPECT_EQ(Stored(L"Color_for_edit_controls"), std::nullopt);
  EXPECT_EQ(f.EditColor, kClWindow);
}

TEST_F(UiTest, DpiScalingEntryAsksToRestart) {
  Start();
  desktop.message_results.push_back(IDYES);
  ASSERT_TRUE(form->ClickMenuItem("DisableformscalingDPI1"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, L"Applying changes");
  EXPECT_EQ(desktop.messages[0].text, L"This change requires application to be restarted  \r\r\nRestart application now ?");
  EXPECT_EQ(desktop.messages[0].buttons, win::MessageButtons::YesNo);
  ASSERT_EQ(desktop.starts.size(), 1u);
  EXPECT_EQ(desktop.starts[0].file, desktop.program_path);
  EXPECT_TRUE(desktop.starts[0].parameters.empty());
  EXPECT_EQ(desktop.exit_code, std::optional<UINT>(0));
}

// The program's folder cannot be written to: options change for this run
// only and nothing is shown, the priority class refuses the change, and the
// caption bar (written without the gate) fails into the critical-error box.
TEST_F(UiTest, UnwritableFolderKeepsChangesForTheRunOnly) {
  desktop.program_path = dir_ + L"\\missing\\ondrix.exe";
  TForm1& f = Start();
  const std::wstring ini = dir_ + L"\\missing\\ondrix.ini";

  ASSERT_TRUE(form->ClickMenuItem("Useboldfont1"));
  EXPECT_TRUE(Ticked("Useboldfont1"));
  EXPECT_TRUE(f.Edit1.Bold());
  ASSERT_TRUE(form->ClickMenuItem("SHA11"));
  EXPECT_TRUE(Ticked("SHA11"));
  ASSERT_TRUE(form->ClickMenuItem("DisableformscalingDPI1"));
  EXPECT_TRUE(Ticked("DisableformscalingDPI1"));
  EXPECT_TRUE(desktop.messages.empty());

  ASSERT_TRUE(form->ClickMenuItem("IDLEPRIORITYCLASS1"));
  for (const PriorityItem& p : PriorityItems()) EXPECT_FALSE(Ticked(p.item)) << p.item;
  EXPECT_EQ(::GetPriorityClass(::GetCurrentProcess()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(::GetFileAttributesW(ini.c_str()), INVALID_FILE_ATTRIBUTES);

  ASSERT_TRUE(form->ClickMenuItem("Showcaptionbar1"));
  EXPECT_FALSE(f.HasCaptionBar());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, L"Ondrix - critical error");
  EXPECT_EQ(desktop.messages[0].icon, win::MessageIcon::Error);
  EXPECT_EQ(desktop.messages[0].text,
            L"Oooooppppsss, something went wrong and critical error occured.\r\nHere is error message: \r\r\n"
            L"Unable to write to " + ini + L"\r\r\nTry to resolve this problem youself or contact me for help.");
}

// A settings file that can be read but not written (another program holds
// it open for reading only): F3 and the mode switch complete their change,
// and then the failed write reaches the error box.
TEST_F(UiTest, FailedWriteLeavesTheWindowWhole) {
  WriteIni("SaveStyle=1\r\n");
  TForm1& f = Start();
  ASSERT_TRUE(f.Autosavewindowsizenormalorminibar1.Checked());
  // The heights the caption bar's switch gives while writing works.
  ASSERT_TRUE(PressKey(VK_F3));
  const int without_caption = f.FormRect().bottom - f.FormRect().top;
  ASSERT_TRUE(PressKey(VK_F3));
  const int with_caption = f.FormRect().bottom - f.FormRect().top;
  ASSERT_TRUE(desktop.messages.empty());

  // Held open for reading only: the gate passes, the write fails.
  win::UniqueHandle reader(
      ::CreateFileW(IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(reader.Get() != INVALID_HANDLE_VALUE && reader.Get() != nullptr);
  const std::wstring box_text =
      L"Oooooppppsss, something went wrong and critical error occured.\r\nHere is error message: \r\r\n"
      L"Unable to write to " + IniPath() + L"\r\r\nTry to resolve this problem youself or contact me for help.";
  struct {
    bool caption;
    int height;
  } const steps[] = {{false, without_caption}, {true, with_caption}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.caption);
    desktop.messages.clear();
    EXPECT_TRUE(PressKey(VK_F3));
    EXPECT_EQ(f.HasCaptionBar(), step.caption);
    EXPECT_EQ(f.FormRect().bottom - f.FormRect().top, step.height);
    EXPECT_TRUE(f.StatusBar1.Visible());
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].caption, L"Ondrix - critical error");
    EXPECT_EQ(desktop.messages[0].text, box_text);
  }

  // The mode switch: pulled back onto the work area, tips refreshed.
  desktop.messages.clear();
  const RECT wa = f.WorkArea();
  ::SetWindowPos(f.Hwnd(), nullptr, wa.left - 60, wa.top - 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  f.Edit1.SetText(L"abc");
  f.SetBalloonTip(f.Edit1, 0, L"", L"old");
  EXPECT_TRUE(PressKey(VK_F2));
  EXPECT_EQ(f.MiniMode, 1);
  EXPECT_TRUE(f.Panel_mini.Visible());
  EXPECT_EQ(f.FormRect().left, wa.left);
  EXPECT_EQ(f.FormRect().top, wa.top);
  EXPECT_EQ(TipText(f.Edit1), L"abc");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, box_text);
}

// A tick of the real timer that fails shows the error box; the program goes
// on and the timer keeps ticking.
TEST_F(UiTest, ErrorInATimerTickReachesTheErrorBox) {
  TForm1& f = Start();
  int ticks = 0;
  f.Timer1.OnTimer = [&ticks] { throw std::runtime_error("tick " + std::to_string(++ticks) + " failed"); };
  f.Timer1.SetInterval(10);
  f.Timer1.SetEnabled(true);
  const ULONGLONG deadline = ::GetTickCount64() + 5000;
  MSG msg;
  while (ticks < 2 && ::GetTickCount64() < deadline) {
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::DispatchMessageW(&msg);
    } else {
      ::Sleep(2);
    }
  }
  f.Timer1.SetEnabled(false);
  ASSERT_GE(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[0].caption, L"Ondrix - critical error");
  EXPECT_NE(desktop.messages[0].text.find(L"\r\r\ntick 1 failed\r\r\n"), std::wstring::npos);
  EXPECT_NE(desktop.messages[1].text.find(L"\r\r\ntick 2 failed\r\r\n"), std::wstring::npos);
}

}  // namespace
}  // namespace ondrix::ui::testing
