#include "job/calc_job.h"

#include <cwchar>
#include <exception>
#include <utility>
#include <vector>

#include "engines/crc32.h"
#include "text/path_text.h"
#include "text/utf.h"

namespace ondrix {
namespace {

constexpr std::size_t kLargestDigestBytes = 64;  // SHA-512

std::wstring LowerAscii(std::string_view hex) {
  std::wstring out(hex.size(), L'\0');
  for (std::size_t i = 0; i < hex.size(); ++i) {
    const char c = hex[i];
    out[i] = wchar_t(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return out;
}

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
constexpr ULONGLONG kCancelTryMs = 100;

}  // namespace

// Everything one worker touches, shared by its thread and the job until the
// worker has returned, so a worker that is let go never writes into the
// state of the next job.
struct CalcJob::Run {
  Run(std::wstring path, std::int64_t size, ChecksumType type, StreamOpener open)
      : path(std::move(path)), size(size), type(type), open(std::move(open)) {}
  ~Run() {
    if (HANDLE thread = thread_handle.load()) ::CloseHandle(thread);
    if (done) ::CloseHandle(done);
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  const std::wstring path;
  const std::int64_t size;
  const ChecksumType type;
  const StreamOpener open;

  std::array<std::unique_ptr<TDigest>, kEngineSlots> JobEngines;
  std::unique_ptr<IByteStream> JobStream;
  std::atomic<std::int64_t> CrcBytesRead{0};
  std::array<std::atomic<TDigest*>, kEngineSlots> engine_view{};

  std::atomic<std::uint8_t> end_claim{kUnclaimed};
  std::atomic<bool> stop{false};
  // Set while the worker opens or reads, so a stop knows to cancel.
  std::atomic<bool> in_io{false};
  // The worker's own thread, opened with the right to cancel its I/O.
  std::atomic<HANDLE> thread_handle{nullptr};
  // Signalled as the worker's last act.
  HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);

  bool ClaimForWorker() {
    std::uint8_t expected = kUnclaimed;
    return end_claim.compare_exchange_strong(expected, kClaimedByWorker);
  }
  bool Finished() const { return ::WaitForSingleObject(done, 0) == WAIT_OBJECT_0; }

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
    const ULONGLONG until = ::GetTickCount64() + kCancelTryMs;
    while (in_io.load()) {
      const HANDLE thread = thread_handle.load();
      if (thread == nullptr) return;
      if (::CancelSynchronousIo(thread)) return;
      if (::GetLastError() != ERROR_NOT_FOUND || ::GetTickCount64() >= until) return;
      ::SwitchToThread();
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

int EngineSlotOf(ChecksumType type) {
  const auto& order = EngineReleaseOrder();
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] == type) return int(i);
  return -1;
}

CalcJob::~CalcJob() {
  StopAndJoin();
  ReapStoppedWorkers(INFINITE);
}

void CalcJob::Start() {
  ReapStoppedWorkers(0);
  SettleCurrentWorker();
  StopWithoutWaiting();  // a worker still there is let go with what it holds

  run_ = std::make_shared<Run>(SelectedFilePath, SelectedFileSize, SelectedType, OpenStream);
  CalcFailed.store(0);
  FailureText.clear();
  ResultChecksum.clear();
  CalcIdle.store(0, std::memory_order_release);
  try {
    JobThread = std::thread([this, run = run_] {
      Twatek_obliczania_sum(*run);
      ::SetEvent(run->done);
    });
  } catch (const std::exception& e) {
    PublishFailure(*run_, L"Cannot start the calculation\r\r\n" + Utf8ToWide(e.what()));
  }
}

void CalcJob::Twatek_obliczania_sum(Run& run) {
  HANDLE thread = nullptr;
  if (::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &thread,
                        THREAD_TERMINATE, FALSE, 0))
    run.thread_handle.store(thread);
  const std::wstring name = FileNameOf(run.path);
  try {
    // The result text was emptied by Start, before this thread existed: the
    // worker writes it only when it ends the job.
    const ChecksumTypeInfo& type = TypeInfo(run.type);
    if (type.IsCrc())
      RunCrc(run);
    else
      RunDigest(run, type);
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

void CalcJob::RunDigest(Run& run, const ChecksumTypeInfo& type) {
  if (!OpenJobStream(run)) return;

  const int slot = EngineSlotOf(type.type);
  run.JobEngines[slot] = type.create_engine();
  TDigest& engine = *run.JobEngines[slot];
  run.engine_view[slot].store(&engine);
  // An abort that looked for the engine before it was published left the
  // flag for us to carry over.
  if (run.stop.load()) engine.AbortRequested.store(1);

  std::uint8_t digest[kLargestDigestBytes];
  engine.BeginDigest();
  engine.HashStream(*run.JobStream, run.size);
  engine.EndDigest(digest);
  run.JobStream.reset();

  if (engine.WasAborted.load() || run.stop.load()) return;
  if (engine.ReadFailed.load(std::memory_order_acquire)) {
    PublishFailure(run, L"Read error in file " + FileNameOf(run.path) + L"\r\r\n" +
                            ReasonOr(Utf8ToWide(engine.ReadError), L"Unknown error"));
    return;
  }
  // The file ended before the size it had when it was selected: the bytes
  // read are not the file as selected, nor (it may have been cut after they
  // were read) the file as it is now.
  if (engine.BytesHashed.load() != run.size) {
    PublishFailure(run, L"Read error in file " + FileNameOf(run.path) + L"\r\r\n" +
                            std::wstring(kFileChangedText));
    return;
  }
  PublishResult(run, LowerAscii(DigestToHex(digest, std::size_t(type.digest_bytes))));
}

void CalcJob::RunCrc(Run& run) {
  if (!OpenJobStream(run)) return;

  std::uint32_t value = 0;
  bool changed = false;
  try {
    value = CrcOfStream(*run.JobStream, run.CrcBytesRead, &run.stop);
    // The reading goes to the end of the file, past the selected size when
    // the file has grown; a file that ends short of that size, or below what
    // was already read, has changed under the reader.
    const std::int64_t read = run.CrcBytesRead.load();
    changed = !run.stop.load() && (read < run.size || run.JobStream->Size() != read);
  } catch (const EStreamError& e) {
    run.JobStream.reset();
    if (run.stop.load()) return;  // the stop cancelled the read
    PublishFailure(run, L"Read error in file " + FileNameOf(run.path) + L"\r\r\n" +
                            ReasonOr(Utf8ToWide(e.what()), L"Unknown error"));
    return;
  }
  run.JobStream.reset();
  if (run.stop.load()) return;
  if (changed) {
    PublishFailure(run, L"Read error in file " + FileNameOf(run.path) + L"\r\r\n" +
                            std::wstring(kFileChangedText));
    return;
  }

  // Eight digits always: a CRC of 0 is a checksum like any other.
  wchar_t text[9];
  std::swprintf(text, 9, L"%08x", unsigned(value));
  PublishResult(run, text);
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

void CalcJob::ReapStoppedWorkers(DWORD timeout_ms) {
  const ULONGLONG start = ::GetTickCount64();
  for (auto it = stopped_.begin(); it != stopped_.end();) {
    DWORD wait = timeout_ms;
    if (timeout_ms != INFINITE) {
      const ULONGLONG spent = ::GetTickCount64() - start;
      wait = spent >= timeout_ms ? 0 : DWORD(timeout_ms - spent);
    }
    if (::WaitForSingleObject(it->run->done, wait) != WAIT_OBJECT_0) {
      ++it;
      continue;
    }
    it->thread.join();
    it = stopped_.erase(it);
  }
}

bool CalcJob::WaitForStoppedWorkers(DWORD timeout_ms) {
  ReapStoppedWorkers(timeout_ms);
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
