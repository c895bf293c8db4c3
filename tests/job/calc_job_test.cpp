// The worker end to end on real files, and the ways a job ends: completed,
// failed (open, read, anything escaping the body) or aborted.
#include "job/calc_job.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <atomic>
#include <thread>

#include "engines/crc32.h"
#include "startup/file_info.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/scripted_stream.h"
#include "win/last_error.h"

namespace ondrix {
namespace {

using test::ScratchFolder;

std::wstring OneShotHex(ChecksumType type, std::string_view bytes) {
  const ChecksumTypeInfo& info = TypeInfo(type);
  std::string hex;
  if (info.IsCrc()) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", unsigned(Crc32(bytes.data(), bytes.size())));
    hex = text;
  } else {
    auto engine = info.create_engine();
    std::uint8_t digest[64];
    engine->BeginDigest();
    engine->AddData(bytes.data(), std::int64_t(bytes.size()));
    engine->EndDigest(digest);
    hex = DigestToHex(digest, std::size_t(info.digest_bytes));
  }
  std::wstring lower;
  for (char c : hex) lower += wchar_t(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

void Prepare(CalcJob& job, const std::wstring& path, ChecksumType type) {
  job.SelectedFilePath = path;
  job.SelectedFileSize = GetFileSize64(path);
  job.SelectedType = type;
}

JobOutcome RunToEnd(CalcJob& job) {
  job.Start();
  job.JoinWorker();
  return job.Outcome();
}

// ---- streams handed to the worker through its opener seam ------------------

// Holds the worker inside its Nth read until the test lets it go.
struct Gate {
  std::mutex mutex;
  std::condition_variable changed;
  bool reached = false;
  bool released = false;

  void ArriveAndWait() {
    std::unique_lock lock(mutex);
    reached = true;
    changed.notify_all();
    changed.wait(lock, [&] { return released; });
  }
  bool WaitReached() {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(20), [&] { return reached; });
  }
  void Release() {
    std::lock_guard lock(mutex);
    released = true;
    changed.notify_all();
  }
};

// Opens the real file and wraps it in a scripted stream that runs `step`
// before each read.
StreamOpener Wrapping(test::ScriptedStream::Step step) {
  return [step](const std::wstring& path) {
    OpenedStream opened = OpenFileStream(path);
    if (opened.stream) opened.stream = std::make_unique<test::ScriptedStream>(std::move(opened.stream), step);
    return opened;
  };
}

// ---- completed jobs ---------------------------------------------------------

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
      EXPECT_EQ(job.ResultChecksum.size(), std::size_t(info.HexLength()));
      EXPECT_EQ(job.CalcCompleted.load(), 1);
      EXPECT_TRUE(job.FailureText.empty());
      EXPECT_FALSE(job.HoldsStream()) << "the worker releases its stream";
      if (info.IsCrc()) {
        EXPECT_EQ(job.ProgressBytes(), std::int64_t(c.size));
      } else {
        // The monitor's counter survives the worker until the engine is
        // released; then it falls back to 1.
        EXPECT_EQ(job.ProgressBytes(), std::int64_t(c.size));
        job.ReleaseEngine(info.key);
        EXPECT_EQ(job.RunningEngine(info.type), nullptr);
        EXPECT_EQ(job.ProgressBytes(), 1);
        job.ReleaseEngine(info.key);  // an empty reference: nothing happens
      }
    }
  }
}

TEST(CalcJob, EmptyFileKnownAnswers) {
  ScratchFolder folder;
  const std::wstring path = folder / L"empty.bin";
  ASSERT_TRUE(test::WriteBytes(path, ""));
  CalcJob job;
  Prepare(job, path, ChecksumType::MD5);
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, L"d41d8cd98f00b204e9800998ecf8427e");
  Prepare(job, path, ChecksumType::CRC32);
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, L"00000000") << "a CRC of 0 is a result, not a failure";
}

