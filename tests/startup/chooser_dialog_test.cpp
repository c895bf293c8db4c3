// The checksum type chooser driven by real key messages and clicks: what
// it marks, what it picks, what it stores.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "startup/chooser_dialog.h"
#include "tests/support/scratch_folder.h"
#include "tests/win/fake_desktop.h"

namespace ondrix {
namespace {

class ChooserTest : public ::testing::Test {
 protected:
  std::wstring IniPath() const { return folder_.Path() + L"\\ondrix.ini"; }

  void WriteIni(const std::string& lines) {
    const std::string content = "[Settings]\r\n" + lines;
    HANDLE file = ::CreateFileW(IniPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(file);
  }

  std::optional<std::wstring> StoredLastUsed() const {
    wchar_t buffer[256];
    ::GetPrivateProfileStringW(L"Settings", L"Context_Menu_Last_Used_Checksum_Type", L"\x01", buffer, 256,
                               IniPath().c_str());
    if (std::wstring_view(buffer) == L"\x01") return std::nullopt;
    return std::wstring(buffer);
  }

  Tfm_wybierz_algorytm& Make(const std::wstring& settings_path) {
    chooser_.emplace(desktop_, settings_path);
    EXPECT_TRUE(chooser_->Create());
    return *chooser_;
  }

  // Posts the messages, then shows the dialog, which handles them in its
  // loop; a script that leaves it open is closed after a while and fails.
  void Run(std::initializer_list<MSG> script) {
    for (const MSG& m : script) ::PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
    static bool timed_out;
    timed_out = false;
    static HWND dialog;
    dialog = chooser_->Hwnd();
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 15000, [](HWND, UINT, UINT_PTR, DWORD) {
      timed_out = true;
      ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    chooser_->ShowModal();
    ::KillTimer(nullptr, watchdog);
    EXPECT_FALSE(timed_out) << "the chooser did not close";
    EXPECT_FALSE(::IsWindowVisible(chooser_->Hwnd()));
  }

  MSG Key(WORD key) const { return MSG{chooser_->Hwnd(), WM_KEYDOWN, key, 1, 0, {}}; }
  // A left click in the middle of a button: press and release.
  static MSG Down(const win::PushButton& b) { return MSG{b.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), 0, {}}; }
  static MSG Up(const win::PushButton& b) { return MSG{b.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10), 0, {}}; }

