// What the window makes of the settings file at start.
#include <functional>
#include <string>

#include "settings/settings_values.h"
#include "tests/ui/ui_fixture.h"

namespace ondrix::ui::testing {
namespace {

TEST_F(UiTest, FreshStartWithoutSettingsFile) {
  TForm1& f = Start();
  ASSERT_EQ(f.Dpi(), 96u) << "the test prefix must run at 96 DPI";

  EXPECT_TRUE(Ticked("Showcaptionbar1"));
  EXPECT_TRUE(f.HasCaptionBar());
  EXPECT_TRUE(Ticked("Enablestayontop1"));
  EXPECT_TRUE(ExStyle() & WS_EX_TOPMOST);
  EXPECT_TRUE(Ticked("Snaptoedge1"));
  EXPECT_TRUE(Ticked("Autocalculatewhenchecksumtypechanged1"));
  EXPECT_TRUE(Ticked("Autocalculatewhenfiledropped1"));
  EXPECT_TRUE(Ticked("NORMALPRIORITYCLASS1"));
  for (const PriorityItem& p : PriorityItems()) {
    if (p.value != 32) {
      EXPECT_FALSE(Ticked(p.item)) << p.item;
    }
  }
  EXPECT_EQ(::GetPriorityClass(::GetCurrentProcess()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  EXPECT_TRUE(Ticked("Disable1"));
  EXPECT_FALSE(ExStyle() & WS_EX_LAYERED);
  EXPECT_FALSE(f.AlphaBlend);
  EXPECT_EQ(f.WindowTitle(), L"Ondrix 1.6.15");

  // Normal layout, NormalMinWidth wide, centred by the defaults of Left/Top.
  EXPECT_EQ(f.MiniMode, 0);
  EXPECT_TRUE(f.Panel1.Visible());
  EXPECT_FALSE(f.Panel_mini.Visible());
  EXPECT_TRUE(f.btn_up.Visible());
  EXPECT_FALSE(f.btn_down.Visible());
  const RECT rc = f.FormRect();
  const RECT wa = f.WorkArea();
  EXPECT_EQ(rc.right - rc.left, 415);
  EXPECT_EQ(rc.left, (wa.right - wa.left - 415) / 2);

  EXPECT_EQ(f.ComboBox1.ItemText(f.ComboBox1.ItemIndex()), L"MD5");
  EXPECT_TRUE(f.Selector(TypeInfo(ChecksumType::MD5).selector)->Checked());
  EXPECT_TRUE(Ticked("MD51"));
  EXPECT_EQ(f.label9.Caption(), L"(no file selected)");
  EXPECT_EQ(f.StatusText(), L"Status: IDLE");
  EXPECT_EQ(f.CalcIdle, 1);
  EXPECT_EQ(f.CalcRunning, 0);
  // Loading creates no settings file and shows nothing.
  EXPECT_EQ(::GetFileAttributesW(IniPath().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(desktop.messages.empty());
}

struct LoadCase {
  const char* name;
  const char* ini;
  std::function<void(UiTest&, TForm1&)> check;
};

class LoadCases : public UiTest {
 public:
  using UiTest::form;
  bool IsTicked(std::string_view item) const { return Ticked(item); }
  LONG Ex() const { return ExStyle(); }
};

TEST_F(LoadCases, StoredValuesAndWhatLoadingMakesOfThem) {
  const LoadCase cases[] = {
      {"Boolean that is no integer takes the default", "UseBoldFont=true\r\nSnapToEdge=yes\r\n",
       [](UiTest& t, TForm1& f) {
         auto& c = static_cast<LoadCases&>(t);
         EXPECT_FALSE(c.IsTicked("Useboldfont1"));
         EXPECT_FALSE(f.Edit1.Bold());
         EXPECT_TRUE(c.IsTicked("Snaptoedge1"));
       }},
      {"hex and non-zero integers", "StayOnTop=0x0\r\nSavePosition=$1\r\nEscapeClosesApplication=2\r\n",
       [](UiTest& t, TForm1&) {
         auto& c = static_cast<LoadCases&>(t);
         EXPECT_FALSE(c.IsTicked("Enablestayontop1"));
         EXPECT_FALSE(c.Ex() & WS_EX_TOPMOST);
         EXPECT_TRUE(c.IsTicked("Savewindowsposition1"));
         EXPECT_TRUE(c.IsTicked("EnableESCkeytocloseapplication1"));
       }},
      {"colour names in any case and $ values",
       "Color_for_background=clRed\r\nColor_for_edit_controls=$00C08040\r\nColor_for_fonts_in_edit_controls=CLWINDOWTEXT\r\n",
       [](UiTest&, TForm1& f) {
         EXPECT_EQ(f.BackgroundColor, 0x000000FFu);
         EXPECT_EQ(f.ColorDialog_background, 0x000000FFu);
         EXPECT_EQ(f.EditColor, 0x00C08040u);
         EXPECT_EQ(f.Edit1.Color(), RGB(0x40, 0x80, 0xC0));
         EXPECT_EQ(f.EditFontColor, kClWindowText);
       }},
      {"colour text that is no colour takes the default", "Color_for_background=nonsense\r\n",
       [](UiTest&, TForm1& f) { EXPECT_EQ(f.BackgroundColor, kClBtnFace); }},
      {"Miniform 2 applies no layout", "Miniform=2\r\n",
       [](UiTest&, TForm1& f) {
         EXPECT_EQ(f.MiniMode, 0);
         EXPECT_EQ(f.Constraints.MinWidth, 0);  // set by either layout
         EXPECT_FALSE(f.Panel_mini.Visible());
       }},
      {"Miniform 1 starts as the mini bar", "Miniform=1\r\n",
       [](UiTest&, TForm1& f) {
         EXPECT_EQ(f.MiniMode, 1);
         EXPECT_TRUE(f.Panel_mini.Visible());
         EXPECT_FALSE(f.Panel1.Visible());
         EXPECT_FALSE(f.StatusBar1.Visible());
         EXPECT_TRUE(f.btn_down.Visible());
       }},
      {"Caption_bar_visible 2 gives no caption bar", "Caption_bar_visible=2\r\n",
       [](UiTest& t, TForm1& f) {
         EXPECT_FALSE(static_cast<LoadCases&>(t).IsTicked("Showcaptionbar1"));
         EXPECT_FALSE(f.HasCaptionBar());
         EXPECT_FALSE(::GetWindowLongW(f.Hwnd(), GWL_STYLE) & WS_THICKFRAME);
       }},
      {"Transparency_value 128 blends at 128 with no level ticked",
       "Transparency_value=128\r\nTransparency_Only_For_Miniform=0\r\n",
       [](UiTest& t, TForm1& f) {
         auto& c = static_cast<LoadCases&>(t);
         EXPECT_TRUE(c.Ex() & WS_EX_LAYERED);
         BYTE alpha = 0;
         DWORD flags = 0;
         ASSERT_TRUE(::GetLayeredWindowAttributes(f.Hwnd(), nullptr, &alpha, &flags));
         EXPECT_EQ(alpha, 128);
         for (const TransparencyLevel& l : TransparencyLevels()) EXPECT_FALSE(c.IsTicked(l.item)) << l.item;
       }},
      {"a stored alpha of 0 is drawn opaque", "Transparency_value=256\r\nTransparency_Only_For_Miniform=0\r\n",
       [](UiTest& t, TForm1& f) {
         EXPECT_FALSE(static_cast<LoadCases&>(t).Ex() & WS_EX_LAYERED);
         EXPECT_FALSE(f.AlphaBlend);
       }},
      {"a stored alpha of 0 is drawn opaque in the mini bar too", "Transparency_value=512\r\nMiniform=1\r\n",
       [](UiTest& t, TForm1& f) {
         EXPECT_TRUE(static_cast<LoadCases&>(t).IsTicked("Applytominiformonly1"));
         EXPECT_FALSE(static_cast<LoadCases&>(t).Ex() & WS_EX_LAYERED);
         EXPECT_FALSE(f.AlphaBlend);
       }},
      {"opacity for the mini bar only stays off in the normal layout", "Transparency_value=125\r\n",
       [](UiTest& t, TForm1&) {
         auto& c = static_cast<LoadCases&>(t);
         EXPECT_TRUE(c.IsTicked("N501"));
         EXPECT_TRUE(c.IsTicked("Applytominiformonly1"));
         EXPECT_FALSE(c.Ex() & WS_EX_LAYERED);
       }},
      {"ShellDefaultAction present and empty", "ShellDefaultAction=\r\n",
       [](UiTest& t, TForm1&) {
         auto& c = static_cast<LoadCases&>(t);
         EXPECT_TRUE(c.IsTicked("Nocalculate1"));
         EXPECT_FALSE(c.IsTicked("MD51"));
       }},
      {"ShellDefaultAction matches exactly", "ShellDefaultAction=md5\r\n",
       [](UiTest& t, TForm1&) {
         auto& c = static_cast<LoadCases&>(t);
         for (const DefaultActionItem& a : DefaultActionItems()) EXPECT_FALSE(c.IsTicked(a.item)) << a.item;
       }},
      {"ShellDefaultAction HAVAL", "ShellDefaultAction=HAVAL 256,5\r\n",
       [](UiTest& t, TForm1&) { EXPECT_TRUE(static_cast<LoadCases&>(t).IsTicked("HAVAL2561")); }},
      {"DefaultChecksum only with SaveLastChecksumType",
       "DefaultChecksum=SHA-256\r\nSaveLastChecksumType=0\r\n",
       [](UiTest&, TForm1& f) { EXPECT_EQ(f.ComboBox1.ItemText(f.ComboBox1.ItemIndex()), L"MD5"); }},
      {"DefaultChecksum applied", "DefaultChecksum=SHA-256\r\nSaveLastChecksumType=1\r\n",
       [](UiTest&, TForm1& f) {
         EXPECT_EQ(f.ComboBox1.ItemText(f.ComboBox1.ItemIndex()), L"SHA-256");
         EXPECT_TRUE(f.Selector(TypeInfo(ChecksumType::SHA256).selector)->Checked());
       }},
      {"Left and Top applied without SavePosition", "Left=40\r\nTop=30\r\nSavePosition=0\r\n",
       [](UiTest&, TForm1& f) {
         const RECT rc = f.FormRect();
         EXPECT_EQ(rc.left, 40);
         EXPECT_EQ(rc.top, 30);
       }},
      {"Width below the minimum is raised by the layout", "Width=100\r\n",
       [](UiTest&, TForm1& f) {
         const RECT rc = f.FormRect();
         EXPECT_EQ(rc.right - rc.left, f.NormalMinWidth);
       }},
      {"stored priority class is applied", "ApplicationThreadLevel=16384\r\n",
       [](UiTest& t, TForm1&) {
         EXPECT_TRUE(static_cast<LoadCases&>(t).IsTicked("BELOWNORMALPRIORITYCLASS1"));
         EXPECT_EQ(::GetPriorityClass(::GetCurrentProcess()), static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
       }},
      {"update check a week ago is due", "LastUpdateCheck=2026-03-08\r\n",
       [](UiTest&, TForm1& f) { EXPECT_TRUE(f.Timer2.Enabled()); }},
      {"update check six days ago is not due", "LastUpdateCheck=2026-03-09\r\n",
       [](UiTest&, TForm1& f) { EXPECT_FALSE(f.Timer2.Enabled()); }},
      {"update check a week ahead counts too", "LastUpdateCheck=2026-03-22\r\n",
       [](UiTest&, TForm1& f) { EXPECT_TRUE(f.Timer2.Enabled()); }},
      {"update check switched off", "LastUpdateCheck=2009-01-01\r\nCheckForUpdate=0\r\n",
       [](UiTest& t, TForm1& f) {
         EXPECT_FALSE(f.Timer2.Enabled());
         EXPECT_FALSE(static_cast<LoadCases&>(t).IsTicked("Checkforupdate1"));
       }},
      {"history sub-options follow LogToFile", "LogToFile=1\r\nSaveFullPathInLogFile=1\r\n",
       [](UiTest& t, TForm1& f) {
         EXPECT_TRUE(static_cast<LoadCases&>(t).IsTicked("Storefullpath1"));
         EXPECT_TRUE(f.Storefullpath1.Enabled());
         EXPECT_TRUE(f.Windowsformataddasterixtofilepath1.Enabled());
       }},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteIni(c.ini);
    TForm1& f = Start();
    c.check(*this, f);
    form.reset();
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
  }
}

// Without a stored Left or Top the window is centred on the work area with
// the size its layout gives it: the normal layout, the mini bar, and the
// layout the first show builds when loading applied none.
TEST_F(UiTest, FirstStartIsCentredWithTheSizeOfItsLayout) {
  const char* const inis[] = {"", "Miniform=1\r\n", "Miniform=2\r\n", "Top=30\r\n", "Left=40\r\nMiniform=1\r\n"};
  for (const char* ini : inis) {
    SCOPED_TRACE(ini);
    WriteIni(ini);
    TForm1& f = Start();
    f.FormShow();
    const RECT rc = f.FormRect();
    const RECT wa = f.WorkArea();
    EXPECT_EQ(rc.bottom - rc.top, f.Constraints.MaxHeight);  // the layout's own height
    const std::string text(ini);
    EXPECT_EQ(rc.left, text.find("Left=40") != std::string::npos
                           ? 40
                           : wa.left + (wa.right - wa.left - (rc.right - rc.left)) / 2);
    EXPECT_EQ(rc.top, text.find("Top=30") != std::string::npos
                          ? 30
                          : wa.top + (wa.bottom - wa.top - (rc.bottom - rc.top)) / 2);
    form.reset();
  }
}

// Every on/off option takes its tick from its own key: each key is stored
// as the opposite of its default.
TEST_F(UiTest, EachOnOffOptionIsTickedFromItsKey) {
  struct {
    const char* key;
    const char* item;
    bool ticked;  // as stored, the opposite of the default
  } const cases[] = {
      {"Hide_to_tray_on_close", "Hidetotrayicononclose1", true},
      {"DisableFormScaling", "DisableformscalingDPI1", true},
      {"ShowFilenameOnTitleBar", "Showfilenameontitlebar1", false},
      {"SavePosition", "Savewindowsposition1", true},
      {"SaveWidth", "Autosavewindowwidth1", true},
      {"SaveStyle", "Autosavewindowsizenormalorminibar1", true},
      {"AutoPasteChecksumFromClipboard", "Autopastechecksumfromclipboard1", true},
      {"SaveLastChecksumType", "Savedefaultchecksum1", true},
      {"EscapeClosesApplication", "EnableESCkeytocloseapplication1", true},
      {"StayOnTop", "Enablestayontop1", false},
      {"ShowUppercaseChecksum", "Showuppercasechecksums1", true},
      {"AutocalculateWhenChecksumTypeChanged", "Autocalculatewhenchecksumtypechanged1", false},
      {"AutocalculateWhenFileDropped", "Autocalculatewhenfiledropped1", false},
      {"FlashWindowWhenCompleted", "Flashtaskbarwhencalculationcompleted1", true},
      {"ShellIntegration", "EnableWindowsshellintegration1", true},
      {"SnapToEdge", "Snaptoedge1", false},
      {"UseBoldFont", "Useboldfont1", true},
      {"LogToFile", "Enable1", true},
      {"SaveFullPathInLogFile", "Storefullpath1", true},
      {"AddAsterixToLogFile", "Windowsformataddasterixtofilepath1", false},
      {"AddAsterixWhenSavedToFile", "Savetofileasbinaryformataddasterixtofilename1", false},
      {"FullPathInSaveToFile", "Usefullpathwhensavingcreatingchecksumfile1", true},
      {"MakeIniFileHidden", "Makeinifilehidden1", true},
      {"MakeIniFileSystem", "Makeinifilesystem1", true},
      {"MakeHistoryFileHidden", "MakehistoryfileashiddenH1", true},
      {"MakeHistoryFileSystem", "MakehistoryfileassystemS1", true},
      {"EnableOldVersionWarning", "Enablewarningifprogramisolderthat2monthsrecommended1", false},
      {"DisplayTimeElapsedOnStatusBar", "Displaytimeelapsedandcalculatestateinbottombaroftheform1", true},
      {"CheckForUpdate", "Checkforupdate1", false},
      {"SetFocusWhenFileDroppedOnForm", "Setfocuswhelfiledroppedonthisform1", true},
  };
  std::string ini;
  for (const auto& c : cases) ini += std::string(c.key) + (c.ticked ? "=1\r\n" : "=0\r\n");
  WriteIni(ini);
  Start();
  for (const auto& c : cases) EXPECT_EQ(Ticked(c.item), c.ticked) << c.key;
}

TEST_F(UiTest, UnknownPriorityLeavesTheClassRequestedAtStart) {
  ::SetPriorityClass(::GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
  const DWORD requested = ::GetPriorityClass(::GetCurrentProcess());
  ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
  WriteIni("ApplicationThreadLevel=99\r\n");
  Start();
  for (const PriorityItem& p : PriorityItems()) EXPECT_FALSE(Ticked(p.item)) << p.item;
  EXPECT_EQ(::GetPriorityClass(::GetCurrentProcess()), requested);
}

TEST_F(UiTest, ReadOnlySettingsFileLosesThatAttributeAtStart) {
  WriteIni("MakeIniFileHidden=1\r\n");
  ::SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
  Start();
  EXPECT_EQ(DosAttributes(IniPath()), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));

  form.reset();
  WriteIni("");
  ::SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  Start();
  EXPECT_EQ(DosAttributes(IniPath()), 0u);
}

}  // namespace
}  // namespace ondrix::ui::testing
