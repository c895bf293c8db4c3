// The faults real disks and real users produce, each through the real window
// under Wine: what the user sees (boxes, status, fields) and what is on disk
// afterwards. No crash, no hang, nothing lost, and never a checksum of part
// of a file shown as the file's checksum.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <winioctl.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cwchar>
#include <cwctype>
#include <functional>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engines/checksum_types.h"
#include "engines/crc32.h"
#include "engines/digest.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/scripted_stream.h"
#include "tests/support/shell_drop.h"
#include "tests/win/fake_desktop.h"
#include "text/utf.h"
#include "ui/form1.h"
#include "verify/clipboard.h"
#include "win/file_stream.h"

namespace ondrix::ui {
namespace {

using test::FileExists;
using test::ReadBytes;
using test::WriteBytes;

constexpr std::wstring_view kMd5Abc = L"900150983cd24fb0d6963f7d28e17f72";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::wstring LastErrorText(DWORD code) {
  wchar_t* text = nullptr;
  ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring result = text ? text : L"";
  ::LocalFree(text);
  while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' '))
    result.pop_back();
  return result;
}

// A manual-reset event the tests open to let a held worker go on.
class Gate {
 public:
  Gate() : event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Gate() {
    Open();
    ::CloseHandle(event_);
  }
  void Open() { ::SetEvent(event_); }
  // Waits at most 20 s: a window that waits for the worker fails the test
  // instead of hanging it.
  void Wait() { ::WaitForSingleObject(event_, 20000); }

 private:
  HANDLE event_;
};

class FaultMatrix : public ::testing::Test {
 protected:
  void SetUp() override { desktop.program_path = folder_ / L"ondrix.exe"; }
  void TearDown() override {
    form.reset();
    for (const wchar_t* name : {L"ondrix.ini", L"ondrix.txt"})
      ::SetFileAttributesW((folder_ / name).c_str(), FILE_ATTRIBUTE_NORMAL);
  }

  TForm1& Start() {
    form = std::make_unique<TForm1>(desktop);
    form->QuitOnDestroy = false;
    EXPECT_TRUE(form->Create());
    return *form;
  }

  std::wstring MakeFile(std::wstring_view name, std::string_view content) {
    const std::wstring path = folder_ / name;
    EXPECT_TRUE(WriteBytes(path, content));
    return path;
  }

  void Drop(const std::wstring& path) {
    ::SendMessageW(form->Hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({path})), 0);
  }

  void ChooseType(ChecksumType type) {
    ASSERT_TRUE(form->ComboBox1.SelectText(Utf8ToWide(TypeInfo(type).display_name)));
    form->ComboBox1Change(false);
  }

  // Ticks the progress timer until the job has ended.
  void RunToEnd() {
    for (int i = 0; i < 20000 && form->Timer1.Enabled(); ++i) {
      form->Timer1Timer();
      if (form->Timer1.Enabled()) ::Sleep(2);
    }
    ASSERT_FALSE(form->Timer1.Enabled()) << "the calculation did not end";
  }

  void WaitForProgress(std::int64_t bytes) {
    for (int i = 0; i < 4000 && form->Job.ProgressBytes() < bytes; ++i) ::Sleep(5);
    ASSERT_EQ(form->Job.ProgressBytes(), bytes);
  }

  // The worker reads the real file through a stream that runs `step` before
  // each 8192-byte read (1-based).
  void WrapRealStream(test::ScriptedStream::Step step) {
    form->Job.OpenStream = [step](const std::wstring& path) {
      OpenedStream opened = OpenFileStream(path);
      if (!opened.stream) return opened;
      return OpenedStream{std::make_unique<test::ScriptedStream>(std::move(opened.stream), step), L""};
    };
  }

  std::wstring HistoryPath() const { return folder_ / L"ondrix.txt"; }
  std::wstring IniPath() const { return folder_ / L"ondrix.ini"; }

  // What the window shows when no job runs and none was left behind.
  void ExpectIdleWindow() {
    EXPECT_FALSE(form->Timer1.Enabled());
    EXPECT_EQ(form->CalcRunning, 0);
    EXPECT_EQ(form->SpeedButton3.Caption(), L"Calculate");
    EXPECT_TRUE(form->ComboBox1.Enabled());
    EXPECT_TRUE(form->Edit2.Enabled());
    EXPECT_TRUE(form->Job.WaitForStoppedWorkers(std::chrono::seconds(20))) << "a worker was left running";
  }

  test::ScratchFolder folder_;
  win::testing::FakeDesktop desktop;
  std::unique_ptr<TForm1> form;
};

