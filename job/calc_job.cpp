#include "job/calc_job.h"

#include <cwchar>
#include <exception>
#include <utility>

#include "engines/crc32.h"
#include "startup/file_info_text.h"

namespace ondrix {
namespace {

constexpr std::size_t kLargestDigestBytes = 64;  // SHA-512

std::wstring WideOfUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
  if (n <= 0) return std::wstring(text.begin(), text.end());
  std::wstring out(std::size_t(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), out.data(), n);
  return out;
}

std::wstring LowerAscii(std::string_view hex) {
  std::wstring out(hex.size(), L'\0');
  for (std::size_t i = 0; i < hex.size(); ++i) {
    const char c = hex[i];
    out[i] = wchar_t(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return out;
}

std::wstring ReasonOr(std::wstring reason, std::wstring_view fallback) {
  return reason.empty() ? std::wstring(fallback) : std::move(reason);
}

}  // namespace

int EngineSlotOf(ChecksumType type) {
  const auto& order = EngineReleaseOrder();
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] == type) return int(i);
  return -1;
}

CalcJob::~CalcJob() { StopAndJoin(); }

void CalcJob::Start() {
  EnsureJoined();
  for (int slot = 0; slot < int(kEngineSlots); ++slot) ReleaseEngineSlot(slot);
  JobStream.reset();

  stop_.store(false);
  end_claim_.store(kUnclaimed);
  CalcFailed.store(0);
  FailureText.clear();
  ResultChecksum.clear();
  CrcBytesRead.store(0);
  CalcIdle.store(0, std::memory_order_release);
  try {
    JobThread = std::thread([this] { Twatek_obliczania_sum(); });
  } catch (const std::exception& e) {
    PublishFailure(L"Cannot start the calculation\r\r\n" + WideOfUtf8(e.what()));
  }
}

void CalcJob::Twatek_obliczania_sum() {
  const std::wstring name = FileNameOf(SelectedFilePath);
  try {
    CrcBytesRead.store(0);
    // The result text was emptied by Start, before this thread existed: the
    // worker writes it only when it ends the job.
    const ChecksumTypeInfo& type = TypeInfo(SelectedType);
    if (type.IsCrc())
      RunCrc();
    else
      RunDigest(type);
  } catch (const std::exception& e) {
    JobStream.reset();
    PublishFailure(L"Calculation of file " + name + L" failed\r\r\n" +
                   ReasonOr(WideOfUtf8(e.what()), L"Unexpected error"));
  } catch (...) {
    JobStream.reset();
    PublishFailure(L"Calculation of file " + name + L" failed\r\r\nUnexpected error");
  }
}

bool CalcJob::OpenJobStream() {
  OpenedStream opened = OpenStream(SelectedFilePath);
  if (!opened.stream) {
    PublishFailure(L"Cannot access file " + FileNameOf(SelectedFilePath) + L"\r\r\n" +
                   ReasonOr(std::move(opened.error_text), L"Unknown error"));
    return false;
  }
  JobStream = std::move(opened.stream);
  return true;
}

void CalcJob::RunDigest(const ChecksumTypeInfo& type) {
  if (!OpenJobStream()) return;

  const int slot = EngineSlotOf(type.type);
  JobEngines[slot] = type.create_engine();
  TDigest& engine = *JobEngines[slot];
  engine_view_[slot].store(&engine);
  // An abort that looked for the engine before it was published left the
  // flag for us to carry over.
  if (stop_.load()) engine.AbortRequested.store(1);

  std::uint8_t digest[kLargestDigestBytes];
  engine.BeginDigest();
  engine.HashStream(*JobStream, SelectedFileSize);
  engine.EndDigest(digest);
  JobStream.reset();

  if (engine.WasAborted.load() || stop_.load()) return;
  if (engine.ReadFailed.load(std::memory_order_acquire)) {
    PublishFailure(L"Read error in file " + FileNameOf(SelectedFilePath) + L"\r\r\n" +
                   ReasonOr(WideOfUtf8(engine.ReadError), L"Unknown error"));
    return;
  }
  PublishResult(LowerAscii(DigestToHex(digest, std::size_t(type.digest_bytes))));
}