// Four bytes that bring the CRC register of `prefix` to all ones, so the
// whole CRC-32 is 0: run the table backwards from the wanted register, then
// forwards from the real one.
std::string WithZeroCrc(std::string prefix) {
  const auto& table = kCrc32Table;
  auto index_with_top = [&](std::uint32_t top) {
    for (int i = 0; i < 256; ++i)
      if ((table[i] >> 24) == top) return i;
    return -1;
  };
  int index[4];
  std::uint32_t r = 0xFFFFFFFFu;
  for (int k = 3; k >= 0; --k) {
    index[k] = index_with_top(r >> 24);
    r = (r ^ table[index[k]]) << 8;
  }
  std::uint32_t reg = ~Crc32(prefix.data(), prefix.size());
  for (int k = 0; k < 4; ++k) {
    const std::uint8_t b = std::uint8_t((index[k] ^ reg) & 0xFF);
    prefix += char(b);
    reg = (reg >> 8) ^ table[(reg ^ b) & 0xFF];
  }
  return prefix;
}

TEST(CalcJob, CrcOfZeroIsEightZeroDigits) {
  ScratchFolder folder;
  const std::string bytes = WithZeroCrc("The CRC of this file is zero.");
  ASSERT_EQ(Crc32(bytes.data(), bytes.size()), 0u);
  const std::wstring path = folder / L"zero-crc.bin";
  ASSERT_TRUE(test::WriteBytes(path, bytes));
  CalcJob job;
  Prepare(job, path, ChecksumType::CRC32);
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, L"00000000");
}

TEST(CalcJob, DigestHashesTheSizeRecordedAtSelectionCrcReadsToTheEnd) {
  ScratchFolder folder;
  const std::string bytes = test::PatternBytes(9000);
  const std::wstring path = folder / L"grown.bin";
  ASSERT_TRUE(test::WriteBytes(path, bytes));
  CalcJob job;
  Prepare(job, path, ChecksumType::SHA256);
  job.SelectedFileSize = 8192;  // the file grew after it was selected
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::SHA256, bytes.substr(0, 8192)));
  job.SelectedType = ChecksumType::CRC32;
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::CRC32, bytes));
  EXPECT_EQ(job.ProgressBytes(), 9000);
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

// ---- failed jobs ------------------------------------------------------------