// ---- a file locked by another program, a folder, a missing path, an empty file

TEST_F(FaultMatrix, LockedFolderMissingAndEmptyFilesAreReportedOrCalculated) {
  Start();
  form->Enable1.SetChecked(true);  // history on: nothing may be written for a refused file
  const std::wstring good = MakeFile(L"good.bin", "abc");
  Drop(good);
  RunToEnd();
  ASSERT_EQ(form->Edit1.Text(), kMd5Abc);

  const std::wstring locked_writer = MakeFile(L"being written.bin", "abc");
  const std::wstring locked_exclusive = MakeFile(L"exclusive.bin", "abc");
  // A writer that lets others read, and a program that shares nothing.
  HANDLE writer = ::CreateFileW(locked_writer.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  HANDLE exclusive = ::CreateFileW(locked_exclusive.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  const std::wstring folder = folder_ / L"a folder";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  struct Case {
    std::wstring path;
    DWORD error;
  };
  const Case cases[] = {
      {locked_writer, ERROR_SHARING_VIOLATION},
      {locked_exclusive, ERROR_SHARING_VIOLATION},
      {folder, ERROR_ACCESS_DENIED},
      {folder_ / L"missing.bin", ERROR_FILE_NOT_FOUND},
      {folder_ / L"no such folder\\missing.bin", ERROR_PATH_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.path));
    desktop.messages.clear();
    Drop(c.path);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, L"Cannot open selected file\r\r\n" + LastErrorText(c.error));
    EXPECT_EQ(desktop.messages[0].icon, win::MessageIcon::Error);
    // The previous file and its checksum stay; nothing runs.
    EXPECT_EQ(form->SelectedFilePath, good);
    EXPECT_EQ(form->Edit1.Text(), kMd5Abc);
    ExpectIdleWindow();
  }
  ::CloseHandle(writer);
  ::CloseHandle(exclusive);

  // The selected file locked after its selection: "Calculate" says so.
  desktop.messages.clear();
  exclusive = ::CreateFileW(good.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  form->SpeedButton3.Click();
  ::CloseHandle(exclusive);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text,
            L"Cannot access file good.bin\r\r\n" + LastErrorText(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(form->Edit1.Text(), kMd5Abc);
  ExpectIdleWindow();
  EXPECT_EQ(ReadBytes(HistoryPath()), "md5" + std::string(11, ' ') + WideToUtf8(kMd5Abc) + " *good.bin\r\n")
      << "only the one completed calculation is in the history";

  // An empty file is a file like any other: its checksum and size 0.
  const std::wstring empty = MakeFile(L"empty.bin", "");
  for (const auto& [type, expected] : {std::pair{ChecksumType::MD5, L"d41d8cd98f00b204e9800998ecf8427e"},
                                       std::pair{ChecksumType::CRC32, L"00000000"}}) {
    desktop.messages.clear();
    ChooseType(type);
    Drop(empty);
    RunToEnd();
    EXPECT_EQ(form->Edit1.Text(), expected);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_NE(form->Label4.Caption().find(L"( 0 B )"), std::wstring::npos) << WideToUtf8(form->Label4.Caption());
  }
}

// ---- a read error part-way; the file shrinks or grows while it is read -------

TEST_F(FaultMatrix, ReadErrorOrAShrinkingFileGivesNoChecksum) {
  Start();
  form->Enable1.SetChecked(true);
  constexpr std::int64_t kSize = 6 * 8192;
  const std::wstring path = MakeFile(L"flaky.bin", test::PatternBytes(kSize));
  struct Case {
    ChecksumType type;
    bool shrink;  // else the third read fails
    std::wstring reason;
  };
  const Case cases[] = {
      {ChecksumType::SHA256, false, L"The device is not ready."},
      {ChecksumType::CRC32, false, L"The device is not ready."},
      {ChecksumType::MD5, true, L"The file changed its size while it was read."},
      {ChecksumType::CRC32, true, L"The file changed its size while it was read."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(TypeInfo(c.type).key) + (c.shrink ? " shrink" : " read error"));
    desktop.messages.clear();
    form->Job.OpenStream = [&c](const std::wstring&) -> OpenedStream {
      // A share whose server has cut the file to two blocks since it was
      // selected, or a disk that fails the third read.
      if (c.shrink) {
        return {std::make_unique<test::ScriptedStream>(std::vector<std::uint8_t>(2 * 8192, 'x')), L""};
      }
      return {std::make_unique<test::ScriptedStream>(std::vector<std::uint8_t>(std::size_t(kSize), 'x'),
                                                     [](int n) {
                                                       if (n >= 3) throw EStreamError("The device is not ready.");
                                                     }),
              L""};
    };
    ChooseType(c.type);
    Drop(path);
    RunToEnd();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, L"Read error in file flaky.bin\r\r\n" + c.reason);
    EXPECT_EQ(form->Edit1.Text(), L"") << "no checksum of part of the file";
    EXPECT_EQ(form->StatusText(), L" Status: IDLE");
    ExpectIdleWindow();
  }
  EXPECT_FALSE(FileExists(HistoryPath())) << "a failed calculation writes no history line";
}

TEST_F(FaultMatrix, NoOtherProgramCanResizeTheFileWhileTheWindowReadsIt) {
  Start();
  const std::string content = test::PatternBytes(8 * 8192);
  const std::wstring path = MakeFile(L"growing.bin", content);
  Gate gate;
  WrapRealStream([&gate](int n) {
    if (n == 3) gate.Wait();
  });
  ChooseType(ChecksumType::SHA1);
  Drop(path);
  WaitForProgress(2 * 8192);
  // A writer that would append or truncate is refused while the worker reads.
  HANDLE writer = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  const DWORD error = ::GetLastError();
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(error, DWORD(ERROR_SHARING_VIOLATION));
  if (writer != INVALID_HANDLE_VALUE) ::CloseHandle(writer);
  gate.Open();
  RunToEnd();
  auto engine = TypeInfo(ChecksumType::SHA1).create_engine();
  std::uint8_t digest[20];
  engine->BeginDigest();
  engine->AddData(content.data(), std::int64_t(content.size()));
  engine->EndDigest(digest);
  std::string hex = DigestToHex(digest, 20);
  for (char& ch : hex) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  EXPECT_EQ(form->Edit1.Text(), Utf8ToWide(hex));
}

// ---- a file over 4 GiB --------------------------------------------------------

TEST_F(FaultMatrix, SparseFileOverFourGibibytes) {
  constexpr std::int64_t kFourGiB = std::int64_t(1) << 32;
  constexpr std::int64_t kSize = kFourGiB + 3 * 8192 + 5;
  const std::wstring path = folder_ / L"huge sparse.bin";
  {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD returned = 0;
    ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);  // where supported
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file, "head", 4, &written, nullptr));
    LARGE_INTEGER at{};
    at.QuadPart = kSize - 4;
    ASSERT_TRUE(::SetFilePointerEx(file, at, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::WriteFile(file, "tail", 4, &written, nullptr));
    ::CloseHandle(file);
  }
  // The same bytes through the engines, in 1 MiB pieces.
  const auto feed = [&](auto&& add) {
    std::vector<char> piece(1 << 20, '\0');
    std::int64_t done = 0;
    while (done < kSize) {
      const std::size_t n = std::size_t(std::min<std::int64_t>(std::int64_t(piece.size()), kSize - done));
      std::memset(piece.data(), 0, n);
      if (done == 0) std::memcpy(piece.data(), "head", 4);
      if (done + std::int64_t(n) == kSize) std::memcpy(piece.data() + n - 4, "tail", 4);
      add(piece.data(), n);
      done += std::int64_t(n);
    }
  };
  std::uint32_t crc = 0xFFFFFFFFu;
  feed([&](const char* p, std::size_t n) { crc = Crc32Update(crc, reinterpret_cast<const std::uint8_t*>(p), n); });
  wchar_t crc_text[9];
  std::swprintf(crc_text, 9, L"%08x", unsigned(~crc));
  auto sha1 = TypeInfo(ChecksumType::SHA1).create_engine();
  sha1->BeginDigest();
  feed([&](const char* p, std::size_t n) { sha1->AddData(p, std::int64_t(n)); });
  std::uint8_t digest[20];
  sha1->EndDigest(digest);
  std::string sha1_hex = DigestToHex(digest, 20);
  for (char& ch : sha1_hex) ch = char(std::tolower(static_cast<unsigned char>(ch)));

  Start();
  // The size text: the short size and every byte of the count.
  form->Autocalculatewhenfiledropped1.SetChecked(false);
  Drop(path);
  const std::wstring size_text = form->Label4.Caption();
  std::wstring digits;
  for (wchar_t ch : size_text.substr(size_text.find(L'('))) {
    if (ch >= L'0' && ch <= L'9') digits += ch;
  }
  EXPECT_EQ(digits, std::to_wstring(kSize)) << WideToUtf8(size_text);
  EXPECT_NE(size_text.find(L"GB"), std::wstring::npos) << WideToUtf8(size_text);

  // CRC32, held just past 4 GiB: the percentage is counted in 64 bits.
  Gate gate;
  constexpr int kReadPastFourGiB = int(kFourGiB / 8192) + 2;
  WrapRealStream([&gate](int n) {
    if (n == kReadPastFourGiB) gate.Wait();
  });
  ChooseType(ChecksumType::CRC32);
  form->SpeedButton3.Click();
  for (int i = 0; i < 60000 && form->Job.ProgressBytes() < kFourGiB + 8192; ++i) ::Sleep(5);
  ASSERT_EQ(form->Job.ProgressBytes(), kFourGiB + 8192);
  form->Timer1Timer();
  EXPECT_EQ(form->StatusText(), L" Processing file: 99 %  (ESC to abort)");
  gate.Open();
  RunToEnd();
  EXPECT_EQ(form->Edit1.Text(), crc_text);

  form->Job.OpenStream = OpenFileStream;
  ChooseType(ChecksumType::SHA1);
  form->SpeedButton3.Click();
  RunToEnd();
  EXPECT_EQ(form->Edit1.Text(), Utf8ToWide(sha1_hex));
  EXPECT_TRUE(desktop.messages.empty());
}