void CalcJob::RunCrc() {
  if (!OpenJobStream()) return;

  std::uint32_t value = 0;
  try {
    value = CrcOfStream(*JobStream, CrcBytesRead, &stop_);
  } catch (const EStreamError& e) {
    JobStream.reset();
    PublishFailure(L"Read error in file " + FileNameOf(SelectedFilePath) + L"\r\r\n" +
                   ReasonOr(WideOfUtf8(e.what()), L"Unknown error"));
    return;
  }
  JobStream.reset();
  if (stop_.load()) return;

  // Eight digits always: a CRC of 0 is a checksum like any other.
  wchar_t text[9];
  std::swprintf(text, 9, L"%08x", unsigned(value));
  PublishResult(text);
}

bool CalcJob::ClaimEndForWorker() {
  std::uint8_t expected = kUnclaimed;
  return end_claim_.compare_exchange_strong(expected, kClaimedByWorker);
}

// CalcCompleted (and CalcFailed) are stored before CalcIdle: the monitor
// tests CalcIdle first, so once it reads 1 the rest is in place.
void CalcJob::PublishResult(std::wstring text) {
  if (!ClaimEndForWorker()) return;
  ResultChecksum = std::move(text);
  CalcFailed.store(0, std::memory_order_release);
  CalcCompleted.store(1, std::memory_order_release);
  CalcIdle.store(1, std::memory_order_release);
}

void CalcJob::PublishFailure(std::wstring text) {
  if (!ClaimEndForWorker()) return;
  FailureText = std::move(text);
  CalcFailed.store(1, std::memory_order_release);
  CalcCompleted.store(0, std::memory_order_release);
  CalcIdle.store(1, std::memory_order_release);
}

void CalcJob::SignalStop() {
  std::uint8_t expected = kUnclaimed;
  end_claim_.compare_exchange_strong(expected, kClaimedByStop);
  stop_.store(true);
  for (auto& view : engine_view_)
    if (TDigest* engine = view.load()) engine->AbortRequested.store(1);
}

void CalcJob::RequestAbort() {
  SignalStop();
  if (end_claim_.load() == kClaimedByStop) {
    CalcCompleted.store(0, std::memory_order_release);
    CalcIdle.store(1, std::memory_order_release);
  }
}

void CalcJob::StopAndJoin() {
  if (!JobThread.joinable()) return;
  SignalStop();
  JobThread.join();
}

void CalcJob::JoinWorker() {
  if (JobThread.joinable()) JobThread.join();
}

void CalcJob::EnsureJoined() {
  if (JobThread.joinable()) StopAndJoin();
}

std::int64_t CalcJob::ProgressBytes() const {
  const int slot = EngineSlotOf(SelectedType);
  if (slot < 0) return CrcBytesRead.load();
  const TDigest* engine = engine_view_[slot].load(std::memory_order_acquire);
  return engine ? engine->BytesHashed.load() : 1;
}

const TDigest* CalcJob::RunningEngine(ChecksumType type) const {
  const int slot = EngineSlotOf(type);
  return slot < 0 ? nullptr : engine_view_[slot].load(std::memory_order_acquire);
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

void CalcJob::ReleaseEngineSlot(int slot) {
  engine_view_[slot].store(nullptr);
  JobEngines[slot].reset();
}

void CalcJob::ReleaseEngine(std::string_view key) {
  const ChecksumTypeInfo* type = FindTypeByKey(key);
  if (!type || type->IsCrc()) return;
  EnsureJoined();
  ReleaseEngineSlot(EngineSlotOf(type->type));
}

void CalcJob::ReleaseStream() {
  EnsureJoined();
  JobStream.reset();
}

}  // namespace ondrix
