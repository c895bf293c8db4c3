// The update check in the window: the delay after start, "Check now !" and
// each of its boxes, the date it records, the notice panel, and a window
// that keeps answering while the document is fetched.
#include "tests/support/local_http_server.h"

#include "tests/ui/ui_fixture.h"

#include <string>

#include "text/product_text.h"
#include "update/notice_texts.h"
#include "win/http_get.h"

namespace ondrix::ui::testing {
namespace {

using ondrix::testing::LocalHttpServer;
using win::MessageButtons;
using win::MessageIcon;

constexpr wchar_t kToday[] = L"2026-03-15";  // the fixture's clock

win::HttpResult Document(std::string body, int status = 200) {
  win::HttpResult result;
  result.ok = true;
  result.status = status;
  result.body = std::move(body);
  return result;
}

class UpdateCheckTest : public UiTest {
 protected:
  // "Check now !" as the menu runs it.
  void CheckNow() { ASSERT_TRUE(form->ClickMenuItem("Checkfornewerversionnow1")); }
};

TEST_F(UpdateCheckTest, Timer2StartsTheScheduledCheckOnItsFifthTick) {
  WriteIni("LastUpdateCheck=2026-03-01\r\nParam1=10\r\n");
  TForm1& f = Start();
  ASSERT_TRUE(f.Timer2.Enabled());
  for (int i = 0; i < 4; ++i) f.Timer2.Tick();
  EXPECT_TRUE(f.Timer2.Enabled());
  EXPECT_FALSE(f.timer_aktualizacja2.Enabled());
  f.UpdateCheckManual = 1;
  f.Timer2.Tick();
  EXPECT_FALSE(f.Timer2.Enabled());
  EXPECT_TRUE(f.timer_aktualizacja2.Enabled());
  EXPECT_EQ(f.UpdateCheckManual, 0);

  desktop.http_results.push_back(Document("LatestVersion=1.6.15\r\n"));
  f.timer_aktualizacja2.Tick();
  EXPECT_FALSE(f.timer_aktualizacja2.Enabled());
  ASSERT_EQ(desktop.http_urls.size(), 1u);
  EXPECT_EQ(desktop.http_urls[0], kVersionDocumentUrl);
  EXPECT_TRUE(desktop.messages.empty());  // the scheduled check says nothing of no news
  EXPECT_EQ(Stored(L"LastUpdateCheck"), kToday);
}

TEST_F(UpdateCheckTest, TheScheduledCheckWaitsForTheTenthShowing) {
  WriteIni("LastUpdateCheck=2026-03-01\r\nParam1=9\r\n");
  TForm1& f = Start();
  f.timer_aktualizacja2.Tick();
  EXPECT_TRUE(desktop.http_urls.empty());
  EXPECT_EQ(Stored(L"LastUpdateCheck"), L"2026-03-01");  // tried again at the next start
  // "Check now !" does not wait.
  desktop.http_results.push_back(Document("LatestVersion=1.6.15\r\n"));
  CheckNow();
  EXPECT_EQ(desktop.http_urls.size(), 1u);
  EXPECT_EQ(Stored(L"LastUpdateCheck"), kToday);
}

TEST_F(UpdateCheckTest, TheScheduledCheckIsSilentAboutFailures) {
  WriteIni("LastUpdateCheck=2026-03-01\r\nParam1=10\r\n");
  TForm1& f = Start();
  desktop.http_results.push_back(Document("LatestVersion=9", 404));
  f.timer_aktualizacja2.Tick();
  EXPECT_EQ(f.UpdateCheckFailed, 1);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(Stored(L"LastUpdateCheck"), kToday);
}

TEST_F(UpdateCheckTest, CheckNowShowsOneBoxPerOutcomeAndRecordsTheDate) {
  const std::wstring question = DownloadQuestionText(L"Faster SHA-512");
  struct Case {
    const char* name;
    std::vector<win::HttpResult> answers;
    std::wstring text;
    MessageIcon icon;
    MessageButtons buttons;
  };
  const Case cases[] = {
      {"newer version", {Document("LatestVersion=1.7\r\nNewVersionInfo=Faster SHA-512\r\n")}, question,
       MessageIcon::Information, MessageButtons::YesNo},
      {"older version counts too", {Document("LatestVersion=1.6.14\r\nNewVersionInfo=Faster SHA-512\r\n")},
       question, MessageIcon::Information, MessageButtons::YesNo},
      {"same version", {Document("LatestVersion=1.6.15.0\r\n")}, std::wstring(kNoNewerVersionText),
       MessageIcon::Information, MessageButtons::Ok},
      {"no connection", {win::HttpResult{}}, std::wstring(kUpdateErrorText), MessageIcon::Warning,
       MessageButtons::Ok},
      {"not found", {Document("LatestVersion=1.7\r\n", 404)}, std::wstring(kUpdateErrorText),
       MessageIcon::Warning, MessageButtons::Ok},
      {"second document lost",
       {Document("LatestVersion=1.7\r\nNewVersionInfo=\r\nNewVersionInfoURL=http://h/n.txt\r\n"),
        Document("", 404)},
       std::wstring(kUpdateErrorText), MessageIcon::Warning, MessageButtons::Ok},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteIni("LastUpdateCheck=2026-03-14\r\nParam1=1\r\n");
    TForm1& f = Start();
    desktop.messages.clear();
    desktop.http_urls.clear();
    for (const win::HttpResult& answer : c.answers) desktop.http_results.push_back(answer);
    desktop.message_results.push_back(IDNO);
    CheckNow();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, c.text);
    EXPECT_EQ(desktop.messages[0].icon, c.icon);
    EXPECT_EQ(desktop.messages[0].buttons, c.buttons);
    EXPECT_EQ(desktop.messages[0].owner, f.Hwnd());
    EXPECT_EQ(desktop.http_urls.size(), c.answers.size());
    EXPECT_TRUE(desktop.starts.empty());
    EXPECT_FALSE(desktop.exit_code.has_value());
    EXPECT_EQ(Stored(L"LastUpdateCheck"), kToday);
    EXPECT_EQ(Stored(L"UpdateCount"), std::nullopt);
    // The window is back as it was.
    EXPECT_EQ(f.WindowTitle(), kFormTitle);
    EXPECT_FALSE(f.Panel_aktualizacja.Visible());
    EXPECT_TRUE(f.Panel2.Visible());
    EXPECT_TRUE(f.Panel4.Visible());
    desktop.message_results.clear();
    desktop.http_results.clear();
  }
}

TEST_F(UpdateCheckTest, YesOpensTheDownloadPageRecordsTheDateThenEnds) {
  WriteIni("LastUpdateCheck=2026-03-14\r\n");
  Start();
  desktop.http_results.push_back(Document("LatestVersion=1.7\r\nNewVersionInfo=New\r\n"));
  desktop.message_results.push_back(IDYES);
  std::optional<std::wstring> date_at_end;
  std::size_t starts_at_end = 0;
  desktop.on_end_process = [&] {
    date_at_end = Stored(L"LastUpdateCheck");
    starts_at_end = desktop.starts.size();
  };
  CheckNow();
  ASSERT_TRUE(desktop.exit_code.has_value());
  EXPECT_EQ(date_at_end, kToday);
  ASSERT_EQ(starts_at_end, 1u);
  EXPECT_EQ(desktop.starts[0].verb, L"open");
  EXPECT_EQ(desktop.starts[0].file, kDownloadPageUrl);
}

TEST_F(UpdateCheckTest, WithoutASettingsFileOnlyTheDateIsRecorded) {
  TForm1& f = Start();
  ::DeleteFileW(IniPath().c_str());
  CheckNow();
  EXPECT_TRUE(desktop.http_urls.empty());
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(Stored(L"LastUpdateCheck"), kToday);
  EXPECT_EQ(Stored(L"UpdateCount"), L"1");
  EXPECT_EQ(Stored(L"CheckForUpdate"), L"1");
  (void)f;
}

TEST_F(UpdateCheckTest, AnUnwritableSettingsFileStopsTheCheck) {
  WriteIni("LastUpdateCheck=2026-03-01\r\n");
  Start();
  // Another program holds the file open for writing.
  HANDLE held = ::CreateFileW(IniPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  CheckNow();
  ::CloseHandle(held);
  EXPECT_TRUE(desktop.http_urls.empty());
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(Stored(L"LastUpdateCheck"), L"2026-03-01");
}

TEST_F(UpdateCheckTest, TheWindowKeepsAnsweringWithInputBlockedWhileItFetches) {
  WriteIni("LastUpdateCheck=2026-03-14\r\n");
  TForm1& f = Start();
  bool answered = false, enabled = true, panel_shown = false, panels_hidden = false;
  std::wstring title;
  desktop.http_handler = [&](std::wstring_view) {
    // Asked from the helper thread: the window's thread must answer.
    DWORD_PTR result = 0;
    answered = ::SendMessageTimeoutW(f.Hwnd(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result) != 0;
    enabled = ::IsWindowEnabled(f.Hwnd()) != FALSE;
    wchar_t text[128] = {};
    ::SendMessageTimeoutW(f.Hwnd(), WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 3000,
                          &result);
    title = text;
    panel_shown = ::IsWindowVisible(f.Panel_aktualizacja.Hwnd()) != FALSE || f.Panel_aktualizacja.Visible();
    panels_hidden = !f.Panel2.Visible() && !f.Panel4.Visible();
    return Document("LatestVersion=1.6.15\r\n");
  };
  CheckNow();
  EXPECT_TRUE(answered);
  EXPECT_FALSE(enabled);
  EXPECT_EQ(title, kCheckingForUpdatesTitle);
  EXPECT_TRUE(panel_shown);
  EXPECT_TRUE(panels_hidden);
  EXPECT_TRUE(::IsWindowEnabled(f.Hwnd()));
  EXPECT_EQ(desktop.messages.size(), 1u);  // "No newer version available"
}

// Started with a last check over a week old, the program asks the vendor's
// host for its document, here answered by a local server, and records today.
TEST_F(UpdateCheckTest, AWeekAfterTheLastCheckTheVendorDocumentIsFetched) {
  LocalHttpServer server([](const std::string& head) -> std::optional<std::string> {
    if (!head.starts_with("GET /ondrix-versioninfo.txt ")) return LocalHttpServer::Response("404 No", "");
    return LocalHttpServer::Response("200 OK", "LatestVersion=1.6.15\r\n");
  });
  const std::wstring vendor = L"http://" + std::wstring(kVendorHost);
  desktop.http_handler = [&](std::wstring_view url) {
    std::wstring local(url);
    if (local.starts_with(vendor)) local = L"http://127.0.0.1:" + std::to_wstring(server.Port()) + local.substr(vendor.size());
    return win::HttpGetDocument(local);
  };
  WriteIni("LastUpdateCheck=2026-03-07\r\nParam1=30\r\n");
  TForm1& f = Start();
  ASSERT_TRUE(f.Timer2.Enabled());
  for (int i = 0; i < 5; ++i) f.Timer2.Tick();
  f.timer_aktualizacja2.Tick();
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_TRUE(server.Requests()[0].starts_with("GET /ondrix-versioninfo.txt HTTP/1.1"));
  EXPECT_EQ(f.UpdateCheckFailed, 0);
  EXPECT_EQ(Stored(L"LastUpdateCheck"), kToday);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(UpdateCheckTest, TheWeeklyEntryOnlyWritesItsKey) {
  WriteIni("LastUpdateCheck=2026-03-01\r\n");
  TForm1& f = Start();
  ASSERT_TRUE(f.Timer2.Enabled());
  ASSERT_TRUE(f.ClickMenuItem("Checkforupdate1"));
  EXPECT_EQ(Stored(L"CheckForUpdate"), L"0");
  EXPECT_TRUE(f.Timer2.Enabled());  // this run's scheduled check stays
  EXPECT_TRUE(desktop.http_urls.empty());
}

}  // namespace
}  // namespace ondrix::ui::testing