// ---- a path of 300+ characters; a name the ANSI code page cannot spell --------

TEST_F(FaultMatrix, LongPathAndForeignNameAreCalculatedSavedAndLogged) {
  const std::wstring path = test::LongPathUnder(folder_.Path(), test::kForeignName, 300);
  ASSERT_GE(path.size(), 300u);
  ASSERT_TRUE(WriteBytes(path, "abc"));
  Start();
  form->Enable1.SetChecked(true);
  Drop(path);
  RunToEnd();
  EXPECT_EQ(form->Edit1.Text(), kMd5Abc);
  EXPECT_EQ(form->SelectedFilePath, path);
  EXPECT_EQ(form->label9.Caption(), test::kForeignName);
  EXPECT_TRUE(desktop.messages.empty());

  // The history and a saved checksum file keep the name: UTF-8 with the mark,
  // never question marks.
  const std::string name = WideToUtf8(test::kForeignName);
  EXPECT_EQ(ReadBytes(HistoryPath()),
            std::string(kUtf8Mark) + "md5" + std::string(11, ' ') + WideToUtf8(kMd5Abc) + " *" + name + "\r\n");
  const std::wstring saved = path.substr(0, path.rfind(L'\\')) + L"\\" + std::wstring(test::kForeignName) + L".md5";
  desktop.save_paths.push_back(saved);
  form->SaveChecksumFile();
  EXPECT_EQ(ReadBytes(saved), std::string(kUtf8Mark) + WideToUtf8(kMd5Abc) + " *" + name + "\r\n");
  EXPECT_TRUE(desktop.messages.empty());
}

