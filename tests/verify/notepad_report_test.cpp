// The report shown in Notepad: the temporary file exists until Notepad has
// opened it, and is gone afterwards or at the program's exit.
#include "verify/notepad_report.h"

#include <gtest/gtest.h>

#include "tests/support/scratch_folder.h"

namespace ondrix {
namespace {

struct FakeStart {
  std::wstring program, parameters, path;
  std::string bytes_at_start;
  bool existed_when_idle_asked = false;
  DWORD timeout_asked = 0;
};

std::wstring Unquoted(const std::wstring& parameters) {
  if (parameters.size() >= 2 && parameters.front() == L'"' && parameters.back() == L'"')
    return parameters.substr(1, parameters.size() - 2);
  return {};
}

const std::vector<std::wstring> kReport = {L"Filename: a b.exe", L"", L"MD5: d41d8cd9"};
constexpr std::string_view kReportBytes = "Filename: a b.exe\r\n\r\nMD5: d41d8cd9\r\n";

TEST(NotepadReport, FileIsDeletedOnlyAfterNotepadIsReady) {
  FakeStart seen;
  const auto result = ShowReportInNotepad(kReport, [&](const std::wstring& program,
                                                       const std::wstring& parameters) {
    seen.program = program;
    seen.parameters = parameters;
    seen.path = Unquoted(parameters);
    seen.bytes_at_start = test::ReadBytes(seen.path);
    ProgramLaunch launch;
    launch.started = true;
    launch.wait_until_idle = [&](DWORD timeout_ms) {
      seen.timeout_asked = timeout_ms;
      seen.existed_when_idle_asked = test::FileExists(seen.path);
      return true;
    };
    return launch;
  });
  EXPECT_EQ(result, NotepadReportResult::Deleted);
  EXPECT_EQ(seen.program, L"notepad.exe");
  ASSERT_FALSE(seen.path.empty()) << "the path is handed over quoted";
  EXPECT_EQ(seen.path.rfind(test::TempRoot(), 0), 0u);
  EXPECT_EQ(seen.path.substr(test::TempRoot().size(), 1), L"~");
  EXPECT_EQ(seen.bytes_at_start, kReportBytes);
  EXPECT_TRUE(seen.existed_when_idle_asked) << "still there while Notepad starts";
  EXPECT_EQ(seen.timeout_asked, kNotepadReadyTimeoutMs);
  EXPECT_FALSE(test::FileExists(seen.path));
}

TEST(NotepadReport, WithoutReadinessTheFileWaitsForTheExit) {
  struct Case {
    const char* what;
    bool has_handle;
  } const cases[] = {{"Notepad not ready in time", true}, {"no process handle", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::wstring path;
    const auto result = ShowReportInNotepad(kReport, [&](const std::wstring&,
                                                         const std::wstring& parameters) {
      path = Unquoted(parameters);
      ProgramLaunch launch;
      launch.started = true;
      if (c.has_handle) launch.wait_until_idle = [](DWORD) { return false; };
      return launch;
    });
    EXPECT_EQ(result, NotepadReportResult::DeletedAtExit);
    EXPECT_EQ(test::ReadBytes(path), kReportBytes) << "Notepad may still be reading it";
    DeleteTempFilesAtExit();
    EXPECT_FALSE(test::FileExists(path));
  }
}

TEST(NotepadReport, FailedStartDeletesTheFileAtOnce) {
  std::wstring path;
  const auto result = ShowReportInNotepad(kReport, [&](const std::wstring&,
                                                       const std::wstring& parameters) {
    path = Unquoted(parameters);
    return ProgramLaunch{};
  });
  EXPECT_EQ(result, NotepadReportResult::NotStarted);
  ASSERT_FALSE(path.empty());
  EXPECT_FALSE(test::FileExists(path));
}

}  // namespace
}  // namespace ondrix
