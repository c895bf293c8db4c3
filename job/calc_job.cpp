#include "job/calc_job.h"

#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <utility>
#include <vector>

#include "engines/file_stream.h"
#include "engines/stream_checksum.h"
#include "text/path_text.h"
#include "text/utf.h"

namespace ondrix {
namespace {

// Why a job that read to the end gives no checksum: the file's size
// changed under the reader (a share whose server truncated it, say; a local
// writer is kept out by the worker's share mode).
constexpr std::wstring_view kFileChangedText = L"The file changed its size while it was read.";

std::wstring ReasonOr(std::wstring reason, std::wstring_view fallback) {
  return reason.empty() ? std::wstring(fallback) : std::move(reason);
}

enum : std::uint8_t { kUnclaimed = 0, kClaimedByWorker = 1, kClaimedByStop = 2 };

// How long a stop keeps trying to cancel a read the worker is entering: the
// gap between its test of the stop flag and the system call is short, and a
// read that no cancel reaches is left to finish on its own.
constexpr auto kCancelTry = std::chrono::milliseconds(100);

}  // namespace

// Everything one worker touches, shared by its thread and the job until the
// worker has returned, so a worker that is let go never writes into the
// state of the next job.
struct CalcJob::Run {
  Run(std::wstring path, std::int64_t size, ChecksumType type, StreamOpener open,
      ReadCancellerMaker make_canceller)
      : path(std::move(path)),
        size(size),
        type(type),
        open(std::move(open)),
        make_canceller(std::move(make_canceller)) {}
  ~Run() { delete canceller.load(); }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  const std::wstring path;
  const std::int64_t size;
  const ChecksumType type;
  const StreamOpener open;
  const ReadCancellerMaker make_canceller;

  std::array<std::unique_ptr<TDigest>, kEngineSlots> JobEngines;
  std::unique_ptr<IByteStream> JobStream;
  std::atomic<std::int64_t> CrcBytesRead{0};
  std::array<std::atomic<TDigest*>, kEngineSlots> engine_view{};

  std::atomic<std::uint8_t> end_claim{kUnclaimed};
  std::atomic<bool> stop{false};
  // Set while the worker opens or reads, so a stop knows to cancel.
  std::atomic<bool> in_io{false};
  // Cancels the worker's reads; set once by the worker, owned by the run.
  std::atomic<IReadCanceller*> canceller{nullptr};

  // Set as the worker's last act.
  std::mutex done_mutex;
  std::condition_variable done_changed;
  bool done = false;

  void MarkDone() {
    std::lock_guard lock(done_mutex);
    done = true;
    done_changed.notify_all();
  }
  bool Finished() {
    std::lock_guard lock(done_mutex);
    return done;
  }
  // Waits until the worker is done or `deadline` passes (null: no limit).
  bool WaitDone(const std::chrono::steady_clock::time_point* deadline) {
    std::unique_lock lock(done_mutex);
    if (!deadline) {
      done_changed.wait(lock, [&] { return done; });
      return true;
    }
    return done_changed.wait_until(lock, *deadline, [&] { return done; });
  }

  bool ClaimForWorker() {
    std::uint8_t expected = kUnclaimed;
    return end_claim.compare_exchange_strong(expected, kClaimedByWorker);
  }

  void Stop() {
    std::uint8_t expected = kUnclaimed;
    end_claim.compare_exchange_strong(expected, kClaimedByStop);
    // Once stopped the worker starts no read, so a second stop (Escape, then
    // the tick) has nothing new to cancel.
    if (stop.exchange(true)) return;
    for (auto& view : engine_view)
      if (TDigest* engine = view.load()) engine->AbortRequested.store(1);
    CancelPendingIo();
  }

  // The worker marks in_io before it tests the stop flag and the stop sets
  // the flag before it tests in_io (both sequentially consistent): either
  // the worker sees the stop and reads no more, or the stop sees the worker
  // in its read and cancels it, trying again while the worker is still on
  // its way into the system call.
  void CancelPendingIo() {
    const auto until = std::chrono::steady_clock::now() + kCancelTry;
    while (in_io.load()) {
      IReadCanceller* const cancel = canceller.load();
      if (cancel == nullptr) return;
      const IReadCanceller::Result result = cancel->CancelRead();
      if (result != IReadCanceller::Result::kNoReadPending) return;
      if (std::chrono::steady_clock::now() >= until) return;
      std::this_thread::yield();
    }
  }
};

namespace {

// Marks the worker's opens and reads for CancelPendingIo.
class IoScope {
 public:
  explicit IoScope(std::atomic<bool>& in_io) : in_io_(in_io) { in_io_.store(true); }
  ~IoScope() { in_io_.store(false); }
  IoScope(const IoScope&) = delete;
  IoScope& operator=(const IoScope&) = delete;

