#include <gtest/gtest.h>

#include "tests/win/fake_desktop.h"

namespace ondrix::win {
namespace {

// The double is what later window tests stand on: answers in script order,
// "cancelled" once a queue runs dry, every call recorded.
TEST(FakeDesktopTest, AnswersInScriptOrderThenCancels) {
  testing::FakeDesktop desktop;
  IDesktop& d = desktop;
  desktop.message_results = {IDYES, IDNO};
  desktop.save_paths = {L"C:\\t\\a.md5"};
  EXPECT_EQ(d.ShowMessage(nullptr, L"q1", L"c", MessageIcon::Question, MessageButtons::YesNo), IDYES);
  EXPECT_EQ(d.ShowMessage(nullptr, L"q2", L"c", MessageIcon::Question, MessageButtons::YesNo), IDNO);
  EXPECT_EQ(d.ShowMessage(nullptr, L"q3", L"c", MessageIcon::Question, MessageButtons::YesNo), IDCANCEL);
  EXPECT_EQ(d.ShowMessage(nullptr, L"info", L"c", MessageIcon::Information, MessageButtons::Ok), IDOK);
  ASSERT_EQ(desktop.messages.size(), 4u);
  EXPECT_EQ(desktop.messages[1].text, L"q2");

  EXPECT_EQ(d.SaveFileDialog(nullptr, {.filter = L"MD5|*.md5"}), std::optional<std::wstring>(L"C:\\t\\a.md5"));
  EXPECT_EQ(d.SaveFileDialog(nullptr, {}), std::nullopt);
  EXPECT_EQ(desktop.file_dialogs.front().options.filter, L"MD5|*.md5");

  d.Start({.verb = L"open", .file = L"notepad.exe", .parameters = L"x.txt"});
  d.EndProcess(3);
  ASSERT_EQ(desktop.starts.size(), 1u);
  EXPECT_EQ(desktop.starts[0].file, L"notepad.exe");
  EXPECT_EQ(desktop.exit_code, 3u);
  EXPECT_FALSE(d.HttpGet(L"http://127.0.0.1/x").ok);
}

}  // namespace
}  // namespace ondrix::win
