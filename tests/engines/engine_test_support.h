// Shared helpers for the engine tests: run a message through an engine of a
// given key and read back the lower-case hex text.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engines/byte_stream.h"
#include "engines/checksum_types.h"
#include "engines/crc32.h"
#include "engines/digest.h"
#include "tests/support/scripted_stream.h"
#include "engines/engine_path.h"

namespace ondrix::test {

// The distinct path names of all engines ("avx512", "shani", …, "portable").
inline std::vector<std::string> PathNames() {
  std::vector<std::string> names;
  for (const EnginePathRow& row : AllEnginePaths())
    if (std::find(names.begin(), names.end(), row.path) == names.end())
      names.emplace_back(row.path);
  return names;
}

// A test run once per path name with that path forced: every engine that has
// the path computes on it, the others on their default. A path this
// processor cannot run is reported as skipped, not passed.
class EachPath : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    bool usable = false;
    for (const EnginePathRow& row : AllEnginePaths())
      if (row.path == GetParam()) usable = usable || row.usable;
    if (!usable) GTEST_SKIP() << "this processor lacks the " << GetParam() << " path";
    ForceEnginePath(GetParam());
  }
  void TearDown() override { ForceEnginePath(""); }
};

// Suites of EachPath tests; engine_paths_test.cpp instantiates them.
class PublishedVectors : public EachPath {};
class EveryPath : public EachPath {};

// One published vector: `input` repeated `repeat` times hashes to `hex`.
struct Vector {
  std::string_view key;
  std::string_view input;
  std::size_t repeat;
  std::string_view hex;  // lower case
  std::string_view source;
};

inline std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return s;
}

inline const ChecksumTypeInfo& Info(std::string_view key) {
  const ChecksumTypeInfo* info = FindTypeByKey(key);
  if (!info) throw std::runtime_error("unknown key " + std::string(key));
  return *info;
}

// Digest of `size` bytes at `data` (which need not be aligned), fed in pieces
// of the given sizes (the rest in one call).
inline std::string HexOf(std::string_view key, const std::uint8_t* data, std::size_t size,
                         const std::vector<std::size_t>& pieces = {}) {
  const ChecksumTypeInfo& info = Info(key);
  if (info.IsCrc()) {
    std::uint32_t crc = 0xFFFFFFFFu;
    std::size_t at = 0;
    for (std::size_t n : pieces) {
      crc = Crc32Update(crc, data + at, n);
      at += n;
    }
    crc = Crc32Update(crc, data + at, size - at);
    std::uint8_t be[4] = {std::uint8_t(~crc >> 24), std::uint8_t(~crc >> 16),
                          std::uint8_t(~crc >> 8), std::uint8_t(~crc)};
    return Lower(DigestToHex(be, 4));
  }
  auto engine = info.create_engine();
  engine->BeginDigest();
  std::size_t at = 0;
  for (std::size_t n : pieces) {
    engine->AddData(data + at, std::int64_t(n));
    at += n;
  }
  engine->AddData(data + at, std::int64_t(size - at));
  std::vector<std::uint8_t> digest(std::size_t(info.digest_bytes));
  engine->EndDigest(digest.data());
  return Lower(DigestToHex(digest.data(), digest.size()));
}

inline std::string HexOf(std::string_view key, const std::vector<std::uint8_t>& data,
                         const std::vector<std::size_t>& pieces = {}) {
  return HexOf(key, data.data(), data.size(), pieces);
}

// The same on the portable path, whatever path is forced now.
inline std::string PortableHexOf(std::string_view key, const std::uint8_t* data,
                                 std::size_t size) {
  const std::string forced(ForcedEnginePath());
  ForceEnginePath(kPortablePath);
  std::string hex = HexOf(key, data, size);
  ForceEnginePath(forced);
  return hex;
}

inline std::vector<std::uint8_t> Repeat(std::string_view text, std::size_t times) {
  std::vector<std::uint8_t> out;
  out.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i) out.insert(out.end(), text.begin(), text.end());
  return out;
}

inline void CheckVectors(const std::vector<Vector>& vectors) {
  for (const Vector& v : vectors) {
    SCOPED_TRACE(std::string(v.key) + " <- \"" + std::string(v.input.substr(0, 40)) + "\" x" +
                 std::to_string(v.repeat) + " (" + std::string(v.source) + ")");
    EXPECT_EQ(HexOf(v.key, Repeat(v.input, v.repeat)), v.hex);
  }
}

// Deterministic pseudo-random bytes (no seeding differences across hosts).
inline std::vector<std::uint8_t> PatternBytes(std::size_t n, std::uint32_t seed = 1) {
  std::vector<std::uint8_t> out(n);
  std::uint32_t x = seed * 2654435761u + 1;
  for (auto& b : out) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b = std::uint8_t(x >> 24);
  }
  return out;
}

}  // namespace ondrix::test
