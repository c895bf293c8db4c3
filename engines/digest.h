// TDigest: the base every digest engine derives from, and the block-wise
// stream reader that feeds a file into an engine while it counts progress and
// listens for an abort.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engines/byte_stream.h"
#include "engines/engine_path.h"

namespace ondrix {

struct ChecksumTypeInfo;

// Raised by an engine that is fed or finished before BeginDigest.
class EDigest : public std::runtime_error {
 public:
  EDigest() : std::runtime_error("Hash not initialized") {}
};

// Two known answers an engine checks itself against.
struct SelfCheckVectors {
  std::string_view text1, hex1;
  std::string_view text2, hex2;
};

class TDigest {
 public:
  static constexpr std::size_t kReadBlockSize = 8192;

  TDigest() = default;
  TDigest(const TDigest&) = delete;
  TDigest& operator=(const TDigest&) = delete;
  virtual ~TDigest() = default;

  // Identity, read from the type catalogue row the engine was made for.
  virtual int TypeId() const;
  virtual std::string Algorithm() const;
  virtual int HashSize() const;
  // Digests the engine's two fixed texts on a fresh instance and compares
  // them with the stored answers.
  virtual bool RunSelfCheck() const;

  virtual void BeginDigest() {}
  // Writes exactly HashSize()/8 bytes to `digest`.
  virtual void EndDigest(std::uint8_t* digest) { (void)digest; }
  virtual void WipeState() {}
  virtual void AddData(const void* buffer, std::int64_t size) {
    (void)buffer;
    (void)size;
  }

  // The way this engine computes ("portable", "shani", …), fixed when it
  // was made.
  virtual std::string_view EnginePathName() const { return kPortablePath; }
  // Adds a row for every path this engine type has, under `key`.
  virtual void AppendPaths(std::vector<EnginePathRow>& rows, std::string_view key) const {
    rows.push_back({key, kPortablePath, true});
  }

  void AddText(std::string_view text) { AddData(text.data(), std::int64_t(text.size())); }

  // Feeds `size` bytes of `stream` from its current position, in 8192-byte
  // reads. The number of reads follows `size`, not the end of the stream.
  // A failed read is absorbed: from then on nothing more is fed, and
  // ReadFailed/ReadError tell the caller so that a partial digest is never
  // taken for the file's checksum.
  void HashStream(IByteStream& stream, std::int64_t size);

  std::uint8_t HashReady = 0;
  // Written by the worker once per block, read by the progress monitor.
  std::atomic<std::int64_t> BytesHashed{0};
  std::atomic<std::uint8_t> AbortRequested{0};
  std::atomic<std::uint8_t> WasAborted{0};
  std::atomic<std::uint8_t> ReadFailed{0};
  std::string ReadError;  // the stream's reason; valid once ReadFailed is 1

 protected:
  TDigest(const ChecksumTypeInfo* type, const SelfCheckVectors* self_check)
      : type_(type), self_check_(self_check) {}

 private:
  const ChecksumTypeInfo* type_ = nullptr;
  const SelfCheckVectors* self_check_ = nullptr;
};

// Two hexadecimal digits per byte, high nibble first, upper-case letters.
std::string DigestToHex(const std::uint8_t* digest, std::size_t n);

// Zeroes memory with stores the compiler may not drop as dead.
void SecureWipe(void* p, std::size_t n);

}  // namespace ondrix
