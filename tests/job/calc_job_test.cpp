// The worker and the ways a job ends: completed, failed (open, read,
// anything escaping the body) or aborted, with files served from memory
// through the job's opener seam. Portable: runs natively under the
// sanitizers (ThreadSanitizer too) and under Wine.
#include "job/calc_job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "engines/crc32.h"
#include "tests/job/job_test_support.h"
#include "tests/support/pattern_bytes.h"
#include "tests/support/scripted_stream.h"

namespace ondrix {
namespace {

using test::Gate;
using test::OneShotHex;
using test::RunToEnd;

// A file of `bytes` as the opener hands it over; `step` runs before each
// read (throw to fail it, wait to hold the worker).
StreamOpener MemoryFile(const std::string& bytes, test::ScriptedStream::Step step = {}) {
  return [data = std::vector<std::uint8_t>(bytes.begin(), bytes.end()), step](const std::wstring&) {
    return OpenedStream{std::make_unique<test::ScriptedStream>(data, step), L""};
  };
}

void Prepare(CalcJob& job, const std::wstring& name, const std::string& bytes, ChecksumType type,
             test::ScriptedStream::Step step = {}) {
  job.SelectedFilePath = L"C:\\data\\" + name;
  job.SelectedFileSize = std::int64_t(bytes.size());
  job.SelectedType = type;
  job.OpenStream = MemoryFile(bytes, std::move(step));
}

// ---- completed jobs ---------------------------------------------------------

TEST(CalcJob, EveryTypeMatchesTheOneShotDigest) {
  for (std::size_t size : {std::size_t(0), std::size_t(8192), std::size_t(10000), std::size_t(3 * 8192 + 17)}) {
    const std::string bytes = test::PatternBytes(size, unsigned(size));
    for (const ChecksumTypeInfo& info : ChecksumTypes()) {
      SCOPED_TRACE(std::string(info.key) + " of " + std::to_string(size) + " bytes");
      CalcJob job;
      Prepare(job, L"file.bin", bytes, info.type);
      ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
      EXPECT_EQ(job.ResultChecksum, OneShotHex(info.type, bytes));
      EXPECT_EQ(job.ResultChecksum.size(), std::size_t(info.HexLength()));
      EXPECT_EQ(job.CalcCompleted.load(), 1);
      EXPECT_TRUE(job.FailureText.empty());
      EXPECT_FALSE(job.HoldsStream()) << "the worker releases its stream";
      EXPECT_EQ(job.ProgressBytes(), std::int64_t(size));
      if (!info.IsCrc()) {
        // The monitor's counter survives the worker until the engine is
        // released; then it falls back to 1.
        job.ReleaseEngine(info.key);
        EXPECT_EQ(job.RunningEngine(info.type), nullptr);
        EXPECT_EQ(job.ProgressBytes(), 1);
        job.ReleaseEngine(info.key);  // an empty reference: nothing happens
      }
    }
  }
}

// The job's own opener, without the Windows program's: the C library's
// stream on a real file, and the system's reason when there is none.
TEST(CalcJob, PortableOpenerReadsRealFilesAndReportsMissingOnes) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("ondrix-job-" + std::to_string(std::rand()));
  std::filesystem::create_directories(folder);
  const std::string bytes = test::PatternBytes(20000);
  std::ofstream(folder / "real.bin", std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));

  CalcJob job;
  job.SelectedFilePath = (folder / "real.bin").wstring();
  job.SelectedFileSize = std::int64_t(bytes.size());
  job.SelectedType = ChecksumType::SHA256;
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::SHA256, bytes));

  job.SelectedFilePath = (folder / "gone.bin").wstring();
  ASSERT_EQ(RunToEnd(job), JobOutcome::Failed);
  EXPECT_EQ(job.FailureText.rfind(L"Cannot access file gone.bin\r\r\n", 0), 0u) << "the reason follows";
  EXPECT_GT(job.FailureText.size(), std::wstring(L"Cannot access file gone.bin\r\r\n").size());
  std::filesystem::remove_all(folder);
}

TEST(CalcJob, EmptyFileKnownAnswers) {
  CalcJob job;
  Prepare(job, L"empty.bin", "", ChecksumType::MD5);
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, L"d41d8cd98f00b204e9800998ecf8427e");
  Prepare(job, L"empty.bin", "", ChecksumType::CRC32);
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
  const std::string bytes = WithZeroCrc("The CRC of this file is zero.");
  ASSERT_EQ(Crc32(bytes.data(), bytes.size()), 0u);
  CalcJob job;
  Prepare(job, L"zero-crc.bin", bytes, ChecksumType::CRC32);
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, L"00000000");
}

