// The file streams' read-ahead: what the readers get block by block is what
// plain reads of those sizes would give, while the file is read in large
// pieces.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engines/file_stream.h"
#include "engines/read_ahead.h"
#include "tests/engines/engine_test_support.h"

namespace ondrix::test {
namespace {

// A file in memory read through ReadAhead; counts the system reads and can
// fail every read that touches one byte offset, or grow after a read.
struct FakeFile {
  std::vector<std::uint8_t> bytes;
  std::size_t pos = 0;
  std::size_t bad_offset = SIZE_MAX;
  std::size_t grow_after_first = 0;
  int reads = 0;

  std::size_t Read(void* to, std::size_t n) {
    ++reads;
    const std::size_t take = std::min(n, bytes.size() - pos);
    if (bad_offset >= pos && bad_offset < pos + take) throw EStreamError("bad sector");
    std::copy_n(bytes.begin() + std::ptrdiff_t(pos), take, static_cast<std::uint8_t*>(to));
    pos += take;
    if (reads == 1) bytes.insert(bytes.end(), grow_after_first, std::uint8_t(0xA5));
    return take;
  }
};

TEST(ReadAhead, BlocksComeOutAsPlainReadsWouldGiveThemWithFewSystemReads) {
  FakeFile file{PatternBytes(3 * ReadAhead::kPieceBytes + 5000)};
  ReadAhead ahead;
  std::vector<std::uint8_t> got, block(8192);
  for (;;) {
    const std::size_t n = ahead.Read(block.data(), block.size(),
                                     [&](void* to, std::size_t k) { return file.Read(to, k); });
    if (n == 0) break;
    // Only the very last block may be short.
    if (n < block.size()) {
      EXPECT_EQ(got.size() + n, file.bytes.size());
    }
    got.insert(got.end(), block.begin(), block.begin() + std::ptrdiff_t(n));
  }
  EXPECT_EQ(got, file.bytes);
  // Four pieces; the short last block and the reader's closing call each
  // find the end once, as plain reads would.
  EXPECT_EQ(file.reads, 6);
}

TEST(ReadAhead, AGrowingFileIsReadToItsNewEnd) {
  FakeFile file{PatternBytes(10000)};
  file.grow_after_first = 3000;
  ReadAhead ahead;
  std::vector<std::uint8_t> block(8192);
  auto read = [&](void* to, std::size_t k) { return file.Read(to, k); };
  EXPECT_EQ(ahead.Read(block.data(), 8192, read), 8192u);
  EXPECT_EQ(ahead.Read(block.data(), 8192, read), 4808u);  // 1808 buffered + 3000 new
  EXPECT_EQ(ahead.Read(block.data(), 8192, read), 0u);
}

TEST(ReadAhead, ABadSpotFailsTheBlockThatHoldsItNotAnEarlierOne) {
  FakeFile file{PatternBytes(5 * 8192)};
  file.bad_offset = 3 * 8192 + 10;
  ReadAhead ahead;
  std::vector<std::uint8_t> block(8192);
  auto read = [&](void* to, std::size_t k) { return file.Read(to, k); };
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ahead.Read(block.data(), 8192, read), 8192u) << i;
  EXPECT_THROW(ahead.Read(block.data(), 8192, read), EStreamError);
}

TEST(ReadAhead, ACancelledReadIsNotTriedAgain) {
  // A stop cancels a blocked read; a second read could block again.
  ReadAhead ahead;
  std::vector<std::uint8_t> block(8192);
  int reads = 0;
  EXPECT_THROW(ahead.Read(block.data(), 8192,
                          [&](void*, std::size_t) -> std::size_t {
                            ++reads;
                            throw EStreamCancelled("The I/O operation has been aborted.");
                          }),
               EStreamCancelled);
  EXPECT_EQ(reads, 1);
}

// What one reader gets from a file, read by read: the bytes, or "failed".
std::vector<std::vector<std::uint8_t>> Outcomes(FakeFile file, bool spans) {
  ReadAhead ahead;
  std::vector<std::vector<std::uint8_t>> outcomes;
  std::vector<std::uint8_t> block(8192);
  auto read = [&](void* to, std::size_t k) { return file.Read(to, k); };
  // Sizes that fall across the piece boundary at every offset the loop
  // reaches, then whole blocks.
  std::size_t sizes[] = {8192, 5000, 8192, 8192, 3192, 8192};
  for (int i = 0; i < 200; ++i) {
    const std::size_t want = sizes[std::size_t(i) % std::size(sizes)];
    try {
      if (spans) {
        const ByteSpan got = ahead.ReadSpan(block.data(), want, read);
        outcomes.emplace_back(got.data, got.data + got.size);
        if (got.size == 0) break;
      } else {
        const std::size_t n = ahead.Read(block.data(), want, read);
        outcomes.emplace_back(block.begin(), block.begin() + std::ptrdiff_t(n));
        if (n == 0) break;
      }
    } catch (const EStreamError&) {
      outcomes.push_back({'f', 'a', 'i', 'l', 'e', 'd'});
      break;
    }
  }
  return outcomes;
}

TEST(ReadAhead, SpansHandOutWhatCopiedReadsWouldGive) {
  struct Case {
    const char* name;
    std::size_t size, bad_offset, growth;
  } cases[] = {
      {"across pieces", 3 * ReadAhead::kPieceBytes + 5000, SIZE_MAX, 0},
      {"a bad spot in the second piece", 2 * ReadAhead::kPieceBytes, ReadAhead::kPieceBytes + 77, 0},
      {"a file that grows", 10000, SIZE_MAX, 3000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFile file{PatternBytes(c.size)};
    file.bad_offset = c.bad_offset;
    file.grow_after_first = c.growth;
    const auto copied = Outcomes(file, false);
    EXPECT_EQ(Outcomes(file, true), copied);
    EXPECT_GT(copied.size(), 2u);
  }
}

TEST(ReadAhead, AWholeBlockInTheBufferIsHandedOutWithoutACopy) {
  FakeFile file{PatternBytes(3 * 8192)};
  ReadAhead ahead;
  std::vector<std::uint8_t> block(8192);
  auto read = [&](void* to, std::size_t k) { return file.Read(to, k); };
  const ByteSpan first = ahead.ReadSpan(block.data(), 8192, read);
  ASSERT_EQ(first.size, 8192u);
  EXPECT_NE(first.data, block.data());
  EXPECT_TRUE(std::equal(first.data, first.data + 8192, file.bytes.begin()));
}

TEST(FileStream, PositionAndSizeFollowTheReads) {
  const auto path = std::filesystem::temp_directory_path() / "ondrix_read_ahead_test.bin";
  const auto bytes = PatternBytes(20000);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  {
    FileStream stream(path);
    ASSERT_TRUE(stream.IsOpen());
    std::vector<std::uint8_t> block(8192);
    EXPECT_EQ(stream.Size(), 20000);
    EXPECT_EQ(stream.Read(block.data(), 8192), 8192u);
    EXPECT_EQ(stream.Position(), 8192);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), bytes.begin()));
    const ByteSpan second = stream.ReadSpan(block.data(), 8192);
    EXPECT_EQ(second.size, 8192u);
    EXPECT_EQ(stream.Position(), 16384);
    EXPECT_TRUE(std::equal(second.data, second.data + 8192, bytes.begin() + 8192));
    EXPECT_EQ(stream.Read(block.data(), 8192), 3616u);
    EXPECT_EQ(stream.Position(), 20000);
    EXPECT_TRUE(std::equal(block.begin(), block.begin() + 3616, bytes.begin() + 16384));
    EXPECT_EQ(stream.Read(block.data(), 8192), 0u);
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace ondrix::test
