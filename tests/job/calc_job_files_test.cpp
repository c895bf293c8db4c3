// The worker on real files through the Windows program's opener and read
// canceller: every type end to end, long Unicode paths, files it cannot open,
// and a read that blocks in the system until the stop cancels it.
#include "job/calc_job.h"

#include <gtest/gtest.h>

#include "startup/file_info.h"
#include "tests/job/job_test_support.h"
#include "tests/support/scratch_folder.h"
#include "win/file_stream.h"
#include "win/last_error.h"

namespace ondrix {
namespace {

using test::OneShotHex;
using test::RunToEnd;
using test::ScratchFolder;

// The job as the window sets it up.
void Prepare(CalcJob& job, const std::wstring& path, ChecksumType type) {
  job.OpenStream = OpenFileStream;
  job.MakeReadCanceller = ReadCancellerForThisThread;
  job.SelectedFilePath = path;
  job.SelectedFileSize = GetFileSize64(path);
  job.SelectedType = type;
}

// The protocol's details are tested on streams from memory
// (calc_job_test.cpp); here the bytes come from real files.
TEST(CalcJob, EveryTypeMatchesTheOneShotDigestOfTheFile) {
  ScratchFolder folder;
  struct Case {
    std::size_t size;
  } const cases[] = {{0}, {8192}, {10000}, {3 * 8192 + 17}};
  for (const Case& c : cases) {
    const std::string bytes = test::PatternBytes(c.size, unsigned(c.size));
    const std::wstring path = folder / (L"file" + std::to_wstring(c.size) + L".bin");
    ASSERT_TRUE(test::WriteBytes(path, bytes));
    for (const ChecksumTypeInfo& info : ChecksumTypes()) {
      SCOPED_TRACE(std::string(info.key) + " of " + std::to_string(c.size) + " bytes");
      CalcJob job;
      Prepare(job, path, info.type);
      ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
      EXPECT_EQ(job.ResultChecksum, OneShotHex(info.type, bytes));
      EXPECT_FALSE(job.HoldsStream()) << "the worker releases its file";
    }
  }
}

TEST(CalcJob, LongUnicodePathIsCheckedEndToEnd) {
  ScratchFolder folder;
  const std::wstring path = test::LongPathUnder(folder.Path(), test::kForeignName, 300);
  ASSERT_GE(path.size(), 300u);
  const std::string bytes = test::PatternBytes(20000);
  ASSERT_TRUE(test::WriteBytes(path, bytes));

  EXPECT_EQ(TryOpenFile(path), L"");
  EXPECT_EQ(GetFileSize64(path), 20000);
  const FileTimeTexts times = ReadFileTimes(path);
  EXPECT_NE(times.modified, L"?");
  CalcJob job;
  Prepare(job, path, ChecksumType::MD5);
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed) << std::string(job.FailureText.begin(), job.FailureText.end());
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::MD5, bytes));
}

TEST(CalcJob, FileTheWorkerCannotOpenFailsWithTheSystemsText) {
  ScratchFolder folder;
  const std::wstring locked = folder / L"locked.bin";
  ASSERT_TRUE(test::WriteBytes(locked, "abc"));
  // Another program writes to it: the worker's open, which denies writers,
  // is refused.
  HANDLE writer = ::CreateFileW(locked.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  struct Case {
    std::wstring path;
    std::wstring name;
    DWORD error;
  } const cases[] = {
      {locked, L"locked.bin", ERROR_SHARING_VIOLATION},
      {folder / L"gone.bin", L"gone.bin", ERROR_FILE_NOT_FOUND},
  };
  for (const Case& c : cases) {
    for (ChecksumType type : {ChecksumType::SHA1, ChecksumType::CRC32}) {
      CalcJob job;
      Prepare(job, c.path, type);
      job.SelectedFileSize = 3;
      ASSERT_EQ(RunToEnd(job), JobOutcome::Failed);
      EXPECT_EQ(job.ResultChecksum, L"");
      EXPECT_EQ(job.FailureText,
                L"Cannot access file " + c.name + L"\r\r\n" + win::SystemErrorText(c.error));
      EXPECT_EQ(job.RunningEngine(type), nullptr) << "no engine for a file never opened";
    }
    EXPECT_EQ(TryOpenFile(c.path), win::SystemErrorText(c.error));
  }
  ::CloseHandle(writer);
  EXPECT_EQ(TryOpenFile(locked), L"");
}

// The read end of a pipe as a file of `size` bytes: its reads are real
// ReadFile calls that wait for the writer, as a read from a share that went
// away waits.
class PipeStream final : public IByteStream {
 public:
  PipeStream(HANDLE read_end, std::int64_t size) : reader_(read_end), size_(size) {}
  std::int64_t Size() override { return size_; }
  std::int64_t Position() override { return position_; }
  std::size_t Read(void* buffer, std::size_t count) override {
    const std::size_t n = reader_.Read(buffer, count);
    position_ += std::int64_t(n);
    return n;
  }

 private:
  WinFileStream reader_;
  std::int64_t size_;
  std::int64_t position_ = 0;
};

// A read that hangs (a share gone away): the stop cancels the read the
// worker is blocked in, so the worker returns without anyone feeding it.
// The pipe receives 100 bytes and then nothing.
TEST(CalcJob, StopCancelsAReadThatBlocks) {
  for (ChecksumType type : {ChecksumType::SHA1, ChecksumType::CRC32}) {
    SCOPED_TRACE(std::string(TypeInfo(type).key));
    HANDLE read_end = nullptr, write_end = nullptr;
    ASSERT_TRUE(::CreatePipe(&read_end, &write_end, nullptr, 0));
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(write_end, std::string(100, 'p').data(), 100, &written, nullptr));
    CalcJob job;
    job.MakeReadCanceller = ReadCancellerForThisThread;
    job.SelectedFilePath = L"\\\\gone\\share\\file.bin";
    job.SelectedFileSize = 1 << 20;
    job.SelectedType = type;
    job.OpenStream = [&](const std::wstring&) {
      return OpenedStream{std::make_unique<PipeStream>(read_end, 1 << 20), L""};
    };
    job.Start();
    for (int i = 0; i < 4000 && job.ProgressBytes() != 100; ++i) ::Sleep(5);
    ASSERT_EQ(job.ProgressBytes(), 100) << "the worker read what there was";

    job.RequestAbort();  // Escape
    EXPECT_EQ(job.Outcome(), JobOutcome::Aborted);
    job.StopWithoutWaiting();
    const bool returned = job.WaitForStoppedWorkers(std::chrono::seconds(20));
    EXPECT_TRUE(returned) << "the blocked read was not cancelled";
    ::CloseHandle(write_end);  // lets a worker the cancel missed end
    EXPECT_TRUE(job.WaitForStoppedWorkers());
    EXPECT_EQ(job.Outcome(), JobOutcome::Aborted);
    EXPECT_EQ(job.ResultChecksum, L"");
    EXPECT_EQ(job.FailureText, L"") << "a cancelled read is no read error";
  }
}

}  // namespace
}  // namespace ondrix
