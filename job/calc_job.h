// The state of the one calculation, shared by the worker thread that computes
// and the window's progress timer that watches and finishes it, and the
// worker itself (Twatek_obliczania_sum).
//
// Who writes what:
//  - the window (main thread) sets the inputs and calls Start, RequestAbort,
//    StopWithoutWaiting / StopAndJoin / JoinWorker and the releases;
//  - the worker writes its run's CrcBytesRead and its engine's BytesHashed
//    once per block, and at its end ResultChecksum or FailureText, then the
//    end flags (release order); the window reads the counters at any time
//    and the texts only after it has seen CalcIdle = 1 (acquire) or joined
//    the worker.
//
// Exactly one side ends a job: the worker publishing its outcome, or an
// abort. Whichever comes first wins, so a worker that is being stopped never
// writes a result or an end flag after the abort.
//
// A stopped worker may be stuck in a read that does not return (a network
// share that went away, a dying disk). Nothing of the window waits for it:
// the stop cancels the read it is blocked in (through the canceller the
// worker made for its thread), and StopWithoutWaiting lets the worker go
// with its stream and engine. It closes its stream when the read returns;
// its thread is joined later (the next Start, WaitForStoppedWorkers or the
// destructor).
//
// The job is portable: the Windows program hands it its Win32 file opener
// and read canceller; without them it reads through the C library and a
// blocked read is left to return on its own.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engines/byte_stream.h"
#include "engines/checksum_types.h"
#include "engines/digest.h"
#include "engines/stream_checksum.h"

namespace ondrix {

// Opens the file the worker reads; a seam so tests can hand over a stream
// that fails or blocks on purpose. The Windows program uses OpenFileStream.
using StreamOpener = std::function<OpenedStream(const std::wstring& path)>;
// Makes, on the worker's thread, what cancels that thread's blocked reads;
// may return null.
using ReadCancellerMaker = std::function<std::unique_ptr<IReadCanceller>()>;

// The C library's file stream for `path`, the job's opener unless it is
// given another.
OpenedStream OpenPortableFileStream(const std::wstring& path);

// Slot of each digest type in JobEngines, in the order md5, md4, sha1,
// sha256, sha384, sha512, ripemd128, ripemd160, haval, tiger; -1 for crc32.
int EngineSlotOf(ChecksumType type);

// How the last job ended, read from the end flags (CalcIdle first, acquire).
// Before the first job the flags read as an abort.
enum class JobOutcome {
  Running,    // CalcIdle is 0
  Completed,  // ResultChecksum holds the checksum
  Failed,     // FailureText says why; no checksum
  Aborted,    // stopped on request; no checksum
};

class CalcJob {
 public:
  static constexpr std::size_t kEngineSlots = kChecksumTypeCount - 1;

  CalcJob() = default;
  ~CalcJob();  // stops and joins every worker still running
  CalcJob(const CalcJob&) = delete;
  CalcJob& operator=(const CalcJob&) = delete;

  // ---- inputs, copied by Start for the worker ------------------------------
  std::wstring SelectedFilePath;
  std::int64_t SelectedFileSize = 0;  // digest engines hash this many bytes
  ChecksumType SelectedType = ChecksumType::MD5;
  StreamOpener OpenStream = OpenPortableFileStream;
  ReadCancellerMaker MakeReadCanceller;  // none: blocked reads are not cancelled

  // ---- end flags and results ---------------------------------------------
  std::atomic<std::uint8_t> CalcIdle{1};
  std::atomic<std::uint8_t> CalcCompleted{0};
  std::atomic<std::uint8_t> CalcFailed{0};
  std::wstring ResultChecksum;  // lower case; valid once Outcome() is Completed
  std::wstring FailureText;     // valid once Outcome() is Failed

  // The current worker; empty once joined or let go.
  std::thread JobThread;

  // Starts the worker for the inputs above. A previous worker that has
  // published is joined; one still running is stopped and let go, never
  // waited for. Sets CalcIdle to 0 and clears the previous result, failure
  // and progress; CalcCompleted keeps the previous job's value until this
  // one ends.
  void Start();

  // Escape while the job runs: unless the worker has already published its
  // outcome, the job ends as aborted at once (CalcIdle 1, CalcCompleted 0),
  // the worker is told to stop before its next block and a read it is
  // blocked in is cancelled. Main thread; never waits for the worker.
  void RequestAbort();

  // Tells the worker to stop, cancels the read it is blocked in and lets it
  // go: the job holds no stream, engine or thread of it afterwards, and the
  // worker writes nothing more. The end flags are left as they are (closing
  // the window changes no flag). Returns at once, whatever the read does.
  void StopWithoutWaiting();

  // Tells the worker to stop and waits for it, keeping its engine for the
  // releases. The end flags are left as they are. Never terminates the
  // thread: a read under way that cannot be cancelled finishes first.
  void StopAndJoin();

  // Waits for a worker that has published its outcome (the completion path).
  void JoinWorker();

  // Waits up to `timeout` for the workers let go by StopWithoutWaiting (and
  // by Start) to return, joining those that did; without a time-out, until
  // they all have. True when none is left.
  bool WaitForStoppedWorkers(std::chrono::milliseconds timeout);
  bool WaitForStoppedWorkers();

  // The counter the progress monitor shows: the run's CrcBytesRead for
  // CRC32, the running engine's BytesHashed for a digest type, 1 while the
  // worker has not created the engine yet.
  std::int64_t ProgressBytes() const;

  // The engine of `type` as the monitor may read it while the worker runs;
  // null when there is none.
  const TDigest* RunningEngine(ChecksumType type) const;

  JobOutcome Outcome() const;

  // True when the last digest job stopped on AbortRequested (its engine's
  // WasAborted); false for CRC32 and once the engine is released.
  bool WasAborted() const;

  // True while the current run holds its file stream (JobStream).
  bool HoldsStream() const;

  // Releasing an empty reference does nothing. Neither frees anything under
  // a worker still running: such a worker is let go with what it holds.
  void ReleaseEngine(std::string_view key);
  void ReleaseStream();

 private:
  struct Run;

  void Twatek_obliczania_sum(Run& run);
  // Ends the job from the worker; false when a stop came first.
  bool PublishResult(Run& run, std::wstring text);
  bool PublishFailure(Run& run, std::wstring text);
  // Opens the file into the run's JobStream; publishes the failure when it
  // cannot.
  bool OpenJobStream(Run& run);
  void RunChecksum(Run& run, const ChecksumTypeInfo& type);
  StreamChecksum CheckSizeUnchanged(Run& run, const ChecksumTypeInfo& type, StreamChecksum checksum);
  void SignalStop();
  // Joins a current worker that has finished or published; lets go of one
  // still running.
  void SettleCurrentWorker();
  // Joins the stopped workers that return before `deadline` (none: wait for
  // all).
  void ReapStoppedWorkers(const std::chrono::steady_clock::time_point* deadline);

  std::shared_ptr<Run> run_;
  struct Stopped {
    std::shared_ptr<Run> run;
    std::thread thread;
  };
  std::vector<Stopped> stopped_;
};

}  // namespace ondrix
