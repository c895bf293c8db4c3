// CRC-32: the table, the check value and the stream loop.
#include <gtest/gtest.h>

#include "tests/engines/engine_test_support.h"

namespace ondrix::test {
namespace {

std::uint32_t CrcOf(ScriptedStream& stream, std::int64_t* counted = nullptr,
                    const std::atomic<bool>* stop = nullptr) {
  std::atomic<std::int64_t> bytes{0};
  const std::uint32_t crc = CrcOfStream(stream, bytes, stop);
  if (counted) *counted = bytes.load();
  return crc;
}

TEST_P(EveryPath, Crc32TableAndPublishedCheckValues) {
  EXPECT_EQ(kCrc32Table[0], 0u);
  EXPECT_EQ(kCrc32Table[1], 0x77073096u);
  EXPECT_EQ(kCrc32Table[255], 0x2D02EF8Du);
  // The catalogue's check value, plus well-known zip/PNG values.
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
  EXPECT_EQ(Crc32("", 0), 0u);
  EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog", 43), 0x414FA339u);
  EXPECT_EQ(Crc32("a", 1), 0xE8B7BE43u);
  EXPECT_EQ(HexOf("crc32", Repeat("123456789", 1)), "cbf43926");
}

TEST_P(EveryPath, Crc32EveryLengthAndAlignmentMatchesTheBitwiseDefinition) {
  // The table loop takes eight bytes at a time, the folding paths 16, 64 or
  // 256; the definition takes one bit at a time. They must agree for every
  // tail length and offset, past several turns of the widest loop.
  auto bitwise = [](const std::uint8_t* p, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
      crc ^= p[i];
      for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
  };
  const auto data = PatternBytes(2100);
  for (std::size_t offset = 0; offset < 8; ++offset)
    for (std::size_t len = 0; len + offset <= data.size(); len += 1 + len / 32)
      ASSERT_EQ(Crc32(data.data() + offset, len), bitwise(data.data() + offset, len))
          << "offset " << offset << " length " << len;
  // Chained updates equal one call.
  std::uint32_t crc = 0xFFFFFFFFu;
  crc = Crc32Update(crc, data.data(), 13);
  crc = Crc32Update(crc, data.data() + 13, data.size() - 13);
  EXPECT_EQ(~crc, bitwise(data.data(), data.size()));
}

TEST(Crc32, StreamReadsBlocksUntilTheEnd) {
  struct Case {
    std::size_t size;
    std::vector<std::size_t> reads;
  };
  for (const Case& c : {Case{0, {}}, Case{8192, {8192}}, Case{8193, {8192, 8192}}}) {
    SCOPED_TRACE(c.size);
    auto data = PatternBytes(c.size);
    ScriptedStream stream(data);
    std::int64_t counted = -1;
    EXPECT_EQ(CrcOf(stream, &counted), Crc32(data.data(), data.size()));
    EXPECT_EQ(stream.read_sizes, c.reads);
    EXPECT_EQ(counted, std::int64_t(c.size));
  }
}

TEST(Crc32, GrowingFileIsReadToItsNewEnd) {
  auto data = PatternBytes(8192 + 1);
  ScriptedStream stream(data);
  stream.grow_by = 100;  // another writer appends during the first read
  std::int64_t counted = 0;
  const std::uint32_t crc = CrcOf(stream, &counted);
  EXPECT_EQ(counted, std::int64_t(data.size()) + 100);
  EXPECT_EQ(crc, Crc32(stream.data().data(), stream.data().size()));
}

TEST(Crc32, FailedReadLeavesTheRoutine) {
  ScriptedStream stream(PatternBytes(3 * 8192));
  stream.fail_on_read = 2;
  std::atomic<std::int64_t> bytes{0};
  EXPECT_THROW(CrcOfStream(stream, bytes), EStreamError);
  EXPECT_EQ(bytes.load(), 8192);
}

TEST(Crc32, StopFlagEndsBeforeTheNextBlock) {
  ScriptedStream stream(PatternBytes(3 * 8192));
  std::atomic<bool> stop{true};
  std::int64_t counted = -1;
  CrcOf(stream, &counted, &stop);
  EXPECT_EQ(stream.reads, 0);
  EXPECT_EQ(counted, 0);
}

}  // namespace
}  // namespace ondrix::test
