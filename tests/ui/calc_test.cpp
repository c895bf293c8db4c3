// The road of one file through the real window: a drop, the worker, the
// progress timer, the result in Edit1, and what the window writes after it
// (history line, checksum file). Failures and aborts end with nothing
// written. The timer is ticked by hand and the worker joined by the window.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engines/byte_stream.h"
#include "engines/checksum_types.h"
#include "engines/crc32.h"
#include "engines/digest.h"
#include "win/file_stream.h"
#include "settings/ini_file.h"
#include "tests/win/fake_desktop.h"
#include "tests/support/registry_redirect.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/shell_drop.h"
#include "ui/form1.h"
#include "verify/clipboard.h"

namespace ondrix::ui {
namespace {

using win::testing::FakeDesktop;
using ondrix::test::MakeDrop;
using ondrix::test::ReadBytes;

// Serves `size` bytes; a read at or past `gate_at` waits until the test
// opens the gate, and a read at or past `fail_at` fails as a disk would.
struct StreamScript {
  std::int64_t size = 0;
  std::int64_t gate_at = -1;
  std::int64_t fail_at = -1;
  HANDLE gate = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ~StreamScript() { ::CloseHandle(gate); }
};

class ScriptedStream : public IByteStream {
 public:
  explicit ScriptedStream(const StreamScript& script) : script_(script) {}
  std::int64_t Size() override { return script_.size; }
  std::int64_t Position() override { return position_; }
  std::size_t Read(void* buffer, std::size_t count) override {
    if (script_.fail_at >= 0 && position_ >= script_.fail_at) throw EStreamError("The device is not ready.");
    if (script_.gate_at >= 0 && position_ >= script_.gate_at) ::WaitForSingleObject(script_.gate, 10000);
    const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(std::int64_t(count), script_.size - position_));
    std::memset(buffer, 'x', n);
    position_ += std::int64_t(n);
    return n;
  }

 private:
  const StreamScript& script_;
  std::int64_t position_ = 0;
};

class CalcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    dir_ = std::wstring(temp) + L"ondrix-calc-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter);
    ::CreateDirectoryW(dir_.c_str(), nullptr);
    desktop.program_path = dir_ + L"\\ondrix.exe";
    form = std::make_unique<TForm1>(desktop);
    form->QuitOnDestroy = false;
    ASSERT_TRUE(form->Create());
  }

  void TearDown() override {
    form.reset();
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
      const std::wstring path = ExtendedLengthPath(*it);
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!::DeleteFileW(path.c_str())) ::RemoveDirectoryW(path.c_str());
    }
    for (const wchar_t* name : {L"\\ondrix.ini", L"\\ondrix.txt"}) {
      ::SetFileAttributesW((dir_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW((dir_ + name).c_str());
    }
    ::RemoveDirectoryW(dir_.c_str());
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
  }

  std::wstring MakeDir(const std::wstring& name) {
    const std::wstring path = dir_ + L"\\" + name;
    ::CreateDirectoryW(ExtendedLengthPath(path).c_str(), nullptr);
    created_.push_back(path);
    return path;
  }

  std::wstring MakeFile(const std::wstring& name, std::string_view content, std::int64_t size = -1) {
    const std::wstring path = name.find(L'\\') == std::wstring::npos ? dir_ + L"\\" + name : name;
    HANDLE file = ::CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
    if (size >= 0) {
      LARGE_INTEGER at{};
      at.QuadPart = size;
      ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
      ::SetEndOfFile(file);
    }
    ::CloseHandle(file);
    created_.push_back(path);
    return path;
  }

  void ChooseType(ChecksumType type) {
    ASSERT_TRUE(form->ComboBox1.SelectText(Utf8ToWide(TypeInfo(type).display_name)));
    form->ComboBox1Change(false);
  }

  void Drop(const std::wstring& path) {
    ::SendMessageW(form->Hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({path})), 0);
  }

  // Ticks the progress timer until the job is finished.
  void RunToEnd() {
    for (int i = 0; i < 4000 && form->Timer1.Enabled(); ++i) {
      form->Timer1Timer();
      if (form->Timer1.Enabled()) ::Sleep(5);
    }
    ASSERT_FALSE(form->Timer1.Enabled()) << "the calculation did not end";
  }

  void WaitForProgress(std::int64_t bytes) {
    for (int i = 0; i < 2000 && form->Job.ProgressBytes() < bytes; ++i) ::Sleep(5);
    ASSERT_EQ(form->Job.ProgressBytes(), bytes);
  }

  void UseScriptedStream(const StreamScript& script) {
    form->Job.OpenStream = [&script](const std::wstring&) {
      return OpenedStream{std::make_unique<ScriptedStream>(script), L""};
    };
  }

  std::wstring Caption() const {
    wchar_t text[512];
    ::GetWindowTextW(form->Hwnd(), text, 512);
    return text;
  }

  std::wstring HistoryPath() const { return dir_ + L"\\ondrix.txt"; }

  // The window reads the Explorer verb at start: never the real one.
  test::RegistryRedirect registry_;
  FakeDesktop desktop;
  std::unique_ptr<TForm1> form;
  std::wstring dir_;
  std::vector<std::wstring> created_;
};

