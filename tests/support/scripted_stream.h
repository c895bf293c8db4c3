// The tests' one stream double. It serves bytes of its own (which may grow
// while it is read, or fail on a chosen read) or those of a real stream it
// wraps, counts its reads, and before each read runs the step a test scripts
// for it (throw to fail the read, wait to hold the reader). Portable.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "engines/byte_stream.h"

namespace ondrix::test {

class ScriptedStream final : public IByteStream {
 public:
  // Runs before read number `n` (1-based), on the reading thread.
  using Step = std::function<void(int n)>;

  explicit ScriptedStream(std::vector<std::uint8_t> data, Step before_read = {})
      : data_(std::move(data)), before_read_(std::move(before_read)) {}
  ScriptedStream(std::unique_ptr<IByteStream> inner, Step before_read)
      : inner_(std::move(inner)), before_read_(std::move(before_read)) {}

  int fail_on_read = 0;     // 1-based read number that throws; 0 never
  std::size_t grow_by = 0;  // bytes appended after each read …
  int grow_times = 1;       // … for this many reads
  int reads = 0;
  std::vector<std::size_t> read_sizes;

  std::int64_t Size() override { return inner_ ? inner_->Size() : std::int64_t(data_.size()); }
  std::int64_t Position() override { return inner_ ? inner_->Position() : std::int64_t(pos_); }
  std::size_t Read(void* buffer, std::size_t count) override {
    ++reads;
    read_sizes.push_back(count);
    if (before_read_) before_read_(reads);
    if (reads == fail_on_read) throw EStreamError("The device is not ready.");
    if (inner_) return inner_->Read(buffer, count);
    const std::size_t n = std::min(count, data_.size() - pos_);
    std::copy_n(data_.begin() + std::ptrdiff_t(pos_), n, static_cast<std::uint8_t*>(buffer));
    pos_ += n;
    if (reads <= grow_times) data_.insert(data_.end(), grow_by, std::uint8_t(0x5A));
    return n;
  }
  const std::vector<std::uint8_t>& data() const { return data_; }

 private:
  std::unique_ptr<IByteStream> inner_;
  std::vector<std::uint8_t> data_;
  std::size_t pos_ = 0;
  Step before_read_;
};

}  // namespace ondrix::test