 private:
  std::atomic<bool>& in_io_;
};

// The file stream as the worker reads it: no read starts after a stop (it
// reads as the end of the file), and a read under way can be cancelled.
class StoppableStream final : public IByteStream {
 public:
  StoppableStream(std::unique_ptr<IByteStream> inner, std::atomic<bool>& stop,
                  std::atomic<bool>& in_io)
      : inner_(std::move(inner)), stop_(stop), in_io_(in_io) {}
  std::int64_t Size() override { return inner_->Size(); }
  std::int64_t Position() override { return inner_->Position(); }
  std::size_t Read(void* buffer, std::size_t count) override {
    const IoScope io(in_io_);
    if (stop_.load()) return 0;
    return inner_->Read(buffer, count);
  }

 private:
  std::unique_ptr<IByteStream> inner_;
  std::atomic<bool>& stop_;
  std::atomic<bool>& in_io_;
};

}  // namespace

OpenedStream OpenPortableFileStream(const std::wstring& path) {
  auto stream = std::make_unique<FileStream>(std::filesystem::path(path));
  if (!stream->IsOpen()) return {nullptr, Utf8ToWide(stream->ErrorText())};
  return {std::move(stream), {}};
}

int EngineSlotOf(ChecksumType type) {
  const auto& order = EngineReleaseOrder();
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] == type) return int(i);
  return -1;
}

CalcJob::~CalcJob() {
  StopAndJoin();
  ReapStoppedWorkers(nullptr);
}

void CalcJob::Start() {
  const auto now = std::chrono::steady_clock::now();
  ReapStoppedWorkers(&now);
  SettleCurrentWorker();
  StopWithoutWaiting();  // a worker still there is let go with what it holds

  run_ = std::make_shared<Run>(SelectedFilePath, SelectedFileSize, SelectedType, OpenStream,
                               MakeReadCanceller);
  CalcFailed.store(0);
  FailureText.clear();
  ResultChecksum.clear();
  CalcIdle.store(0, std::memory_order_release);
  try {
    JobThread = std::thread([this, run = run_] {
      Twatek_obliczania_sum(*run);
      run->MarkDone();
    });
  } catch (const std::exception& e) {
    PublishFailure(*run_, L"Cannot start the calculation\r\r\n" + Utf8ToWide(e.what()));
  }
}

void CalcJob::Twatek_obliczania_sum(Run& run) {
  const std::wstring name = FileNameOf(run.path);
  try {
    if (run.make_canceller) run.canceller.store(run.make_canceller().release());
    // The result text was emptied by Start, before this thread existed: the
    // worker writes it only when it ends the job.
    RunChecksum(run, TypeInfo(run.type));
  } catch (const std::exception& e) {
    run.JobStream.reset();
    PublishFailure(run, L"Calculation of file " + name + L" failed\r\r\n" +
                            ReasonOr(Utf8ToWide(e.what()), L"Unexpected error"));
  } catch (...) {
    run.JobStream.reset();
    PublishFailure(run, L"Calculation of file " + name + L" failed\r\r\nUnexpected error");
  }
}

bool CalcJob::OpenJobStream(Run& run) {
  OpenedStream opened;
  {
    const IoScope io(run.in_io);
    if (run.stop.load()) return false;
    opened = run.open(run.path);
  }
  if (!opened.stream) {
    PublishFailure(run, L"Cannot access file " + FileNameOf(run.path) + L"\r\r\n" +
                            ReasonOr(std::move(opened.error_text), L"Unknown error"));
    return false;
  }
  run.JobStream = std::make_unique<StoppableStream>(std::move(opened.stream), run.stop, run.in_io);
  return true;
}

void CalcJob::RunChecksum(Run& run, const ChecksumTypeInfo& type) {
  if (!OpenJobStream(run)) return;

  ChecksumWatch watch;
  watch.stop = &run.stop;
  watch.crc_bytes_read = &run.CrcBytesRead;
  if (!type.IsCrc()) {
    const int slot = EngineSlotOf(type.type);
    run.JobEngines[slot] = type.create_engine();
    watch.engine = run.JobEngines[slot].get();
    run.engine_view[slot].store(watch.engine);
    // An abort that looked for the engine before it was published left the
    // flag for us to carry over.
    if (run.stop.load()) watch.engine->AbortRequested.store(1);
  }

  StreamChecksum checksum = ChecksumOfStream(type, *run.JobStream, run.size, watch);
  if (checksum.ok && !run.stop.load()) checksum = CheckSizeUnchanged(run, type, std::move(checksum));
  run.JobStream.reset();
  if (checksum.stopped || run.stop.load()) return;
  if (!checksum.ok) {
    PublishFailure(run, L"Read error in file " + FileNameOf(run.path) + L"\r\r\n" +
                            ReasonOr(Utf8ToWide(checksum.text), L"Unknown error"));
    return;
  }
  PublishResult(run, Utf8ToWide(checksum.text));
}

