// Standard input as a byte stream, for "-" on the command line or in a list.
// Its size is not known in advance (-1): readers go on until it ends.
#pragma once

#include <cerrno>
#include <cstdio>

#include "engines/byte_stream.h"
#include "engines/file_stream.h"

namespace ondrix {

// A stream read on someone else's behalf: standard input handed to one
// reader after another.
class BorrowedStream final : public IByteStream {
 public:
  explicit BorrowedStream(IByteStream& in) : in_(in) {}
  std::int64_t Size() override { return in_.Size(); }
  std::int64_t Position() override { return in_.Position(); }
  std::size_t Read(void* buffer, std::size_t count) override { return in_.Read(buffer, count); }

 private:
  IByteStream& in_;
};

class StdinStream final : public IByteStream {
 public:
  std::int64_t Size() override { return -1; }
  std::int64_t Position() override { return position_; }
  std::size_t Read(void* buffer, std::size_t count) override {
    errno = 0;
    const std::size_t got = std::fread(buffer, 1, count, stdin);
    if (got < count && std::ferror(stdin)) {
      const int err = errno ? errno : EIO;
      std::clearerr(stdin);
      throw EStreamError(SystemErrorText(err));
    }
    // Standard input may be read again later ("-" twice): a terminal gives
    // more after an end of input.
    if (got == 0) std::clearerr(stdin);
    position_ += std::int64_t(got);
    return got;
  }

 private:
  std::int64_t position_ = 0;
};

}  // namespace ondrix