TEST(CalcJob, DigestHashesTheSizeRecordedAtSelectionCrcReadsToTheEnd) {
  const std::string bytes = test::PatternBytes(9000);
  CalcJob job;
  Prepare(job, L"grown.bin", bytes, ChecksumType::SHA256);
  job.SelectedFileSize = 8192;  // the file grew after it was selected
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::SHA256, bytes.substr(0, 8192)));
  job.SelectedType = ChecksumType::CRC32;
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::CRC32, bytes));
  EXPECT_EQ(job.ProgressBytes(), 9000);
}

// ---- failed jobs ------------------------------------------------------------

TEST(CalcJob, ReadErrorPartWayFailsTheJobWithTheReason) {
  const std::string bytes = test::PatternBytes(5 * 8192 + 100);
  // The reason as a stream reports it: UTF-8 of the system's text.
  const std::string reason = "The device is not ready (\xC3\xBC).";
  for (ChecksumType type : {ChecksumType::MD5, ChecksumType::SHA512, ChecksumType::CRC32}) {
    SCOPED_TRACE(std::string(TypeInfo(type).key));
    CalcJob job;
    Prepare(job, L"flaky disk.bin", bytes, type, [&](int n) {
      if (n >= 3) throw EStreamError(reason);
    });
    ASSERT_EQ(RunToEnd(job), JobOutcome::Failed);
    EXPECT_EQ(job.CalcCompleted.load(), 0);
    EXPECT_EQ(job.ResultChecksum, L"") << "no partial digest is shown as the checksum";
    EXPECT_EQ(job.FailureText, L"Read error in file flaky disk.bin\r\r\nThe device is not ready (\u00fc).");
    EXPECT_FALSE(job.HoldsStream());
  }
}

