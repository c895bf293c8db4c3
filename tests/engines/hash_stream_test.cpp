// The block-wise stream reader: how many reads a size makes, abort, short
// and failing streams.
#include <gtest/gtest.h>

#include "tests/engines/engine_test_support.h"

namespace ondrix::test {
namespace {

struct StreamRun {
  std::string hex;
  std::int64_t bytes_hashed;
  bool aborted, failed;
};

StreamRun HashThrough(ScriptedStream& stream, std::int64_t size, bool abort_first = false,
                std::string_view key = "md5") {
  auto engine = Info(key).create_engine();
  engine->BeginDigest();
  if (abort_first) engine->AbortRequested = 1;
  engine->HashStream(stream, size);
  std::vector<std::uint8_t> digest(std::size_t(Info(key).digest_bytes));
  engine->EndDigest(digest.data());
  return {Lower(DigestToHex(digest.data(), digest.size())), engine->BytesHashed.load(),
          engine->WasAborted.load() != 0, engine->ReadFailed.load() != 0};
}

TEST(HashStream, ReadCountFollowsTheSize) {
  struct Case {
    std::size_t size;
    std::vector<std::size_t> reads;
  };
  const Case cases[] = {
      {0, {}},
      {100, {100}},
      {8192, {8192}},
      {8193, {8192, 1}},
      {3 * 8192 + 5, {8192, 8192, 8192, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    auto data = PatternBytes(c.size);
    ScriptedStream stream(data);
    StreamRun run = HashThrough(stream, std::int64_t(c.size));
    EXPECT_EQ(stream.read_sizes, c.reads);
    EXPECT_EQ(run.hex, HexOf("md5", data));
    EXPECT_EQ(run.bytes_hashed, std::int64_t(c.size));
    EXPECT_FALSE(run.aborted);
    EXPECT_FALSE(run.failed);
  }
}

TEST(HashStream, AbortBeforeStartReadsNothing) {
  {
    // Full blocks: the flag is seen before the first one.
    ScriptedStream stream(PatternBytes(3 * 8192));
    StreamRun run = HashThrough(stream, 3 * 8192, /*abort_first=*/true);
    EXPECT_EQ(stream.reads, 0);
    EXPECT_TRUE(run.aborted);
    EXPECT_EQ(run.bytes_hashed, 0);
    EXPECT_EQ(run.hex, HexOf("md5", {}));
  }
  {
    // Only a tail: skipped, but WasAborted is reserved for the block loop.
    ScriptedStream stream(PatternBytes(100));
    StreamRun run = HashThrough(stream, 100, /*abort_first=*/true);
    EXPECT_EQ(stream.reads, 0);
    EXPECT_FALSE(run.aborted);
  }
}

TEST(HashStream, ShortStreamHashesOnlyWhatArrived) {
  // The file lost 100 bytes after its size was taken.
  auto data = PatternBytes(2 * 8192 + 300);
  ScriptedStream stream(data);
  StreamRun run = HashThrough(stream, std::int64_t(data.size()) + 100);
  EXPECT_EQ(run.hex, HexOf("md5", data));
  EXPECT_EQ(run.bytes_hashed, std::int64_t(data.size()));
  EXPECT_FALSE(run.failed);
}

TEST(HashStream, BytesBeyondTheSizeAreNeverRead) {
  // A file that grows while it is read: only the recorded size counts.
  auto data = PatternBytes(8192 + 10);
  ScriptedStream stream(data);
  stream.grow_by = 5000;
  stream.grow_times = 2;
  StreamRun run = HashThrough(stream, std::int64_t(data.size()));
  EXPECT_EQ(run.hex, HexOf("md5", data));
  EXPECT_EQ(stream.read_sizes, (std::vector<std::size_t>{8192, 10}));
}

TEST(HashStream, FailedReadStopsFeedingAndIsReported) {
  auto data = PatternBytes(4 * 8192 + 7);
  ScriptedStream stream(data);
  stream.fail_on_read = 2;
  auto engine = Info("sha256").create_engine();
  engine->BeginDigest();
  engine->HashStream(stream, std::int64_t(data.size()));
  EXPECT_EQ(engine->ReadFailed.load(), 1);
  EXPECT_EQ(engine->ReadError, "The device is not ready.");
  // Only the block before the failure was fed and counted, and the stream
  // was not asked again after it failed.
  EXPECT_EQ(engine->BytesHashed.load(), 8192);
  EXPECT_EQ(stream.reads, 2);
  std::vector<std::uint8_t> digest(32);
  engine->EndDigest(digest.data());
  EXPECT_EQ(Lower(DigestToHex(digest.data(), 32)),
            HexOf("sha256", std::vector<std::uint8_t>(data.begin(), data.begin() + 8192)));
  EXPECT_EQ(engine->WasAborted.load(), 0);
}

}  // namespace
}  // namespace ondrix::test
