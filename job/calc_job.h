// The state of the one calculation, shared by the worker thread that computes
// and the window's progress timer that watches and finishes it, and the
// worker itself (Twatek_obliczania_sum).
//
// Who writes what:
//  - the window (main thread) sets the inputs and calls Start, RequestAbort,
//    StopAndJoin / JoinWorker and the releases;
//  - the worker writes CrcBytesRead and its engine's BytesHashed once per
//    block, and at its end ResultChecksum or FailureText, then the end flags
//    (release order); the window reads the counters at any time and the
//    texts only after it has seen CalcIdle = 1 (acquire) or joined the worker.
//
// Exactly one side ends a job: the worker publishing its outcome, or an
// abort. Whichever comes first wins, so a worker that is being stopped never
// writes a result or an end flag after the abort.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "engines/byte_stream.h"
#include "engines/checksum_types.h"
#include "engines/digest.h"
#include "job/win_file_stream.h"

namespace ondrix {

// Opens the file the worker reads; a seam so tests can hand over a stream
// that fails or blocks on purpose. The product uses OpenFileStream.
using StreamOpener = std::function<OpenedStream(const std::wstring& path)>;

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
  ~CalcJob();  // stops and joins a worker still running
  CalcJob(const CalcJob&) = delete;
  CalcJob& operator=(const CalcJob&) = delete;

  // ---- inputs, fixed while a worker runs ---------------------------------
  std::wstring SelectedFilePath;
  std::int64_t SelectedFileSize = 0;  // digest engines hash this many bytes
  ChecksumType SelectedType = ChecksumType::MD5;
  StreamOpener OpenStream = OpenFileStream;

  // ---- end flags and results ---------------------------------------------
  std::atomic<std::uint8_t> CalcIdle{1};
  std::atomic<std::uint8_t> CalcCompleted{0};
  std::atomic<std::uint8_t> CalcFailed{0};
  std::atomic<std::int64_t> CrcBytesRead{0};
  std::wstring ResultChecksum;  // lower case; valid once Outcome() is Completed
  std::wstring FailureText;     // valid once Outcome() is Failed

  // ---- what the worker holds ---------------------------------------------
  // Owned here, written by the worker; touched by the main thread only once
  // the worker has been joined. The monitor reads a running engine through
  // RunningEngine, never through these.
  std::array<std::unique_ptr<TDigest>, kEngineSlots> JobEngines;
  std::unique_ptr<IByteStream> JobStream;
  std::thread JobThread;

  // Starts the worker for the inputs above. A previous worker must have been
  // joined (it is joined here when it has not been). Sets CalcIdle to 0 and
  // clears the previous result, failure and progress; CalcCompleted keeps
  // the previous job's value until this one ends.
  void Start();

  // The body of the worker thread; Start runs it on JobThread. Public so a
  // test can run it on its own thread.
  void Twatek_obliczania_sum();

  // Escape while the job runs: unless the worker has already published its
  // outcome, the job ends as aborted at once (CalcIdle 1, CalcCompleted 0)
  // and the worker is told to stop before its next block. Main thread.
  void RequestAbort();

  // Tells the worker to stop and waits for it. The end flags are left as
  // they are (closing the window changes no flag); the worker writes
  // nothing more. Never terminates the thread: a read already under way
  // finishes first.
  void StopAndJoin();

  // Waits for a worker that has published its outcome (the completion path).
  void JoinWorker();

  // The counter the progress monitor shows: CrcBytesRead for CRC32, the
  // running engine's BytesHashed for a digest type, 1 while the worker has
  // not created the engine yet.
  std::int64_t ProgressBytes() const;

  // The engine of `type` as the monitor may read it while the worker runs;
  // null when there is none.
  const TDigest* RunningEngine(ChecksumType type) const;

  JobOutcome Outcome() const;

  // True when the last digest job stopped on AbortRequested (its engine's
  // WasAborted); false for CRC32 and once the engine is released.
  bool WasAborted() const;

  // Releasing an empty reference does nothing. Both join a worker that is
  // still there first, so nothing is freed under it.
  void ReleaseEngine(std::string_view key);
  void ReleaseStream();

 private:
  enum : std::uint8_t { kUnclaimed = 0, kClaimedByWorker = 1, kClaimedByStop = 2 };

  // Ends the job from the worker; false when a stop came first.
  bool ClaimEndForWorker();
  void PublishResult(std::wstring text);
  void PublishFailure(std::wstring text);
  // Opens the file into JobStream; publishes the failure when it cannot.
  bool OpenJobStream();
  void RunDigest(const ChecksumTypeInfo& type);
  void RunCrc();
  void SignalStop();
  void ReleaseEngineSlot(int slot);
  void EnsureJoined();

  std::array<std::atomic<TDigest*>, kEngineSlots> engine_view_{};
  std::atomic<std::uint8_t> end_claim_{kUnclaimed};
  std::atomic<bool> stop_{false};
};

}  // namespace ondrix