TEST(CalcJob, AnythingEscapingTheBodyEndsTheJobAsFailed) {
  const std::string bytes = test::PatternBytes(3 * 8192);
  struct Case {
    const char* what;
    StreamOpener opener;
    std::wstring reason;
  } const cases[] = {
      {"a read throws something that is not a stream error",
       MemoryFile(bytes, [](int n) {
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
      Prepare(job, L"a.bin", bytes, type);
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
  const std::int64_t size = 64 * 8192 + 5;
  const std::string bytes = test::PatternBytes(std::size_t(size));
  for (ChecksumType type : {ChecksumType::MD5, ChecksumType::HAVAL, ChecksumType::CRC32}) {
    SCOPED_TRACE(std::string(TypeInfo(type).key));
    Gate gate;
    CalcJob job;
    Prepare(job, L"large.bin", bytes, type, [&](int n) {
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
  Gate gate;
  CalcJob job;
  Prepare(job, L"large.bin", test::PatternBytes(32 * 8192), ChecksumType::SHA256, [&](int n) {
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
  EXPECT_TRUE(job.WaitForStoppedWorkers(std::chrono::seconds(20)));
  EXPECT_EQ(job.CalcIdle.load(), 0);
  EXPECT_EQ(job.ResultChecksum, L"");
  // The user aborts it later from the tray: the abort branch runs.
  job.RequestAbort();
  EXPECT_EQ(job.Outcome(), JobOutcome::Aborted);
  EXPECT_EQ(job.ResultChecksum, L"");
}

// A read that no cancel reaches: the abort still returns at once, the next
// job runs while the old worker is stuck, and when the stuck read finally
// returns that worker publishes nothing.
TEST(CalcJob, AbortNeverWaitsForAStuckRead) {
  const std::string next_bytes = test::PatternBytes(3000, 7);
  Gate gate;
  CalcJob job;
  Prepare(job, L"stuck.bin", test::PatternBytes(8 * 8192), ChecksumType::MD5, [&](int n) {
    if (n == 2) gate.ArriveAndWait();
  });
  job.Start();
  ASSERT_TRUE(gate.WaitReached());

  // Should the job wait for the worker after all, the gate opens by itself
  // after a while so the test fails instead of hanging.
  std::atomic<bool> done_waiting{false}, released_by_guard{false};
  std::thread guard([&] {
    for (int i = 0; i < 2000 && !done_waiting; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done_waiting) {
      released_by_guard = true;
      gate.Release();
    }
  });
  job.RequestAbort();
  job.StopWithoutWaiting();
  EXPECT_EQ(job.Outcome(), JobOutcome::Aborted);
  Prepare(job, L"next.bin", next_bytes, ChecksumType::MD5);
  job.Start();
  job.JoinWorker();
  done_waiting = true;
  guard.join();
  EXPECT_FALSE(released_by_guard) << "the abort or the next start waited for the stuck read";
  EXPECT_EQ(job.Outcome(), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::MD5, next_bytes));

  EXPECT_FALSE(job.WaitForStoppedWorkers(std::chrono::milliseconds(0))) << "the stuck worker is still in its read";
  gate.Release();
  EXPECT_TRUE(job.WaitForStoppedWorkers());
  EXPECT_EQ(job.Outcome(), JobOutcome::Completed) << "the old worker published nothing";
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::MD5, next_bytes));
  EXPECT_EQ(job.FailureText, L"");
}

// A stop cancels the read the worker is blocked in through the canceller the
// worker made for its thread; the cancelled read is no read error.
class BlockingRead {
 public:
  // A stream of `size` bytes whose first read blocks until cancelled.
  OpenedStream Open() {
    return {std::make_unique<test::ScriptedStream>(std::vector<std::uint8_t>(1 << 16, 'p'), [this](int) {
              std::unique_lock lock(mutex_);
              blocked_ = true;
              changed_.notify_all();
              changed_.wait(lock, [&] { return cancelled_; });
              throw EStreamCancelled("The I/O operation has been aborted.");
            }),
            L""};
  }
  std::unique_ptr<IReadCanceller> MakeCanceller() {
    struct Canceller final : IReadCanceller {
      explicit Canceller(BlockingRead& owner) : owner(owner) {}
      Result CancelRead() override {
        std::lock_guard lock(owner.mutex_);
        if (!owner.blocked_) return Result::kNoReadPending;
        owner.cancelled_ = true;
        owner.changed_.notify_all();
        return Result::kCancelled;
      }
      BlockingRead& owner;
    };
    return std::make_unique<Canceller>(*this);
  }
  bool WaitBlocked() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return blocked_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool blocked_ = false;
  bool cancelled_ = false;
};

TEST(CalcJob, StopCancelsTheReadTheWorkerIsBlockedIn) {
  for (ChecksumType type : {ChecksumType::SHA1, ChecksumType::CRC32}) {
    SCOPED_TRACE(std::string(TypeInfo(type).key));
    BlockingRead read;
    CalcJob job;
    job.SelectedFilePath = L"\\\\gone\\share\\file.bin";
    job.SelectedFileSize = 1 << 16;
    job.SelectedType = type;
    job.OpenStream = [&](const std::wstring&) { return read.Open(); };
    job.MakeReadCanceller = [&] { return read.MakeCanceller(); };
    job.Start();
    ASSERT_TRUE(read.WaitBlocked());

    job.RequestAbort();  // Escape
    EXPECT_EQ(job.Outcome(), JobOutcome::Aborted);
    job.StopWithoutWaiting();
    EXPECT_TRUE(job.WaitForStoppedWorkers(std::chrono::seconds(20))) << "the blocked read was not cancelled";
    EXPECT_EQ(job.Outcome(), JobOutcome::Aborted);
    EXPECT_EQ(job.ResultChecksum, L"");
    EXPECT_EQ(job.FailureText, L"") << "a cancelled read is no read error";
  }
}

TEST(CalcJob, AbortAfterTheWorkerPublishedLeavesTheResult) {
  const std::string bytes = test::PatternBytes(100);
  CalcJob job;
  Prepare(job, L"small.bin", bytes, ChecksumType::RIPEMD160);
  ASSERT_EQ(RunToEnd(job), JobOutcome::Completed);
  job.RequestAbort();
  job.StopAndJoin();
  EXPECT_EQ(job.Outcome(), JobOutcome::Completed);
  EXPECT_EQ(job.ResultChecksum, OneShotHex(ChecksumType::RIPEMD160, bytes));
}

TEST(CalcJob, ProgressIsOneUntilTheEngineExists) {
  Gate gate;
  CalcJob job;
  Prepare(job, L"p.bin", test::PatternBytes(4 * 8192), ChecksumType::SHA1, [&](int n) {
    if (n == 3) gate.ArriveAndWait();
  });
  EXPECT_EQ(job.ProgressBytes(), 1);
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
