// The stream the readers pull file bytes from. It is an interface so that the
// product can read a Win32 file handle, the console tool a C stream, and tests
// a stream that fails, ends early or grows on purpose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace ondrix {

// Raised by a stream whose read failed. The text is the system's reason,
// already turned into words by the stream that saw the failure.
class EStreamError : public std::runtime_error {
 public:
  explicit EStreamError(const std::string& reason) : std::runtime_error(reason) {}
};

// A read that another thread cancelled on purpose (a stop while the read was
// blocked). Nothing reads again after it.
class EStreamCancelled : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

// Bytes a stream handed out: `size` bytes at `data`, valid until the stream
// is read again.
struct ByteSpan {
  const std::uint8_t* data;
  std::size_t size;
};

class IByteStream {
 public:
  virtual ~IByteStream() = default;
  // Current size of the underlying file, asked anew each call.
  virtual std::int64_t Size() = 0;
  virtual std::int64_t Position() = 0;
  // Reads up to `count` bytes and returns how many arrived; 0 at the end.
  // Throws EStreamError when the read fails.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Reads as Read does (the same bytes, the same failures), but may hand out
  // bytes the stream already holds in memory instead of copying them into
  // `buffer`, which has room for `count`: the file streams read ahead in
  // large pieces, and a copy of every block costs a CRC-32 on the fast path
  // nearly as much as computing it.
  virtual ByteSpan ReadSpan(void* buffer, std::size_t count) {
    return {static_cast<const std::uint8_t*>(buffer), Read(buffer, count)};
  }
};

// A stream as an opener hands it over: null with the system's reason when
// the file could not be opened.
struct OpenedStream {
  std::unique_ptr<IByteStream> stream;
  std::wstring error_text;
};

// Cancels, from another thread, a read that one thread is blocked in (a
// network share that went away, a dying disk). Made on the reading thread;
// the cancelled read throws EStreamCancelled or another EStreamError.
class IReadCanceller {
 public:
  enum class Result {
    kCancelled,      // a read under way was cancelled
    kNoReadPending,  // the thread is not in a read (yet, or any more)
    kFailed,         // the system refused; trying again will not help
  };
  virtual ~IReadCanceller() = default;
  virtual Result CancelRead() = 0;
};

}  // namespace ondrix