// A drop with auto-calculation on, through to Edit1, for names the code
// page cannot spell and paths past MAX_PATH. Published vectors of "abc";
// CRC-32 of an empty file is 0 and still shows eight digits.
TEST_F(CalcTest, DroppedFileIsCalculatedToTheEnd) {
  struct Case {
    ChecksumType type;
    std::string content;
    std::wstring expected;
    bool long_path;
  };
  const Case cases[] = {
      {ChecksumType::MD5, "abc", L"900150983cd24fb0d6963f7d28e17f72", false},
      {ChecksumType::SHA256, "abc", L"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", true},
      {ChecksumType::CRC32, "abc", L"352441c2", false},
      {ChecksumType::CRC32, "", L"00000000", false},
      {ChecksumType::TIGER, "abc", L"2aab1484e8c158f2bfb8c5ff41b57a525129131c957b5f93", false},
  };
  ASSERT_TRUE(form->Autocalculatewhenfiledropped1.Checked());
  // The button's two pictures are held by the hidden SpeedButton13 (cancel)
  // and SpeedButton14 (calculate).
  EXPECT_EQ(form->SpeedButton13.GetGlyph(), win::Glyph::Cancel);
  EXPECT_EQ(form->SpeedButton14.GetGlyph(), win::Glyph::Calculate);
  EXPECT_EQ(form->SpeedButton3.GetGlyph(), win::Glyph::Calculate);
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(TypeInfo(c.type).display_name);
    std::wstring folder = dir_;
    if (c.long_path) folder = MakeDir(std::wstring(200, L'd') + L"\u0436");
    const std::wstring name = L"\u017c\u6587\u4ef6-" + std::to_wstring(++n) +
                              (c.long_path ? std::wstring(100, L'n') : L"") + L".bin";
    const std::wstring path = MakeFile(folder + L"\\" + name, c.content);
    if (c.long_path) {
      ASSERT_GT(path.size(), 300u);
    }
    ChooseType(c.type);
    Drop(path);
    EXPECT_EQ(form->SelectedFilePath, path);
    EXPECT_EQ(form->SpeedButton3.Caption(), L"Cancel");
    EXPECT_EQ(form->SpeedButton3.GetGlyph(), win::Glyph::Cancel);
    RunToEnd();
    EXPECT_EQ(form->Edit1.Text(), c.expected);
    EXPECT_EQ(form->StatusText(), L" Status: IDLE");
    EXPECT_EQ(form->SpeedButton3.Caption(), L"Calculate");
    EXPECT_EQ(form->SpeedButton3.GetGlyph(), win::Glyph::Calculate);
    EXPECT_EQ(form->label9.Caption(), name);
    EXPECT_EQ(Caption(), name + L" - Ondrix 1.6.15");
    EXPECT_EQ(form->CalcRunning, 0);
    EXPECT_TRUE(form->Edit2.Enabled());
    EXPECT_TRUE(desktop.messages.empty());
  }
}

