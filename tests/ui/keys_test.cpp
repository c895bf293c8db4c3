// The key handler's order and the help texts.
#include "win/file_stream.h"
#include "tests/ui/ui_fixture.h"
#include "ui/help_text.h"

namespace ondrix::ui::testing {
namespace {

TEST_F(UiTest, EscapeClosesOnlyWithTheOptionAndAbortsFirst) {
  TForm1& f = Start();
  EXPECT_FALSE(f.FormKeyDown(VK_ESCAPE, false));
  EXPECT_TRUE(::IsWindow(f.Hwnd()));

  ASSERT_TRUE(f.ClickMenuItem("EnableESCkeytocloseapplication1"));
  // A calculation about to run or running: Esc aborts it, whatever the option.
  f.CalcIdle = 0;
  f.CalcRunning = 1;
  f.Job.CalcCompleted = 1;
  EXPECT_TRUE(f.FormKeyDown(VK_ESCAPE, false));
  EXPECT_TRUE(::IsWindow(f.Hwnd()));
  EXPECT_EQ(f.CalcIdle, 1);
  EXPECT_EQ(f.Job.CalcCompleted, 0);
  EXPECT_EQ(f.CalcRunning, 0);
  EXPECT_EQ(f.Job.Outcome(), JobOutcome::Aborted);
  // The second Esc closes.
  HWND hwnd = f.Hwnd();
  EXPECT_TRUE(f.FormKeyDown(VK_ESCAPE, false));
  EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(UiTest, EscapeWithHideToTrayOnlyHides) {
  TForm1& f = Start();
  ASSERT_TRUE(f.ClickMenuItem("EnableESCkeytocloseapplication1"));
  ASSERT_TRUE(f.ClickMenuItem("Hidetotrayicononclose1"));
  ::ShowWindow(f.Hwnd(), SW_SHOWNA);
  f.FormKeyDown(VK_ESCAPE, false);
  EXPECT_TRUE(::IsWindow(f.Hwnd()));
  EXPECT_FALSE(::IsWindowVisible(f.Hwnd()));
  EXPECT_TRUE(f.TrayIcon1.Visible());
}

TEST_F(UiTest, FunctionKeysToggleModeAndCaptionBarAtAnyTime) {
  TForm1& f = Start();
  f.CalcRunning = 1;  // F2 and F3 work during a calculation too
  EXPECT_TRUE(f.FormKeyDown(VK_F2, false));
  EXPECT_EQ(f.MiniMode, 1);
  EXPECT_TRUE(f.FormKeyDown(VK_F2, true));
  EXPECT_EQ(f.MiniMode, 0);
  EXPECT_TRUE(f.FormKeyDown(VK_F3, false));
  EXPECT_FALSE(f.HasCaptionBar());
  EXPECT_EQ(Stored(L"Caption_bar_visible"), std::optional<std::wstring>(L"0"));
  EXPECT_TRUE(f.FormKeyDown(VK_F3, false));
  EXPECT_TRUE(f.HasCaptionBar());
}

// The case toggle shows both fields' texts in their new case in their tips.
TEST_F(UiTest, CaseToggleRefreshesBothTips) {
  TForm1& f = Start();
  f.Edit1.SetText(L"900150983cd24fb0d6963f7d28e17f72");
  f.Edit2.SetText(L"abc");
  f.SetBalloonTip(f.Edit1, 0, L"", L"old");
  f.SetBalloonTip(f.Edit2, 0, L"", L"old");
  EXPECT_TRUE(f.FormKeyDown('U', true));
  EXPECT_EQ(TipText(f.Edit1), L"900150983CD24FB0D6963F7D28E17F72");
  EXPECT_EQ(TipText(f.Edit2), L"ABC");
  f.SetBalloonTip(f.Edit1, 0, L"", L"old");
  f.SetBalloonTip(f.Edit2, 0, L"", L"old");
  EXPECT_TRUE(f.FormKeyDown('U', true));
  EXPECT_EQ(TipText(f.Edit1), L"900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(TipText(f.Edit2), L"abc");
}

TEST_F(UiTest, CtrlUAndCtrlTShowWhatTheyDid) {
  TForm1& f = Start();
  struct {
    WORD key;
    const wchar_t* status;
  } const steps[] = {
      {'U', L"Enabled uppercase checksums"}, {'U', L"Disabled uppercase checksums"},
      {'T', L"Disabled always-on-top"},      {'T', L"Enabled always-on-top"},
  };
  for (const auto& s : steps) {
    EXPECT_TRUE(f.FormKeyDown(s.key, true));
    EXPECT_EQ(f.StatusText(), s.status);
  }
  EXPECT_TRUE(ExStyle() & WS_EX_TOPMOST);
  EXPECT_EQ(Stored(L"StayOnTop"), std::optional<std::wstring>(L"1"));
  EXPECT_EQ(Stored(L"ShowUppercaseChecksum"), std::optional<std::wstring>(L"0"));

  // While a calculation runs the Ctrl table is silent.
  f.CalcRunning = 1;
  EXPECT_FALSE(f.FormKeyDown('U', true));
  EXPECT_EQ(f.StatusText(), L"Enabled always-on-top");
  EXPECT_FALSE(f.Showuppercasechecksums1.Checked());
}

// Paths with a comma and a space, and past MAX_PATH in a folder of a name
// the code page cannot spell: the shell gets the file while it exists.
TEST_F(UiTest, CtrlPAndCtrlGHandTheSelectedFileToTheShell) {
  TForm1& f = Start();
  const std::wstring long_folder = dir_ + L"\\" + std::wstring(200, L'd') + L"\u0436";
  ASSERT_TRUE(::CreateDirectoryW(ExtendedLengthPath(long_folder).c_str(), nullptr));
  for (const std::wstring& path : {dir_ + L"\\a, b.txt", long_folder + L"\\" + std::wstring(100, L'n') + L".txt"}) {
    SCOPED_TRACE(path.size());
    desktop.starts.clear();
    HANDLE file =
        ::CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
    f.SelectedFilePath = path;

    f.SetStatusText(L"");
    EXPECT_TRUE(f.FormKeyDown('P', true));
    ASSERT_EQ(desktop.starts.size(), 1u);
    EXPECT_EQ(desktop.starts[0].verb, L"properties");
    EXPECT_EQ(desktop.starts[0].file, path);
    EXPECT_EQ(f.StatusText(), L"");

    EXPECT_TRUE(f.FormKeyDown('G', true));
    ASSERT_EQ(desktop.starts.size(), 2u);
    EXPECT_EQ(desktop.starts[1].file, L"explorer.exe");
    // Quoted, so the comma and the space stay part of the name.
    EXPECT_EQ(desktop.starts[1].parameters, L"/e,/select, \"" + path + L"\"");
    EXPECT_EQ(f.StatusText(), L"File located in Explorer");

    // A file deleted meanwhile: nothing is started and nothing is said.
    ::DeleteFileW(ExtendedLengthPath(path).c_str());
    f.SetStatusText(L"");
    f.FormKeyDown('P', true);
    f.FormKeyDown('G', true);
    EXPECT_EQ(desktop.starts.size(), 2u);
    EXPECT_EQ(f.StatusText(), L"");
  }
  ::RemoveDirectoryW(ExtendedLengthPath(long_folder).c_str());

  // Clone starts the program itself, without a file.
  desktop.starts.clear();
  f.Clone1Click();
  ASSERT_EQ(desktop.starts.size(), 1u);
  EXPECT_EQ(desktop.starts[0].file, desktop.program_path);
  EXPECT_EQ(desktop.starts[0].parameters, L"");
}

TEST_F(UiTest, CtrlQEndsTheProcessWithoutClosing) {
  TForm1& f = Start();
  ASSERT_TRUE(f.ClickMenuItem("Hidetotrayicononclose1"));
  EXPECT_TRUE(f.FormKeyDown('Q', true));
  EXPECT_EQ(desktop.exit_code, std::optional<UINT>(0));
  EXPECT_FALSE(f.TrayIcon1.Visible());
}

TEST_F(UiTest, EnterTakesItsCharacterOutOfTheQueue) {
  TForm1& f = Start();
  ::PostMessageW(f.Edit2.Hwnd(), WM_CHAR, L'\r', 0);
  f.FormKeyDown(VK_RETURN, false);
  MSG msg;
  EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE));
  // An unlisted key leaves its character alone.
  ::PostMessageW(f.Edit2.Hwnd(), WM_CHAR, L'a', 0);
  EXPECT_FALSE(f.FormKeyDown('A', false));
  EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE));
}