// ---- the program's folder unwritable; the INI read-only, hidden or garbage ----

TEST_F(FaultMatrix, UnwritableProgramFolderLosesNothingButTheStoredOptions) {
  // The program's "folder" is a file: nothing can be created in it.
  const std::wstring not_a_folder = MakeFile(L"not a folder", "x");
  desktop.program_path = not_a_folder + L"\\ondrix.exe";
  Start();
  ASSERT_TRUE(form->ClickMenuItem("Enable1"));  // history on, for this run only
  EXPECT_TRUE(form->Enable1.Checked());
  const std::wstring path = MakeFile(L"a.exe", "abc");
  Drop(path);
  RunToEnd();
  EXPECT_EQ(form->Edit1.Text(), kMd5Abc);
  EXPECT_TRUE(desktop.messages.empty()) << WideToUtf8(desktop.messages.front().text);
  EXPECT_FALSE(FileExists(not_a_folder + L"\\ondrix.ini"));
  EXPECT_FALSE(FileExists(not_a_folder + L"\\ondrix.txt"));
  EXPECT_EQ(ReadBytes(not_a_folder), "x");
  // The checksum file goes elsewhere, as the user chooses.
  desktop.save_paths.push_back(folder_ / L"a.exe.md5");
  form->SaveChecksumFile();
  EXPECT_EQ(ReadBytes(folder_ / L"a.exe.md5"), WideToUtf8(kMd5Abc) + " *a.exe\r\n");
}

