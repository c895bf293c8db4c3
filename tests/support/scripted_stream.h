// The tests' one stream double: it serves bytes of its own or those of a real
// stream it wraps, and before each read runs the step a test scripts for it
// (throw to fail the read, wait to hold the reader, or just look). Portable.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "engines/byte_stream.h"

namespace ondrix::test {

class ScriptedStream final : public IByteStream {
 public:
  // Runs before read number `n` (1-based), on the reading thread.
  using Step = std::function<void(int n)>;

  ScriptedStream(std::string bytes, Step before_read)
      : bytes_(std::move(bytes)), before_read_(std::move(before_read)) {}
  ScriptedStream(std::unique_ptr<IByteStream> inner, Step before_read)
      : inner_(std::move(inner)), before_read_(std::move(before_read)) {}

  std::int64_t Size() override { return inner_ ? inner_->Size() : std::int64_t(bytes_.size()); }
  std::int64_t Position() override { return inner_ ? inner_->Position() : std::int64_t(position_); }
  std::size_t Read(void* buffer, std::size_t count) override {
    ++reads_;
    if (before_read_) before_read_(reads_);
    if (inner_) return inner_->Read(buffer, count);
    const std::size_t n = std::min(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
  }

 private:
  std::unique_ptr<IByteStream> inner_;
  std::string bytes_;
  std::size_t position_ = 0;
  int reads_ = 0;
  Step before_read_;
};

}  // namespace ondrix::test