TEST_F(UiTest, HelpMenuShowsTheShortcutList) {
  TForm1& f = Start();
  ASSERT_TRUE(f.ClickMenuItem("Keyboardshortcuts1"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  const std::wstring& text = desktop.messages[0].text;
  EXPECT_EQ(desktop.messages[0].caption, L"Ondrix");
  EXPECT_EQ(desktop.messages[0].icon, win::MessageIcon::Information);
  EXPECT_EQ(text, KeyboardShortcutsText());

  // F1 opens the About window, owned by the main window.
  EXPECT_TRUE(f.FormKeyDown(VK_F1, false));
  EXPECT_EQ(desktop.messages.size(), 1u);
  ASSERT_EQ(desktop.modal_dialog_owners.size(), 1u);
  EXPECT_EQ(desktop.modal_dialog_owners[0], f.Hwnd());
  // With Ctrl held F1 does nothing.
  EXPECT_FALSE(f.FormKeyDown(VK_F1, true));
  EXPECT_EQ(desktop.modal_dialog_owners.size(), 1u);
}

TEST_F(UiTest, OptionsMenuHoldsEveryEntryInOrder) {
  TForm1& f = Start();
  const std::vector<win::MenuItemDef>& top = f.PopupMenu1.Items();
  std::vector<std::wstring> captions;
  for (const win::MenuItemDef& item : top) captions.push_back(item.caption);
  const std::vector<std::wstring> expected = {
      L"Autosave window position", L"Autosave window width", L"Autosave window style - normal or minibar", L"-",
      L"Autosave last used checksum type", L"Enable ESC key to close application", L"Enable \"stay on top\"",
      L"Snap to screen edge", L"Set focus when file dropped on this form", L"Show caption bar", L"Colors",
      L"Transparency level (visibility)", L"-", L"Autocalculate when checksum type changed",
      L"Autocalculate when file dropped", L"Auto paste checksum from clipboard (context menu)",
      L"Show file name on title bar", L"Use bold font", L"Flash taskbar when calculation completed",
      L"Uppercase checksums", L"-", L"Shell integration and default action", L"-", L"History file", L"-",
      L"Place shortcut on desktop", L"Place shortcut on Quick Launch bar", L"-", L"Other settings", L"-",
      L"Check for update"};
  EXPECT_EQ(captions, expected);
  // Shortcut labels, and the hidden 20 % and 10 % levels.
  EXPECT_EQ(f.PopupMenu1.Find(f.Enablestayontop1.Command())->shortcut, L"Ctrl+T");
  EXPECT_EQ(f.PopupMenu1.Find(f.View1.Command())->shortcut, L"Ctrl+H");
  EXPECT_FALSE(f.N201.Visible());
  EXPECT_FALSE(f.N101.Visible());
  EXPECT_TRUE(f.N301.Visible());
  EXPECT_FALSE(f.Defaultaction1.Enabled());
  // The built menu shows the ticks.
  win::UniqueMenu built = f.PopupMenu1.Build();
  EXPECT_TRUE(::GetMenuState(built.Get(), f.Enablestayontop1.Command(), MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(::GetMenuState(built.Get(), f.Useboldfont1.Command(), MF_BYCOMMAND) & MF_CHECKED);
}

}  // namespace
}  // namespace ondrix::ui::testing