  test::ScratchFolder folder_;
  win::testing::FakeDesktop desktop_;
  std::optional<Tfm_wybierz_algorytm> chooser_;
};

TEST_F(ChooserTest, WindowHasTheDesignSizeAndCaptions) {
  Tfm_wybierz_algorytm& c = Make(IniPath());
  wchar_t caption[64];
  ::GetWindowTextW(c.Hwnd(), caption, 64);
  EXPECT_STREQ(caption, L"Checksum to calculate...");
  const UINT dpi = c.Dpi();
  EXPECT_EQ(c.ClientWidth(), ::MulDiv(199, dpi, 96));
  EXPECT_EQ(c.ClientHeight(), ::MulDiv(243, dpi, 96));
  EXPECT_EQ(c.Button9.Caption(), L"HAVAL 256");
  EXPECT_EQ(c.Button9.Left(), ::MulDiv(103, dpi, 96));
  EXPECT_EQ(c.Button9.Top(), ::MulDiv(107, dpi, 96));
  EXPECT_EQ(c.Button13.Width(), ::MulDiv(180, dpi, 96));
  EXPECT_EQ(c.Button13.Top(), ::MulDiv(206, dpi, 96));
  // No title-bar buttons.
  EXPECT_EQ(::GetWindowLongW(c.Hwnd(), GWL_STYLE) & WS_SYSMENU, 0);
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(c.Button1.Hwnd(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, L"Tahoma");
  EXPECT_EQ(font.lfHeight, -::MulDiv(8, dpi, 72));
  EXPECT_FALSE(::IsWindowVisible(c.Hwnd()));
}

// No stored pick: MD5 is bold and focused and F2 picks it.
TEST_F(ChooserTest, FirstUseMarksMd5AndF2PicksIt) {
  Tfm_wybierz_algorytm& c = Make(IniPath());
  Run({Key(VK_F2)});
  EXPECT_EQ(c.MarkedButton(), &c.Button2);
  EXPECT_TRUE(c.IsBold(c.Button2));
  EXPECT_FALSE(c.IsBold(c.Button1));
  EXPECT_EQ(c.Button13.Caption(), L"Last used (F2)   MD5");
  EXPECT_TRUE(c.Picked());
  EXPECT_EQ(c.ChooserPick, L"MD5");
  EXPECT_EQ(StoredLastUsed(), L"MD5");
}

// A stored HAVAL pick marks the "HAVAL 256" button; Tab walks the right
// column to TIGER 192 and Enter presses it.
TEST_F(ChooserTest, StoredPickIsFocusedAndTabMovesOn) {
  WriteIni("Context_Menu_Last_Used_Checksum_Type=HAVAL 256,5\r\n");
  Tfm_wybierz_algorytm& c = Make(IniPath());
  Run({Key(VK_TAB), Key(VK_RETURN)});
  EXPECT_EQ(c.MarkedButton(), &c.Button9);
  EXPECT_TRUE(c.IsBold(c.Button9));
  EXPECT_EQ(c.Button13.Caption(), L"Last used (F2)   HAVAL 256,5");
  EXPECT_EQ(c.ChooserPick, L"TIGER 192");
  EXPECT_EQ(StoredLastUsed(), L"TIGER 192");

  // The next time the button of the new pick is marked; a click on HAVAL
  // stores the display name, not the caption.
  Run({Down(c.Button9), Up(c.Button9)});
  EXPECT_EQ(c.MarkedButton(), &c.Button10);
  EXPECT_FALSE(c.IsBold(c.Button9));
  EXPECT_EQ(c.ChooserPick, L"HAVAL 256,5");
  EXPECT_EQ(StoredLastUsed(), L"HAVAL 256,5");
}

// "No calculate" is stored as an empty value; it marks that button next
// time, and F2 again picks no type.
TEST_F(ChooserTest, NoCalculateIsStoredEmpty) {
  Tfm_wybierz_algorytm& c = Make(IniPath());
  Run({Down(c.Button12), Up(c.Button12)});
  EXPECT_TRUE(c.Picked());
  EXPECT_EQ(c.ChooserPick, L"");
  EXPECT_EQ(StoredLastUsed(), L"");

  Run({Key(VK_F2)});
  EXPECT_EQ(c.MarkedButton(), &c.Button12);
  EXPECT_EQ(c.Button13.Caption(), L"Last used (F2)   ");
  EXPECT_TRUE(c.Picked());
  EXPECT_EQ(c.ChooserPick, L"");
  EXPECT_EQ(StoredLastUsed(), L"");
}

// "nocalculate" stands for "No calculate" too: F2 then picks no type.
TEST_F(ChooserTest, StoredNocalculatePicksNoType) {
  WriteIni("Context_Menu_Last_Used_Checksum_Type=nocalculate\r\n");
  Tfm_wybierz_algorytm& c = Make(IniPath());
  Run({Key(VK_F2)});
  EXPECT_EQ(c.MarkedButton(), &c.Button12);
  EXPECT_TRUE(c.Picked());
  EXPECT_EQ(c.ChooserPick, L"");
}

TEST_F(ChooserTest, EscapeEndsTheProgramWithoutAPick) {
  WriteIni("Context_Menu_Last_Used_Checksum_Type=SHA1\r\n");
  Tfm_wybierz_algorytm& c = Make(IniPath());
  Run({Key(VK_ESCAPE)});
  EXPECT_EQ(desktop_.exit_code, std::optional<UINT>(0));
  EXPECT_TRUE(c.EndedProgram());
  EXPECT_FALSE(c.Picked());
  EXPECT_EQ(c.ChooserPick, L"");
  EXPECT_EQ(StoredLastUsed(), L"SHA1");
}

// Alt+F4 closes it without a pick; nothing is stored or ended.
TEST_F(ChooserTest, SystemCloseMakesNoPick) {
  Tfm_wybierz_algorytm& c = Make(IniPath());
  Run({MSG{c.Hwnd(), WM_SYSKEYDOWN, VK_F4, static_cast<LPARAM>(1u << 29), 0, {}}});
  EXPECT_FALSE(c.Picked());
  EXPECT_FALSE(c.EndedProgram());
  EXPECT_FALSE(desktop_.exit_code.has_value());
  EXPECT_EQ(::GetFileAttributesW(IniPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

// The settings file can be neither opened nor created: the pick holds for
// this run and nothing is stored or shown.
TEST_F(ChooserTest, UnwritableSettingsKeepThePickForThisRun) {
  const std::wstring ini = folder_.Path() + L"\\missing\\ondrix.ini";
  Tfm_wybierz_algorytm& c = Make(ini);
  Run({Down(c.Button4), Up(c.Button4)});
  EXPECT_TRUE(c.Picked());
  EXPECT_EQ(c.ChooserPick, L"SHA-256");
  EXPECT_EQ(::GetFileAttributesW(ini.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(desktop_.messages.empty());
}

}  // namespace
}  // namespace ondrix