// A checksum of the file as selected, or the reason there is none. Digest
// types hash the size the file had when it was selected: a file that ended
// before it gives bytes that are neither the file as selected nor (it may
// have been cut after they were read) the file as it is now. CRC-32 reads to
// the end, past the selected size when the file has grown; one that ends
// short of that size, or whose size differs from what was read, has changed
// under the reader.
StreamChecksum CalcJob::CheckSizeUnchanged(Run& run, const ChecksumTypeInfo& type,
                                           StreamChecksum checksum) {
  bool changed = false;
  try {
    if (type.IsCrc()) {
      const std::int64_t read = run.CrcBytesRead.load();
      changed = read < run.size || run.JobStream->Size() != read;
    } else {
      const TDigest* engine = run.JobEngines[EngineSlotOf(type.type)].get();
      changed = engine->BytesHashed.load() != run.size;
    }
  } catch (const EStreamError& e) {
    return {false, false, e.what()};
  }
  if (changed) return {false, false, WideToUtf8(kFileChangedText)};
  return checksum;
}

// CalcCompleted (and CalcFailed) are stored before CalcIdle: the monitor
// tests CalcIdle first, so once it reads 1 the rest is in place. Only the
// current run can win its claim: a run is claimed by its stop before it is
// let go, so a worker let go never writes here.
bool CalcJob::PublishResult(Run& run, std::wstring text) {
  if (!run.ClaimForWorker()) return false;
  ResultChecksum = std::move(text);
  CalcFailed.store(0, std::memory_order_release);
  CalcCompleted.store(1, std::memory_order_release);
  CalcIdle.store(1, std::memory_order_release);
  return true;
}

bool CalcJob::PublishFailure(Run& run, std::wstring text) {
  if (!run.ClaimForWorker()) return false;
  FailureText = std::move(text);
  CalcFailed.store(1, std::memory_order_release);
  CalcCompleted.store(0, std::memory_order_release);
  CalcIdle.store(1, std::memory_order_release);
  return true;
}

void CalcJob::SignalStop() {
  if (run_) run_->Stop();
}

void CalcJob::RequestAbort() {
  SignalStop();
  if (!run_ || run_->end_claim.load() == kClaimedByStop) {
    CalcCompleted.store(0, std::memory_order_release);
    CalcIdle.store(1, std::memory_order_release);
  }
}

void CalcJob::StopWithoutWaiting() {
  if (!run_) return;
  run_->Stop();
  if (JobThread.joinable()) stopped_.push_back({run_, std::move(JobThread)});
  run_.reset();
}

void CalcJob::StopAndJoin() {
  if (!JobThread.joinable()) return;
  SignalStop();
  JobThread.join();
}

void CalcJob::JoinWorker() {
  if (JobThread.joinable()) JobThread.join();
}

void CalcJob::SettleCurrentWorker() {
  if (!JobThread.joinable()) return;
  if (run_->Finished() || run_->end_claim.load() == kClaimedByWorker) {
    JobThread.join();  // it has published: its last steps are under way
    return;
  }
  StopWithoutWaiting();
}

void CalcJob::ReapStoppedWorkers(const std::chrono::steady_clock::time_point* deadline) {
  for (auto it = stopped_.begin(); it != stopped_.end();) {
    if (!it->run->WaitDone(deadline)) {
      ++it;
      continue;
    }
    it->thread.join();
    it = stopped_.erase(it);
  }
}

bool CalcJob::WaitForStoppedWorkers(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  ReapStoppedWorkers(&deadline);
  return stopped_.empty();
}

bool CalcJob::WaitForStoppedWorkers() {
  ReapStoppedWorkers(nullptr);
  return stopped_.empty();
}

std::int64_t CalcJob::ProgressBytes() const {
  const int slot = EngineSlotOf(SelectedType);
  if (!run_) return slot < 0 ? 0 : 1;
  if (slot < 0) return run_->CrcBytesRead.load();
  const TDigest* engine = run_->engine_view[slot].load(std::memory_order_acquire);
  return engine ? engine->BytesHashed.load() : 1;
}

const TDigest* CalcJob::RunningEngine(ChecksumType type) const {
  const int slot = EngineSlotOf(type);
  return slot < 0 || !run_ ? nullptr : run_->engine_view[slot].load(std::memory_order_acquire);
}

JobOutcome CalcJob::Outcome() const {
  if (CalcIdle.load(std::memory_order_acquire) == 0) return JobOutcome::Running;
  if (CalcCompleted.load(std::memory_order_acquire)) return JobOutcome::Completed;
  if (CalcFailed.load(std::memory_order_acquire)) return JobOutcome::Failed;
  return JobOutcome::Aborted;
}

bool CalcJob::WasAborted() const {
  const TDigest* engine = RunningEngine(SelectedType);
  return engine && engine->WasAborted.load();
}

bool CalcJob::HoldsStream() const {
  if (!run_) return false;
  if (JobThread.joinable() && !run_->Finished()) return true;  // the worker's to say
  return run_->JobStream != nullptr;
}

void CalcJob::ReleaseEngine(std::string_view key) {
  const ChecksumTypeInfo* type = FindTypeByKey(key);
  if (!type || type->IsCrc()) return;
  SettleCurrentWorker();
  if (!run_) return;
  const int slot = EngineSlotOf(type->type);
  run_->engine_view[slot].store(nullptr);
  run_->JobEngines[slot].reset();
}

void CalcJob::ReleaseStream() {
  SettleCurrentWorker();
  if (run_) run_->JobStream.reset();
}

}  // namespace ondrix