TEST_F(FaultMatrix, ReadOnlyOrLockedIniLosesNoValueAndStopsNothing) {
  // Marked read-only before the start: its values are read, and the start
  // clears the mark, as the settings file's attribute rule says.
  ASSERT_TRUE(WriteBytes(IniPath(), "[Settings]\r\nLogToFile=1\r\n"));
  ::SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
  Start();
  EXPECT_TRUE(form->Enable1.Checked());
  EXPECT_EQ(::GetFileAttributesW(IniPath().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

  ASSERT_TRUE(form->ClickMenuItem("Enable1"));
  EXPECT_EQ(ReadBytes(IniPath()).find("LogToFile=0\r\n") != std::string::npos, true) << ReadBytes(IniPath());

  // Held open for writing by another program (an editor, a sync tool): the
  // write is not attempted, the change still applies to the running program,
  // nothing is said and the file is untouched. (A read-only mark set while
  // the program runs cannot be tested here: under Wine as root it does not
  // stop a write.)
  HANDLE editor = ::CreateFileW(IniPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(editor, INVALID_HANDLE_VALUE);
  const std::string before = ReadBytes(IniPath());
  ASSERT_TRUE(form->ClickMenuItem("Enable1"));
  ::CloseHandle(editor);
  EXPECT_TRUE(form->Enable1.Checked());
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(ReadBytes(IniPath()), before);
  // The window goes on working.
  Drop(MakeFile(L"a.exe", "abc"));
  RunToEnd();
  EXPECT_EQ(form->Edit1.Text(), kMd5Abc);
}

TEST_F(FaultMatrix, HiddenIniIsReadAndWrittenAndStaysHidden) {
  // Hidden by its own option; without it the window makes the file normal.
  ASSERT_TRUE(WriteBytes(IniPath(), "[Settings]\r\nLogToFile=1\r\nMakeIniFileHidden=1\r\n"));
  ::SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_HIDDEN);
  Start();
  EXPECT_TRUE(form->Enable1.Checked());
  ASSERT_TRUE(form->ClickMenuItem("Enable1"));
  EXPECT_TRUE(desktop.messages.empty());
  wchar_t stored[16] = {};
  ::GetPrivateProfileStringW(L"Settings", L"LogToFile", L"?", stored, 16, IniPath().c_str());
  EXPECT_STREQ(stored, L"0");
  EXPECT_NE(::GetFileAttributesW(IniPath().c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(FaultMatrix, IniEditedIntoGarbageGivesTheDefaults) {
  std::string binary = test::PatternBytes(70000, 7);
  const std::string garbage_cases[] = {
      binary,
      "[Settings]\r\nLogToFile=banana\r\nWidth=99999999999999999999\r\nHeight=-\r\n"
      "Color_for_background=$GGGGGGGG\r\nDefaultChecksum=md5\r\nTransparency_value=0x\r\n"
      "StayOnTop=" + std::string(100000, '9') + "\r\n" + std::string(5000, '[') + "\r\n=\r\n==\r\n",
      std::string(kUtf8Mark) + "[Settings]\r\nLogToFile=\xFF\xFE\r\n\0\0\0" + binary.substr(0, 100),
  };
  for (const std::string& garbage : garbage_cases) {
    ASSERT_TRUE(WriteBytes(IniPath(), garbage));
    Start();
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(form->Enable1.Checked());
    EXPECT_EQ(form->ComboBox1.ItemText(form->ComboBox1.ItemIndex()), L"MD5");
    EXPECT_TRUE(form->Autocalculatewhenfiledropped1.Checked());
    // The window works as on a fresh start.
    Drop(MakeFile(L"a.exe", "abc"));
    RunToEnd();
    EXPECT_EQ(form->Edit1.Text(), kMd5Abc);
    form.reset();
  }
}

// ---- Escape at every phase; closing during a run --------------------------------

TEST_F(FaultMatrix, EscapeAtEveryPhaseShowsTheAbortAndWritesNothing) {
  Start();
  form->Enable1.SetChecked(true);
  constexpr int kBlocks = 5;
  const std::wstring path = MakeFile(L"five blocks.bin", test::PatternBytes(kBlocks * 8192));
  enum class Phase { BeforeOpen, MidRead, LastBlock };
  for (Phase phase : {Phase::BeforeOpen, Phase::MidRead, Phase::LastBlock}) {
    for (ChecksumType type : {ChecksumType::SHA512, ChecksumType::CRC32}) {
      SCOPED_TRACE(std::to_string(int(phase)) + " " + std::string(TypeInfo(type).key));
      Gate gate;
      std::atomic<bool> held{false};
      if (phase == Phase::BeforeOpen) {
        form->Job.OpenStream = [&](const std::wstring& p) {
          held = true;
          gate.Wait();
          return OpenFileStream(p);
        };
      } else {
        const int hold_at = phase == Phase::MidRead ? 3 : kBlocks;
        WrapRealStream([&, hold_at](int n) {
          if (n == hold_at) {
            held = true;
            gate.Wait();
          }
        });
      }
      ChooseType(type);
      Drop(path);
      for (int i = 0; i < 4000 && !held; ++i) ::Sleep(5);
      ASSERT_TRUE(held);
      EXPECT_TRUE(form->FormKeyDown(VK_ESCAPE, false));
      form->Timer1Timer();  // the tick that sees the abort finishes it, while the worker is still held
      EXPECT_EQ(form->StatusText(), L" Status: Operation aborted");
      EXPECT_EQ(form->Edit1.Text(), L"?");
      gate.Open();
      ExpectIdleWindow();
      form->Timer1Timer();
      EXPECT_EQ(form->Edit1.Text(), L"?") << "the worker let go shows nothing";
    }
  }
  EXPECT_FALSE(FileExists(HistoryPath()));
  EXPECT_TRUE(desktop.messages.empty());

  // Escape after the worker has published: the whole checksum is the result.
  form->Job.OpenStream = OpenFileStream;
  ChooseType(ChecksumType::MD5);
  MakeFile(L"abc.txt", "abc");
  Drop(folder_ / L"abc.txt");
  for (int i = 0; i < 4000 && form->Job.Outcome() == JobOutcome::Running; ++i) ::Sleep(5);
  form->FormKeyDown(VK_ESCAPE, false);
  RunToEnd();
  EXPECT_EQ(form->Edit1.Text(), kMd5Abc);
}

TEST_F(FaultMatrix, ClosingDuringARunEndsTheWorkerAndWritesNothing) {
  Start();
  form->Enable1.SetChecked(true);
  const std::wstring path = MakeFile(L"closing.bin", test::PatternBytes(8 * 8192));
  Gate gate;
  WrapRealStream([&gate](int n) {
    if (n == 3) gate.Wait();
  });
  Drop(path);
  WaitForProgress(2 * 8192);
  const HWND window = form->Hwnd();
  // The read returns a little later, as a slow disk's would.
  std::thread opener([&gate] {
    ::Sleep(300);
    gate.Open();
  });
  ::SendMessageW(window, WM_CLOSE, 0, 0);
  opener.join();
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_FALSE(desktop.exit_code.has_value()) << "the worker stopped within the grace time";
  EXPECT_TRUE(form->Job.WaitForStoppedWorkers(std::chrono::seconds(20)));
  EXPECT_FALSE(FileExists(HistoryPath()));
  EXPECT_TRUE(desktop.messages.empty());
}

// ---- two copies appending to the history at the same moment --------------------

constexpr int kLinesPerCopy = 40;

// Run by the test below in two processes of its own, never on its own.
TEST(FaultMatrixCopy, DISABLED_AppendsHistoryLines) {
  wchar_t folder[MAX_PATH] = {}, name[MAX_PATH] = {}, event_name[MAX_PATH] = {};
  ASSERT_GT(::GetEnvironmentVariableW(L"ONDRIX_COPY_FOLDER", folder, MAX_PATH), 0u);
  ASSERT_GT(::GetEnvironmentVariableW(L"ONDRIX_COPY_FILE", name, MAX_PATH), 0u);
  ASSERT_GT(::GetEnvironmentVariableW(L"ONDRIX_COPY_START", event_name, MAX_PATH), 0u);
  win::testing::FakeDesktop desktop;
  desktop.program_path = std::wstring(folder) + L"\\ondrix.exe";
  TForm1 form(desktop);
  form.QuitOnDestroy = false;
  ASSERT_TRUE(form.Create());
  form.Enable1.SetChecked(true);
  const std::wstring path = std::wstring(folder) + L"\\" + name;
  // Both copies start appending together.
  HANDLE start = ::OpenEventW(SYNCHRONIZE, FALSE, event_name);
  ASSERT_NE(start, nullptr);
  ::WaitForSingleObject(start, 60000);
  ::CloseHandle(start);
  for (int i = 0; i < kLinesPerCopy; ++i) {
    ::SendMessageW(form.Hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({path})), 0);
    for (int k = 0; k < 20000 && form.Timer1.Enabled(); ++k) {
      form.Timer1Timer();
      if (form.Timer1.Enabled()) ::Sleep(1);
    }
    ASSERT_EQ(form.Edit1.Text(), kMd5Abc);
  }
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(FaultMatrix, TwoCopiesAppendingToTheHistoryLoseAndMergeNoLine) {
  // One copy's file name fits the code page, the other's does not: its first
  // line turns the history into UTF-8 while the other copy appends.
  const std::wstring names[] = {L"plain.bin", std::wstring(test::kForeignName)};
  for (const std::wstring& name : names) ASSERT_TRUE(WriteBytes(folder_ / name, "abc"));
  const std::wstring event_name = L"ondrix-history-copies-" + std::to_wstring(::GetCurrentProcessId());
  HANDLE start = ::CreateEventW(nullptr, TRUE, FALSE, event_name.c_str());
  wchar_t exe[MAX_PATH * 2] = {};
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH * 2);
  std::vector<PROCESS_INFORMATION> copies;
  ::SetEnvironmentVariableW(L"ONDRIX_COPY_FOLDER", folder_.Path().c_str());
  ::SetEnvironmentVariableW(L"ONDRIX_COPY_START", event_name.c_str());
  for (const std::wstring& name : names) {
    ::SetEnvironmentVariableW(L"ONDRIX_COPY_FILE", name.c_str());
    std::wstring command = L"\"" + std::wstring(exe) +
                           L"\" --gtest_also_run_disabled_tests --gtest_filter=FaultMatrixCopy.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process));
    copies.push_back(process);
  }
  ::SetEnvironmentVariableW(L"ONDRIX_COPY_FILE", nullptr);
  ::Sleep(500);
  ::SetEvent(start);
  for (const PROCESS_INFORMATION& process : copies) {
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 180000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u) << "a copy failed";
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  ::CloseHandle(start);

  std::string history = ReadBytes(HistoryPath());
  ASSERT_EQ(history.rfind(kUtf8Mark, 0), 0u) << "the foreign name made the history UTF-8";
  history.erase(0, kUtf8Mark.size());
  int counts[2] = {0, 0};
  std::size_t at = 0;
  while (at < history.size()) {
    const std::size_t end = history.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "a line without its ending";
    const std::string line = history.substr(at, end - at);
    at = end + 2;
    bool known = false;
    for (int k = 0; k < 2; ++k) {
      if (line == "md5" + std::string(11, ' ') + WideToUtf8(kMd5Abc) + " *" + WideToUtf8(names[k])) {
        ++counts[k];
        known = true;
      }
    }
    EXPECT_TRUE(known) << "a merged or broken line: " << line;
  }
  EXPECT_EQ(counts[0], kLinesPerCopy);
  EXPECT_EQ(counts[1], kLinesPerCopy);
}

// ---- a clipboard holding megabytes, or no text at all, at auto-paste ------------

TEST_F(FaultMatrix, AutoPasteTakesNothingFromAHugeOrTextlessClipboard) {
  Start();
  form->Autopastechecksumfromclipboard1.SetChecked(true);
  const std::wstring path = MakeFile(L"a.exe", "abc");
  struct Case {
    const char* what;
    std::function<void()> fill;
  };
  const Case cases[] = {
      {"4 MiB of hexadecimal digits", [] { ASSERT_TRUE(SetClipboardText(std::wstring(4 << 20, L'a'))); }},
      {"a checksum inside 2 MiB of blanks",
       [] { ASSERT_TRUE(SetClipboardText(std::wstring(1 << 20, L' ') + std::wstring(kMd5Abc) +
                                         std::wstring(1 << 20, L'\n'))); }},
      {"no text at all",
       [] {
         ASSERT_TRUE(::OpenClipboard(nullptr));
         ::EmptyClipboard();
         ::CloseClipboard();
       }},
      {"a picture only",
       [] {
         ASSERT_TRUE(::OpenClipboard(nullptr));
         ::EmptyClipboard();
         HDC screen = ::GetDC(nullptr);
         HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 8, 8);
         ::ReleaseDC(nullptr, screen);
         ::SetClipboardData(CF_BITMAP, bitmap);
         ::CloseClipboard();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    form->Edit2.SetText(L"1234abcd");
    c.fill();
    form->FirstArgument = path;
    form->ProcessFirstArgument();
    EXPECT_EQ(form->Edit2.Text(), L"1234abcd") << "an unusable clipboard leaves the field alone";
    RunToEnd();
    EXPECT_EQ(form->Edit1.Text(), kMd5Abc);
    EXPECT_TRUE(desktop.messages.empty());
  }
  // And a usable one is still taken.
  ASSERT_TRUE(SetClipboardText(L"  " + std::wstring(kMd5Abc) + L"\r\n"));
  form->ProcessFirstArgument();
  std::wstring pasted = form->Edit2.Text();
  for (wchar_t& ch : pasted) ch = wchar_t(std::towlower(ch));
  EXPECT_EQ(pasted, kMd5Abc);
  RunToEnd();
}

}  // namespace
}  // namespace ondrix::ui
