// The notices at every show of the window: the age warning from sixty days
// on, the donation reminder at every fiftieth showing, and both again when
// the window comes back from the notification area.
#include "tests/ui/ui_fixture.h"

#include <string>

#include "text/product_text.h"
#include "update/notice_texts.h"

namespace ondrix::ui::testing {
namespace {

using win::MessageButtons;
using win::MessageIcon;

class NoticesTest : public UiTest {
 protected:
  // The window as the tray's "Show" brings it back.
  void ShowAgain() {
    ::ShowWindow(form->Hwnd(), SW_HIDE);
    ASSERT_TRUE(form->ClickMenuItem("Show1"));
  }
  void At(WORD year, WORD month, WORD day, WORD hour = 12, WORD minute = 0) {
    desktop.local_time = SYSTEMTIME{year, month, 0, day, hour, minute, 0, 0};
  }
};

TEST_F(NoticesTest, TheAgeWarningComesFromSixtyDaysEitherWay) {
  struct Case {
    SYSTEMTIME now;
    bool warned;
  };
  const Case cases[] = {
      {{2011, 3, 0, 28, 0, 0, 0, 0}, false},
      {{2011, 3, 0, 28, 23, 59, 59, 0}, false},  // 59 days and some hours
      {{2011, 3, 0, 29, 0, 0, 0, 0}, true},
      {{2012, 1, 0, 1, 8, 0, 0, 0}, true},
      {{2010, 11, 0, 29, 0, 0, 0, 0}, true},     // a clock 60 days before the build
      {{2010, 11, 0, 29, 0, 0, 1, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.now.wYear << '-' << c.now.wMonth << '-' << c.now.wDay << ' '
                                    << c.now.wHour);
    WriteIni("Param1=5\r\n");
    TForm1& f = Start();
    f.BuildDate = Date{2011, 1, 28};
    desktop.local_time = c.now;
    desktop.messages.clear();
    f.AgeCheck();
    if (c.warned) {
      ASSERT_EQ(desktop.messages.size(), 2u);
      const auto& warning = desktop.messages[0];
      EXPECT_EQ(warning.text, kAgeWarningText);
      EXPECT_EQ(warning.caption, L"Ondrix Updater");
      EXPECT_EQ(warning.icon, MessageIcon::Warning);
      EXPECT_EQ(warning.buttons, MessageButtons::YesNo);
      EXPECT_EQ(warning.owner, f.Hwnd());
      EXPECT_EQ(warning.extra_flags, static_cast<UINT>(MB_TOPMOST | MB_SETFOREGROUND));
      EXPECT_EQ(desktop.messages[1].text, kAgeWarningDeclinedText);
      EXPECT_EQ(desktop.messages[1].icon, MessageIcon::Information);
      EXPECT_EQ(Stored(L"Param1"), L"5");  // no reminder in this showing
    } else {
      EXPECT_TRUE(desktop.messages.empty());
      EXPECT_EQ(Stored(L"Param1"), L"6");
    }
    EXPECT_FALSE(desktop.exit_code.has_value());
  }
}

TEST_F(NoticesTest, YesToTheAgeWarningOpensTheHomePageAndEnds) {
  TForm1& f = Start();
  f.BuildDate = Date{2011, 1, 28};
  desktop.message_results.push_back(IDYES);
  f.AgeCheck();
  ASSERT_EQ(desktop.starts.size(), 1u);
  EXPECT_EQ(desktop.starts[0].verb, L"open");
  EXPECT_EQ(desktop.starts[0].file, kHomePageUrl);
  EXPECT_TRUE(desktop.exit_code.has_value());
  EXPECT_EQ(desktop.messages.size(), 1u);
}

TEST_F(NoticesTest, TheAgeWarningOptionOffLeavesOnlyTheReminder) {
  WriteIni("EnableOldVersionWarning=0\r\nParam1=49\r\n");
  TForm1& f = Start();
  f.BuildDate = Date{2011, 1, 28};
  f.AgeCheck();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, kDonationTitle);
}

TEST_F(NoticesTest, AFreshBuildShowsNoAgeWarning) {
  // The release's own date, as built, against the real clock of today.
  TForm1& f = Start();
  f.BuildDate = ReleaseBuildDate();
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  desktop.local_time = now;
  f.AgeCheck();
  for (const auto& m : desktop.messages) EXPECT_NE(m.caption, L"Ondrix Updater");
}

TEST_F(NoticesTest, TheReminderComesAtTheFiftiethShowingWithItsNote) {
  for (const auto& [yes_count, note] :
       {std::pair{0, L"Note: This message will show up again only 2 time(s)"},
        std::pair{1, L"Note: This message will show up again only 1 time(s)"},
        std::pair{2, L"Note: This question will show up again"}}) {
    SCOPED_TRACE(yes_count);
    WriteIni("Param1=49\r\nParam2=" + std::to_string(yes_count) + "\r\n");
    TForm1& f = Start();
    desktop.messages.clear();
    f.AgeCheck();
    EXPECT_EQ(Stored(L"Param1"), L"50");
    ASSERT_EQ(desktop.messages.size(), 1u);
    const auto& box = desktop.messages[0];
    EXPECT_EQ(box.text, DonationReminderText(kPaymentServiceName, yes_count));
    EXPECT_TRUE(box.text.ends_with(note));
    EXPECT_EQ(box.caption, L"Message from Ondrix");
    EXPECT_EQ(box.icon, MessageIcon::Question);
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);
    EXPECT_EQ(box.owner, nullptr);  // not owned by the main window
    EXPECT_EQ(box.extra_flags, static_cast<UINT>(MB_SYSTEMMODAL | MB_SETFOREGROUND));
    // The next showing counts on, silently.
    f.AgeCheck();
    EXPECT_EQ(Stored(L"Param1"), L"51");
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_FALSE(desktop.exit_code.has_value());
  }
}

TEST_F(NoticesTest, YesToTheReminderOpensTheSupportPageCountsAndEnds) {
  WriteIni("Param1=99\r\nParam2=1\r\n");
  TForm1& f = Start();
  desktop.message_results.push_back(IDYES);
  f.AgeCheck();
  ASSERT_EQ(desktop.starts.size(), 1u);
  EXPECT_EQ(desktop.starts[0].verb, L"open");
  EXPECT_EQ(desktop.starts[0].file, kSupportPageUrl);
  EXPECT_EQ(Stored(L"Param2"), L"2");
  EXPECT_EQ(Stored(L"Param1"), L"100");
  EXPECT_TRUE(desktop.exit_code.has_value());
}

TEST_F(NoticesTest, ThreeYesesOrAnUnwritableFileSilenceTheReminder) {
  WriteIni("Param1=49\r\nParam2=3\r\n");
  TForm1& f = Start();
  f.AgeCheck();
  EXPECT_EQ(Stored(L"Param1"), L"49");
  EXPECT_TRUE(desktop.messages.empty());

  WriteIni("Param1=49\r\n");
  HANDLE held = ::CreateFileW(IniPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  f.AgeCheck();
  ::CloseHandle(held);
  EXPECT_EQ(Stored(L"Param1"), L"49");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(NoticesTest, ShowingTheWindowFromTheTrayRunsTheNoticesAgain) {
  WriteIni("Param1=48\r\n");
  TForm1& f = Start();
  ::ShowWindow(f.Hwnd(), SW_SHOWNA);  // the first show: 49
  EXPECT_EQ(Stored(L"Param1"), L"49");
  ShowAgain();  // 50: the reminder
  EXPECT_EQ(Stored(L"Param1"), L"50");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, kDonationTitle);

  // An old build warns at every show instead.
  f.BuildDate = Date{2011, 1, 28};
  ShowAgain();
  ShowAgain();
  int warnings = 0;
  for (const auto& m : desktop.messages) warnings += m.caption == L"Ondrix Updater";
  EXPECT_EQ(warnings, 2);
  EXPECT_EQ(Stored(L"Param1"), L"50");
}

}  // namespace
}  // namespace ondrix::ui::testing
