// What the job tests share: the one-shot checksum a job must agree with, a
// gate that holds the worker inside a read, and running a job to its end.
// Portable.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

#include "engines/checksum_types.h"
#include "engines/crc32.h"
#include "engines/digest.h"
#include "job/calc_job.h"

namespace ondrix::test {

inline std::wstring OneShotHex(ChecksumType type, std::string_view bytes) {
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

inline JobOutcome RunToEnd(CalcJob& job) {
  job.Start();
  job.JoinWorker();
  return job.Outcome();
}

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

}  // namespace ondrix::test
