// Read-ahead for the file streams. The readers ask for 8192 bytes at a time
// (the block size progress is counted in); a system call per block costs
// more than hashing the block on the fast paths, so the stream takes the
// file in larger pieces and hands them out block by block. What the readers
// see does not change: every Read returns what a plain read of that size at
// that position would, a file that grows is read to its new end, and a
// failing read fails at the same block it would have.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "engines/byte_stream.h"

namespace ondrix {

class ReadAhead {
 public:
  static constexpr std::size_t kPieceBytes = std::size_t(256) << 10;

  ReadAhead() : buffer_(new std::uint8_t[kPieceBytes]) {}

  // Bytes taken from the file but not handed out yet.
  std::size_t Buffered() const { return end_ - next_; }

  // Copies up to `count` bytes to `out`, reading through `read(to, n)` (which
  // returns the count it got, 0 at the end, and throws EStreamError on
  // failure) when the buffer runs dry. Stops early only at the end of the
  // file.
  template <class ReadFn>
  std::size_t Read(void* out, std::size_t count, ReadFn read) {
    auto* to = static_cast<std::uint8_t*>(out);
    std::size_t done = 0;
    while (done < count) {
      if (next_ == end_ && !Refill(count - done, read)) break;
      const std::size_t n = Buffered() < count - done ? Buffered() : count - done;
      std::memcpy(to + done, buffer_.get() + next_, n);
      next_ += n;
      done += n;
    }
    return done;
  }

  // The same as Read, but when the buffer holds all `count` bytes they are
  // handed out where they are instead of being copied to `out`.
  template <class ReadFn>
  ByteSpan ReadSpan(void* out, std::size_t count, ReadFn read) {
    if (next_ == end_ && !Refill(count, read)) return {static_cast<const std::uint8_t*>(out), 0};
    if (Buffered() >= count) {
      const std::uint8_t* at = buffer_.get() + next_;
      next_ += count;
      return {at, count};
    }
    return {static_cast<const std::uint8_t*>(out), Read(out, count, read)};
  }

 private:
  // One large read; when it fails, one of exactly the size still wanted, so
  // that a bad spot further on fails the block that holds it, not this one.
  // A cancelled read is not tried again: the one who cancelled it waits for
  // the reader to come back, not for a second read that may block as well.
  template <class ReadFn>
  bool Refill(std::size_t wanted, ReadFn& read) {
    next_ = end_ = 0;
    std::size_t got = 0;
    try {
      got = read(buffer_.get(), kPieceBytes);
    } catch (const EStreamCancelled&) {
      throw;
    } catch (const EStreamError&) {
      got = read(buffer_.get(), wanted < kPieceBytes ? wanted : kPieceBytes);
    }
    end_ = got;
    return got != 0;
  }

  std::unique_ptr<std::uint8_t[]> buffer_;
  std::size_t next_ = 0, end_ = 0;
};

}  // namespace ondrix