// Every type through the window gives what the engines give on their own
// (the path ondrix-sum takes), on a file of more than one read.
TEST_F(CalcTest, EveryTypeMatchesTheEngines) {
  std::string content(10000, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = char((i * 131 + 7) & 0xFF);
  const std::wstring path = MakeFile(L"all.bin", content);
  for (const ChecksumTypeInfo& type : ChecksumTypes()) {
    SCOPED_TRACE(type.display_name);
    std::string expected;
    if (type.IsCrc()) {
      char digits[9];
      std::snprintf(digits, sizeof digits, "%08x", unsigned(Crc32(content.data(), content.size())));
      expected = digits;
    } else {
      auto engine = type.create_engine();
      std::vector<std::uint8_t> digest(std::size_t(type.digest_bytes));
      engine->BeginDigest();
      engine->AddData(content.data(), std::int64_t(content.size()));
      engine->EndDigest(digest.data());
      expected = DigestToHex(digest.data(), digest.size());
      std::transform(expected.begin(), expected.end(), expected.begin(),
                     [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
    }
    ChooseType(type.type);
    Drop(path);
    RunToEnd();
    EXPECT_EQ(form->Edit1.Text(), Utf8ToWide(expected));
  }
}

TEST_F(CalcTest, CompletionStatusShowsElapsedTimeWhenAsked) {
  const std::wstring path = MakeFile(L"a.exe", "abc");
  form->Displaytimeelapsedandcalculatestateinbottombaroftheform1.SetChecked(true);
  desktop.tick_count = 0xFFFFF000;  // the job's 3725 s span a wrap of the counter
  Drop(path);
  desktop.tick_count = 0xFFFFF000ull + 3725400;
  RunToEnd();
  EXPECT_EQ(form->StatusText(), L"Completed. Time elapsed: 01:02:05");
}

// A large file watched half-way: the percentage in the status bar and the
// caption, then Esc. The shortcuts stay inert while the job runs.
TEST_F(CalcTest, ProgressThenEscapeAbortsWithNothingWritten) {
  const std::wstring path = MakeFile(L"big.bin", "", 1000000);
  StreamScript script;
  script.size = 1000000;
  script.gate_at = 62 * 8192;  // 507904 bytes hashed: 50 %
  UseScriptedStream(script);
  form->Enable1.SetChecked(true);  // history on
  form->Showfilenameontitlebar1.SetChecked(true);
  Drop(path);
  WaitForProgress(62 * 8192);
  form->Timer1Timer();
  EXPECT_EQ(form->StatusText(), L" Processing file: 50 %  (ESC to abort)");
  EXPECT_EQ(Caption(), L"50% - big.bin");

  for (WORD key : {'S', 'O', 'H', 'C', 'V', 'R', 'B', 'I'}) EXPECT_FALSE(form->FormKeyDown(key, true)) << char(key);
  EXPECT_TRUE(desktop.file_dialogs.empty());
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_TRUE(desktop.starts.empty());

  EXPECT_TRUE(form->FormKeyDown(VK_ESCAPE, false));
  ::SetEvent(script.gate);
  form->Timer1Timer();  // the tick that sees the abort finishes it
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(form->StatusText(), L" Status: Operation aborted");
  EXPECT_EQ(form->Edit1.Text(), L"?");
  EXPECT_EQ(form->SpeedButton3.Caption(), L"Calculate");
  EXPECT_EQ(form->SpeedButton3.GetGlyph(), win::Glyph::Calculate);
  EXPECT_EQ(Caption(), L"big.bin - Ondrix 1.6.15");
  EXPECT_FALSE(ondrix::test::FileExists(HistoryPath()));

  // Nothing to save after an abort.
  desktop.save_paths.push_back(dir_ + L"\\out.md5");
  form->SaveChecksumFile();
  EXPECT_TRUE(desktop.file_dialogs.empty());
}

// The worker cannot open the file, or a read fails part-way: an error box
// naming the file and the reason, no checksum, no history, no stored type.
TEST_F(CalcTest, FailedCalculationShowsTheReasonAndWritesNothing) {
  struct Case {
    ChecksumType type;
    bool open_fails;
    std::wstring expected_box;
  };
  const Case cases[] = {
      {ChecksumType::MD5, false, L"Read error in file bad.bin\r\r\nThe device is not ready."},
      {ChecksumType::CRC32, false, L"Read error in file bad.bin\r\r\nThe device is not ready."},
      {ChecksumType::SHA1, true, L"Cannot access file bad.bin\r\r\nThe network path was not found."},
  };
  const std::wstring path = MakeFile(L"bad.bin", "", 100000);
  form->Enable1.SetChecked(true);
  form->Savedefaultchecksum1.SetChecked(true);
  StreamScript script;
  script.size = 100000;
  script.fail_at = 2 * 8192;
  for (const Case& c : cases) {
    SCOPED_TRACE(TypeInfo(c.type).display_name);
    desktop.messages.clear();
    form->Edit1.SetText(L"previous");
    if (c.open_fails) {
      form->Job.OpenStream = [](const std::wstring&) {
        return OpenedStream{nullptr, L"The network path was not found."};
      };
    } else {
      UseScriptedStream(script);
    }
    ChooseType(c.type);
    Drop(path);
    RunToEnd();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, c.expected_box);
    EXPECT_EQ(desktop.messages[0].icon, win::MessageIcon::Error);
    EXPECT_EQ(form->Edit1.Text(), L"");
    EXPECT_EQ(form->StatusText(), L" Status: IDLE");
    EXPECT_EQ(form->SpeedButton3.Caption(), L"Calculate");
    EXPECT_EQ(form->CalcRunning, 0);
    EXPECT_FALSE(ondrix::test::FileExists(HistoryPath()));
    wchar_t stored[64];
    ::GetPrivateProfileStringW(L"Settings", L"DefaultChecksum", L"<none>", stored, 64, (dir_ + L"\\ondrix.ini").c_str());
    EXPECT_STREQ(stored, L"<none>");
  }
}

// What a completed calculation writes: the history line with the default
// options, and the checksum files through the scripted save dialog.
TEST_F(CalcTest, CompletedCalculationWritesHistoryAndChecksumFiles) {
  const std::wstring path = MakeFile(L"a.exe", "abc");
  form->Enable1.SetChecked(true);
  Drop(path);
  RunToEnd();
  const std::string md5 = "900150983cd24fb0d6963f7d28e17f72";
  EXPECT_EQ(ReadBytes(HistoryPath()), "md5" + std::string(11, ' ') + md5 + " *a.exe\r\n");

  struct Case {
    ChecksumType type;
    std::wstring default_name;
    std::wstring filter;
    std::string bytes;
  };
  const Case cases[] = {
      {ChecksumType::MD5, L"a.exe.md5", L"md5 (*.md5)|*.md5|All files (*.*)|*.*", md5 + " *a.exe\r\n"},
      {ChecksumType::CRC32, L"a.exe.sfv", L"sfv (*.sfv)|*.sfv|All files (*.*)|*.*",
       "; Generated by Ondrix 1.6.15\r\n; https://www.ondrix.org/\r\na.exe 352441c2\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(TypeInfo(c.type).display_name);
    ChooseType(c.type);
    Drop(path);
    RunToEnd();
    desktop.file_dialogs.clear();
    const std::wstring target = dir_ + L"\\saved-" + c.default_name;
    created_.push_back(target);
    desktop.save_paths.push_back(target);
    form->SaveChecksumFile();
    ASSERT_EQ(desktop.file_dialogs.size(), 1u);
    EXPECT_TRUE(desktop.file_dialogs[0].save);
    EXPECT_EQ(desktop.file_dialogs[0].options.default_name, c.default_name);
    EXPECT_EQ(desktop.file_dialogs[0].options.filter, c.filter);
    EXPECT_EQ(desktop.file_dialogs[0].options.initial_dir, dir_);
    EXPECT_EQ(ReadBytes(target), c.bytes);
  }
  // One more line per completion, none rewritten.
  std::istringstream lines(ReadBytes(HistoryPath()));
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) ++count;
  EXPECT_EQ(count, 3);
}

TEST_F(CalcTest, ComparisonShowsOneIndicatorAndExplainsIt) {
  const std::wstring computed = L"900150983cd24fb0d6963f7d28e17f72";
  form->Edit1.SetText(computed);
  struct Case {
    std::wstring typed;
    std::wstring field_after;
    bool ok, bad, warn;
  };
  const Case cases[] = {
      {L"  900150983CD24FB0D6963F7D28E17F72\t\r\n", computed, true, false, false},
      {L"000150983cd24fb0d6963f7d28e17f72", L"000150983cd24fb0d6963f7d28e17f72", false, true, false},
      {computed + L"00000000", computed + L"00000000", false, false, true},
      {L"", L"", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
    form->Edit2.SetText(c.typed);
    EXPECT_EQ(form->Edit2.Text(), c.field_after);
    EXPECT_EQ(form->speed_ok.Visible(), c.ok);
    EXPECT_EQ(form->speed_blad.Visible(), c.bad);
    EXPECT_EQ(form->speed_warn.Visible(), c.warn);
  }
  form->Edit2.SetText(computed + L"00000000");
  form->speed_warn.Click();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, L"Warning");
  EXPECT_EQ(desktop.messages[0].text, L"Different lengths !\r\r\nFile checksum: 32 chars\r\nCompare with: 40 chars");
}

// The command-line file: a missing one is reported with its path; an
// existing one with "no calculate" is selected and nothing runs.
TEST_F(CalcTest, FirstArgumentIsReportedOrSelected) {
  const std::wstring missing = dir_ + L"\\missing.bin";
  form->FirstArgument = missing;
  form->ProcessFirstArgument();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text.rfind(L"Cannot open file\r\r\n" + missing + L"\r\r\n", 0), 0u)
      << WideToUtf8(desktop.messages[0].text);
  EXPECT_TRUE(form->SelectedFilePath.empty());

  const std::wstring path = MakeFile(L"b.bin", "abc");
  form->FirstArgument = path;
  form->Nocalculate1.SetChecked(true);
  form->ProcessFirstArgument();
  EXPECT_EQ(form->SelectedFilePath, path);
  EXPECT_EQ(form->label9.Caption(), L"b.bin");
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(form->CalcIdle, 1);

  // Hovering the name shows the whole path; leaving shows the name again.
  ::SendMessageW(form->label9.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(form->label9.Caption(), path);
  ::SendMessageW(form->label9.Hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(form->label9.Caption(), L"b.bin");
}

// The clipboard commands on a computed checksum: the paste key takes only a
// clean checksum, the row and the report carry the name and the checksum.
TEST_F(CalcTest, ClipboardCommandsCarryTheChecksum) {
  const std::wstring path = MakeFile(L"a.exe", "abc");
  Drop(path);
  RunToEnd();
  const std::wstring md5 = L"900150983cd24fb0d6963f7d28e17f72";

  struct Paste {
    std::wstring clipboard;
    std::wstring field_after;  // Edit2 held "ab" before
  };
  const Paste pastes[] = {
      {L"  " + md5 + L"\r\n", md5},
      {L"MD5: " + md5, L"ab"},
      {L"abcdef1", L"ab"},
  };
  for (const Paste& p : pastes) {
    SCOPED_TRACE(WideToUtf8(p.clipboard));
    form->Edit2.SetText(L"ab");
    ASSERT_TRUE(SetClipboardText(p.clipboard));
    EXPECT_TRUE(form->FormKeyDown('V', true));
    EXPECT_EQ(form->Edit2.Text(), p.field_after);
    EXPECT_EQ(form->StatusText(), L"Checksum pasted from clipboard");
  }
  EXPECT_TRUE(form->speed_warn.Visible());  // "ab" against 32 digits

  EXPECT_TRUE(form->FormKeyDown('R', true));
  EXPECT_EQ(GetClipboardText(), L"a.exe *" + md5 + L"\r\n");
  EXPECT_EQ(form->StatusText(), L"Row copied to clipboard");

  EXPECT_TRUE(form->FormKeyDown('C', true));
  EXPECT_EQ(GetClipboardText(), md5);

  form->Edit2.SetText(md5);
  EXPECT_TRUE(form->FormKeyDown('B', true));
  const std::wstring report = GetClipboardText().value_or(L"");
  EXPECT_EQ(report.rfind(L"Filename: a.exe\r\nFolder:   " + dir_ + L"\r\n", 0), 0u) << WideToUtf8(report);
  EXPECT_NE(report.find(L"\r\nMD5: " + md5 + L"\r\nExpected: " + md5 + L"\r\nResult: Checksums match\r\n"),
            std::wstring::npos)
      << WideToUtf8(report);
  EXPECT_EQ(form->StatusText(), L"File details copied to clipboard");

  // Notepad gets the report file's path quoted.
  EXPECT_TRUE(form->FormKeyDown('I', true));
  ASSERT_EQ(desktop.starts.size(), 1u);
  EXPECT_EQ(desktop.starts[0].file, L"notepad.exe");
  EXPECT_EQ(desktop.starts[0].parameters.front(), L'"');
  EXPECT_EQ(desktop.starts[0].parameters.back(), L'"');
  EXPECT_EQ(form->StatusText(), L"Notepad opened with file details");
}

// The history file's view and delete commands, with and without a file.
TEST_F(CalcTest, HistoryViewAndDelete) {
  form->View1Click();
  form->Deletefile1Click();
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[0].text,
            L"History file does not exist yet. Enable saving calculated checksumt to file first.");
  EXPECT_EQ(desktop.messages[1].text, L"File does not exist yet");
  EXPECT_TRUE(desktop.starts.empty());

  MakeFile(HistoryPath(), "md5  x *a\r\n");
  created_.pop_back();  // TearDown removes the history file itself
  desktop.messages.clear();
  form->View1Click();
  ASSERT_EQ(desktop.starts.size(), 1u);
  EXPECT_EQ(desktop.starts[0].file, L"notepad.exe");
  EXPECT_EQ(desktop.starts[0].parameters, L"\"" + HistoryPath() + L"\"");
  EXPECT_EQ(form->StatusText(), L"History file opened");

  desktop.message_results = {IDNO};
  form->Deletefile1Click();
  EXPECT_TRUE(ondrix::test::FileExists(HistoryPath()));
  desktop.message_results = {IDYES};
  form->Deletefile1Click();
  EXPECT_FALSE(ondrix::test::FileExists(HistoryPath()));
  ASSERT_EQ(desktop.messages.size(), 3u);
  EXPECT_EQ(desktop.messages[1].text, L"Confirm delete");
  EXPECT_EQ(desktop.messages[2].text, L"File deleted");
}

// "Calculate" needs a file that can still be opened; a type change by the
// user starts a calculation when asked to, one made by the program never.
TEST_F(CalcTest, CalculateButtonAndTypeChange) {
  form->SpeedButton3.Click();
  EXPECT_FALSE(form->Timer1.Enabled());

  form->Autocalculatewhenfiledropped1.SetChecked(false);
  const std::wstring path = MakeFile(L"c.bin", "abc");
  Drop(path);
  EXPECT_EQ(form->SelectedFilePath, path);
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(form->CalcIdle, 1);

  form->Autocalculatewhenchecksumtypechanged1.SetChecked(true);
  ASSERT_TRUE(form->ComboBox1.SelectText(L"SHA1"));
  form->ComboBox1Change(false);
  EXPECT_FALSE(form->Timer1.Enabled());
  form->ComboBox1Change(true);
  RunToEnd();
  EXPECT_EQ(form->Edit1.Text(), L"a9993e364706816aba3e25717850c26c9cd0d89d");

  ::DeleteFileW(path.c_str());
  form->SpeedButton3.Click();
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(form->CalcIdle, 1);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text.rfind(L"Cannot access file c.bin\r\r\n", 0), 0u)
      << WideToUtf8(desktop.messages[0].text);
  EXPECT_GT(desktop.messages[0].text.size(), std::wstring(L"Cannot access file c.bin\r\r\n").size());
  EXPECT_EQ(form->Edit1.Text(), L"a9993e364706816aba3e25717850c26c9cd0d89d");
}

// Another file selected without a calculation of its own: the previous
// checksum, its indicator and its type are gone, and the commands that need
// a result find none. The same file selected again keeps its result.
TEST_F(CalcTest, SelectingAnotherFileForgetsThePreviousResult) {
  const std::wstring md5 = L"900150983cd24fb0d6963f7d28e17f72";
  const std::wstring a = MakeFile(L"a.exe", "abc");
  const std::wstring b = MakeFile(L"b.bin", "other");
  Drop(a);
  RunToEnd();
  form->Edit2.SetText(md5);
  ASSERT_TRUE(form->speed_ok.Visible());

  form->Autocalculatewhenfiledropped1.SetChecked(false);
  Drop(a);
  EXPECT_EQ(form->Edit1.Text(), md5);
  EXPECT_TRUE(form->speed_ok.Visible());

  Drop(b);
  EXPECT_EQ(form->SelectedFilePath, b);
  EXPECT_EQ(form->Edit1.Text(), L"");
  EXPECT_TRUE(form->CalcTypeKey.empty());
  EXPECT_FALSE(form->speed_ok.Visible() || form->speed_blad.Visible() || form->speed_warn.Visible());
  desktop.save_paths.push_back(dir_ + L"\\b.bin.md5");
  EXPECT_TRUE(form->FormKeyDown('S', true));
  EXPECT_TRUE(desktop.file_dialogs.empty());
  ASSERT_TRUE(SetClipboardText(L"before"));
  EXPECT_TRUE(form->FormKeyDown('R', true));
  EXPECT_EQ(GetClipboardText(), L"before");
  EXPECT_TRUE(form->FormKeyDown('B', true));
  const std::wstring report = GetClipboardText().value_or(L"");
  EXPECT_EQ(report.rfind(L"Filename: b.bin\r\n", 0), 0u) << WideToUtf8(report);
  // The expected checksum stays, but no computed one is named.
  EXPECT_EQ(report.find(L"\r\nMD5: "), std::wstring::npos) << WideToUtf8(report);
  EXPECT_NE(report.find(L"\r\nb.bin *\r\n"), std::wstring::npos) << WideToUtf8(report);

  // An open-dialog pick: its calculation starts, and until it ends no
  // checksum is shown beside the new name.
  form->Autocalculatewhenfiledropped1.SetChecked(true);
  Drop(a);
  RunToEnd();
  ASSERT_EQ(form->Edit1.Text(), md5);
  desktop.save_paths.clear();
  desktop.open_paths.push_back(b);
  form->btn_openfile.Click();
  EXPECT_EQ(form->SelectedFilePath, b);
  EXPECT_EQ(form->Edit1.Text(), L"");
  EXPECT_FALSE(form->speed_ok.Visible());
  RunToEnd();
  EXPECT_EQ(form->Edit1.Text().size(), 32u);
  EXPECT_NE(form->Edit1.Text(), md5);
}

// A start whose access test fails changes nothing: after an MD5 result and
// a switch to SHA1, the checksum file is still the MD5 one.
TEST_F(CalcTest, FailedStartKeepsTheResultAndItsType) {
  const std::wstring md5 = L"900150983cd24fb0d6963f7d28e17f72";
  const std::wstring a = MakeFile(L"a.exe", "abc");
  Drop(a);
  RunToEnd();
  ChooseType(ChecksumType::SHA1);
  ::DeleteFileW(a.c_str());
  form->SpeedButton3.Click();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text.rfind(L"Cannot access file a.exe\r\r\n", 0), 0u);
  EXPECT_EQ(form->Edit1.Text(), md5);
  EXPECT_EQ(form->CalcTypeKey, "md5");

  const std::wstring target = dir_ + L"\\saved";
  created_.push_back(target);
  desktop.save_paths.push_back(target);
  form->SaveChecksumFile();
  ASSERT_EQ(desktop.file_dialogs.size(), 1u);
  EXPECT_EQ(desktop.file_dialogs[0].options.default_name, L"a.exe.md5");
  EXPECT_EQ(ReadBytes(target), WideToUtf8(md5) + " *a.exe\r\n");
}