TEST(CalcJob, ReadErrorPartWayFailsTheJobWithTheReason) {
  ScratchFolder folder;
  const std::wstring path = folder / L"flaky disk.bin";
  ASSERT_TRUE(test::WriteBytes(path, test::PatternBytes(5 * 8192 + 100)));
  // The reason as a stream reports it: UTF-8 of the system's text.
  const std::string reason = "The device is not ready (\xC3\xBC).";
  for (ChecksumType type : {ChecksumType::MD5, ChecksumType::SHA512, ChecksumType::CRC32}) {
    SCOPED_TRACE(std::string(TypeInfo(type).key));
    CalcJob job;
    Prepare(job, path, type);
    job.OpenStream = Wrapping([&](int n) {
      if (n >= 3) throw EStreamError(reason);
    });
    ASSERT_EQ(RunToEnd(job), JobOutcome::Failed);
    EXPECT_EQ(job.CalcCompleted.load(), 0);
    EXPECT_EQ(job.ResultChecksum, L"") << "no partial digest is shown as the checksum";
    EXPECT_EQ(job.FailureText, L"Read error in file flaky disk.bin\r\r\nThe device is not ready (\u00fc).");
    EXPECT_FALSE(job.HoldsStream());
  }
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

TEST(CalcJob, AnythingEscapingTheBodyEndsTheJobAsFailed) {
  ScratchFolder folder;
  const std::wstring path = folder / L"a.bin";
  ASSERT_TRUE(test::WriteBytes(path, test::PatternBytes(3 * 8192)));
  struct Case {
    const char* what;
    StreamOpener opener;
    std::wstring reason;
  } const cases[] = {
      {"a read throws something that is not a stream error",
       Wrapping([](int n) {
         if (n >= 2) throw std::logic_error("engine fault");
       }),
       L"engine fault"},
      {"the open itself throws", [](const std::wstring&) -> OpenedStream { throw std::bad_alloc(); },
       L"std::bad_alloc"},
      {"a foreign exception type", [](const std::wstring&) -> OpenedStream { throw 42; },
       L"Unexpected error"},
  };
  for (const Case& c : cases) {
    for (ChecksumType type : {ChecksumType::TIGER, ChecksumType::CRC32}) {
      SCOPED_TRACE(std::string(c.what) + ", " + std::string(TypeInfo(type).key));
      CalcJob job;
      Prepare(job, path, type);
      job.OpenStream = c.opener;
      ASSERT_EQ(RunToEnd(job), JobOutcome::Failed) << "a job that never ends";
      EXPECT_EQ(job.FailureText, L"Calculation of file a.bin failed\r\r\n" + c.reason);
      EXPECT_EQ(job.ResultChecksum, L"");
      EXPECT_FALSE(job.HoldsStream());
    }
  }
}

// ---- aborted jobs -----------------------------------------------------------

TEST(CalcJob, AbortMidFileStopsTheWorkerWithoutAResult) {
  ScratchFolder folder;
  const std::wstring path = folder / L"large.bin";
  const std::int64_t size = 64 * 8192 + 5;
  ASSERT_TRUE(test::WriteBytes(path, test::PatternBytes(std::size_t(size))));
  for (ChecksumType type : {ChecksumType::MD5, ChecksumType::HAVAL, ChecksumType::CRC32}) {
    SCOPED_TRACE(std::string(TypeInfo(type).key));
    Gate gate;
    CalcJob job;
    Prepare(job, path, type);
    job.OpenStream = Wrapping([&](int n) {
      if (n == 4) gate.ArriveAndWait();
    });
    job.Start();
    ASSERT_TRUE(gate.WaitReached());
    EXPECT_EQ(job.Outcome(), JobOutcome::Running);

    job.RequestAbort();  // Escape
    EXPECT_EQ(job.Outcome(), JobOutcome::Aborted) << "the next tick sees the abort";
    gate.Release();
    job.StopAndJoin();

    EXPECT_FALSE(job.JobThread.joinable());
    EXPECT_EQ(job.Outcome(), JobOutcome::Aborted) << "the stopped worker published nothing";
    EXPECT_EQ(job.ResultChecksum, L"");
    EXPECT_EQ(job.FailureText, L"");
    EXPECT_LT(job.ProgressBytes(), size) << "the worker stopped part-way";
    EXPECT_GE(job.ProgressBytes(), 3 * 8192);
    EXPECT_EQ(job.WasAborted(), !TypeInfo(type).IsCrc());
    job.ReleaseStream();
    job.ReleaseEngine(TypeInfo(type).key);
    EXPECT_EQ(job.RunningEngine(type), nullptr);
  }
}

TEST(CalcJob, ClosingTheWindowStopsTheWorkerButChangesNoFlag) {
  ScratchFolder folder;
  const std::wstring path = folder / L"large.bin";
  ASSERT_TRUE(test::WriteBytes(path, test::PatternBytes(32 * 8192)));
  Gate gate;
  CalcJob job;
  Prepare(job, path, ChecksumType::SHA256);
  job.OpenStream = Wrapping([&](int n) {
    if (n == 2) gate.ArriveAndWait();
  });
  job.Start();
  ASSERT_TRUE(gate.WaitReached());
  const TDigest* engine = job.RunningEngine(ChecksumType::SHA256);
  ASSERT_NE(engine, nullptr);
  // The window closes while the worker is inside a read: the stop is
  // signalled and the worker let go; the read returns later.
  job.StopWithoutWaiting();
  EXPECT_EQ(engine->AbortRequested.load(), 1);
  EXPECT_FALSE(job.JobThread.joinable());
  EXPECT_EQ(job.RunningEngine(ChecksumType::SHA256), nullptr) << "the job holds nothing of it";
  EXPECT_EQ(job.CalcIdle.load(), 0) << "the window still shows the calculation running";
  gate.Release();
  EXPECT_TRUE(job.WaitForStoppedWorkers(20000));
  EXPECT_EQ(job.CalcIdle.load(), 0);
  EXPECT_EQ(job.ResultChecksum, L"");
  // The user aborts it later from the tray: the abort branch runs.
  job.RequestAbort();
  EXPECT_EQ(job.Outcome(), JobOutcome::Aborted);
  EXPECT_EQ(job.ResultChecksum, L"");
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
    const bool returned = job.WaitForStoppedWorkers(20000);
    EXPECT_TRUE(returned) << "the blocked read was not cancelled";
    ::CloseHandle(write_end);  // lets a worker the cancel missed end
    EXPECT_TRUE(job.WaitForStoppedWorkers(INFINITE));
    EXPECT_EQ(job.Outcome(), JobOutcome::Aborted);
    EXPECT_EQ(job.ResultChecksum, L"");
    EXPECT_EQ(job.FailureText, L"") << "a cancelled read is no read error";
  }
}