// The hourglass while a calculation runs and the hand over the file name are
// what every window of the program shows as the mouse moves over it.
TEST_F(CalcTest, CursorsStayWhileTheMouseMoves) {
  // The cursor a window shows when the mouse moves over its client area.
  auto cursor_over = [](const win::Control& control) {
    ::SetCursor(nullptr);
    ::SendMessageW(control.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(control.Hwnd()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
  };
  const HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
  const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);

  const std::wstring path = MakeFile(L"big.bin", "", 100000);
  StreamScript script;
  script.size = 100000;
  script.gate_at = 8192;
  UseScriptedStream(script);
  Drop(path);
  for (const win::Control* c : std::initializer_list<const win::Control*>{
           &form->Edit2, &form->Edit1, &form->Panel2, &form->label9, &form->ComboBox1, &form->Surface()}) {
    EXPECT_EQ(cursor_over(*c), wait);
  }
  ::SetEvent(script.gate);
  RunToEnd();
  EXPECT_NE(cursor_over(form->Edit2), wait);

  ::SendMessageW(form->label9.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(cursor_over(form->label9), hand);
  EXPECT_EQ(cursor_over(form->label9), hand);  // a second move keeps it
  ::SendMessageW(form->label9.Hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_NE(cursor_over(form->label9), hand);
}

// The save dialog of a file at a drive's root opens in that root.
TEST_F(CalcTest, SaveDialogOfAFileAtADriveRootOpensInThatRoot) {
  wchar_t windows[MAX_PATH];
  ASSERT_GT(::GetWindowsDirectoryW(windows, MAX_PATH), 3u);
  const std::wstring root = std::wstring(windows).substr(0, 3);  // "C:\"
  const std::wstring path = MakeFile(root + L"ondrix-root-" + std::to_wstring(::GetCurrentProcessId()) + L".bin", "abc");
  Drop(path);
  RunToEnd();
  form->SaveChecksumFile();  // the dialog is cancelled
  ASSERT_EQ(desktop.file_dialogs.size(), 1u);
  EXPECT_EQ(desktop.file_dialogs[0].options.initial_dir, root);
}

}  // namespace
}  // namespace ondrix::ui