// A read that no cancel reaches: the abort still returns at once, the next
// job runs while the old worker is stuck, and when the stuck read finally
// returns that worker publishes nothing.
TEST(CalcJob, AbortNeverWaitsForAStuckRead) {
  ScratchFolder folder;
  const std::wstring stuck = folder / L"stuck.bin";
  const std::wstring next = folder / L"next.bin";
  ASSERT_TRUE(test::WriteBytes(stuck, test::PatternBytes(8 * 8192)));
  const std::string next_bytes = test::PatternBytes(3000, 7);
  ASSERT_TRUE(test::WriteBytes(next, next_bytes));
  Gate gate;
  CalcJob job;
  Prepare(job, stuck, ChecksumType::MD5);
  job.OpenStream = Wrapping([&](int n) {
    if (n == 2) gate.ArriveAndWait();
  });
  job.Start();
  ASSERT_TRUE(gate.WaitReached());

  // Should the job wait for the worker after all, the gate opens by itself
  // after a while so the test fails instead of hanging.
  std::atomic<bool> done_waiting{false}, released_by_guard{false};
  std::thread guard([&] {
    for (int i = 0; i < 2000 && !done_waiting; ++i) ::Sleep(10);
    if (!done_waiting) {
      released_by_guard = true;
      gate.Release();
    }
  });
  job.RequestAbort();
  job.StopWithoutWaiting();
  EXPECT_EQ(job.Outcome(), JobOutcome::Aborted);
  Prepare(job, next, ChecksumType::MD5);
  job.OpenStream = OpenFileStream;
  job.Start();
  job.JoinWorker();
  done_waiting = true;
  guard.join();
  EXPECT_FALSE(released_by_guard) << "the abort or the next start waited for the stuck read";
  EXPECT_EQ(job.Outcome(), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::MD5, next_bytes));

  EXPECT_FALSE(job.WaitForStoppedWorkers(0)) << "the stuck worker is still in its read";
  gate.Release();
  EXPECT_TRUE(job.WaitForStoppedWorkers(INFINITE));
  EXPECT_EQ(job.Outcome(), JobOutcome::Completed) << "the old worker published nothing";
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::MD5, next_bytes));
  EXPECT_EQ(job.FailureText, L"");
}

TEST(CalcJob, AbortAfterTheWorkerPublishedLeavesTheResult) {
  ScratchFolder folder;
  const std::wstring path = folder / L"small.bin";
  const std::string bytes = test::PatternBytes(100);
  ASSERT_TRUE(test::WriteBytes(path, bytes));
  CalcJob job;
  Prepare(job, path, ChecksumType::RIPEMD160);
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  job.RequestAbort();
  job.StopAndJoin();
  EXPECT_EQ(job.Outcome(), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::RIPEMD160, bytes));
}

TEST(CalcJob, ProgressIsOneUntilTheEngineExists) {
  ScratchFolder folder;
  const std::wstring path = folder / L"p.bin";
  ASSERT_TRUE(test::WriteBytes(path, test::PatternBytes(4 * 8192)));
  Gate gate;
  CalcJob job;
  Prepare(job, path, ChecksumType::SHA1);
  EXPECT_EQ(job.ProgressBytes(), 1);
  job.OpenStream = Wrapping([&](int n) {
    if (n == 3) gate.ArriveAndWait();
  });
  job.Start();
  ASSERT_TRUE(gate.WaitReached());
  EXPECT_EQ(job.ProgressBytes(), 2 * 8192) << "two blocks hashed before the third read";
  gate.Release();
  job.JoinWorker();
  EXPECT_EQ(job.Outcome(), JobOutcome::Completed);
  EXPECT_EQ(job.ProgressBytes(), 4 * 8192);
}

}  // namespace
}  // namespace ondrix
