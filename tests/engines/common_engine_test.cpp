// Properties every digest engine must have, run over the whole catalogue:
// split feeding, the padding boundaries, the life cycle, the self-check.
#include <gtest/gtest.h>

#include <random>

#include "tests/engines/engine_test_support.h"

namespace ondrix::test {
namespace {

std::vector<const ChecksumTypeInfo*> DigestTypes() {
  std::vector<const ChecksumTypeInfo*> out;
  for (const auto& row : ChecksumTypes())
    if (!row.IsCrc()) out.push_back(&row);
  return out;
}

TEST_P(EveryPath, SplitFeedingGivesTheOneShotDigest) {
  // Every length up to three 128-byte blocks crosses each engine's buffer
  // edges; random splits, zero-length updates and unaligned sources must all
  // agree with a single call, and that with the portable engine.
  std::mt19937 rng(12345);
  const std::vector<std::uint8_t> backing = PatternBytes(3 * 128 + 8);
  for (const ChecksumTypeInfo* info : DigestTypes()) {
    SCOPED_TRACE(std::string(info->key));
    for (std::size_t len = 0; len <= 3 * 128; ++len) {
      // Offsets 1 to 7: the source is not aligned to a word.
      const std::uint8_t* data = backing.data() + 1 + len % 7;
      const std::string one_shot = HexOf(info->key, data, len);
      ASSERT_EQ(one_shot, PortableHexOf(info->key, data, len)) << "length " << len;
      std::vector<std::size_t> pieces;
      for (std::size_t left = len; left > 0;) {
        std::size_t n = std::uniform_int_distribution<std::size_t>(0, std::min<std::size_t>(left, 150))(rng);
        pieces.push_back(n);  // n may be 0: an empty update changes nothing
        left -= n;
      }
      ASSERT_EQ(HexOf(info->key, data, len, pieces), one_shot) << "length " << len;
    }
  }
}

TEST_P(EveryPath, LongRunsInReadSizedPiecesMatchThePortableEngine) {
  // Long runs of whole blocks in one call, as the file reader feeds them,
  // from an odd address, with a short last piece.
  const std::vector<std::uint8_t> backing = PatternBytes(5 * 8192 + 1000);
  const std::uint8_t* data = backing.data() + 3;
  const std::size_t size = backing.size() - 3;
  const std::vector<std::size_t> pieces = {8192, 8192, 8192, 8192, 8192};
  for (const auto& row : ChecksumTypes()) {
    SCOPED_TRACE(std::string(row.key));
    EXPECT_EQ(HexOf(row.key, data, size, pieces), PortableHexOf(row.key, data, size));
  }
}

TEST(AllEngines, LifeCycleRules) {
  for (const ChecksumTypeInfo* info : DigestTypes()) {
    SCOPED_TRACE(std::string(info->key));
    auto engine = info->create_engine();
    std::vector<std::uint8_t> digest(std::size_t(info->digest_bytes) + 1, 0xEE);
    std::uint8_t byte = 'a';
    // Fed or finished before BeginDigest.
    EXPECT_THROW(engine->AddData(&byte, 1), EDigest);
    EXPECT_THROW(engine->EndDigest(digest.data()), EDigest);
    try {
      engine->AddData(&byte, 1);
    } catch (const EDigest& e) {
      EXPECT_STREQ(e.what(), "Hash not initialized");
    }
    engine->BeginDigest();
    EXPECT_EQ(engine->HashReady, 1);
    engine->AddText("abc");
    engine->EndDigest(digest.data());
    EXPECT_EQ(engine->HashReady, 0);
    // Exactly HashSize/8 bytes are written.
    EXPECT_EQ(digest.back(), 0xEE);
    // A second EndDigest without a new BeginDigest raises.
    EXPECT_THROW(engine->EndDigest(digest.data()), EDigest);
    // BeginDigest starts afresh, whatever was fed before.
    engine->BeginDigest();
    engine->AddText("garbage that must be forgotten");
    engine->BeginDigest();
    engine->AddText("abc");
    std::vector<std::uint8_t> again(std::size_t(info->digest_bytes));
    engine->EndDigest(again.data());
    EXPECT_TRUE(std::equal(again.begin(), again.end(), digest.begin()));
  }
}

TEST(AllEngines, SelfChecksPass) {
  for (const ChecksumTypeInfo* info : DigestTypes()) {
    SCOPED_TRACE(std::string(info->key));
    EXPECT_TRUE(info->create_engine()->RunSelfCheck());
  }
}

TEST(DigestToHex, TwoUpperCaseDigitsPerByteInOrder) {
  const std::uint8_t bytes[] = {0x0A, 0xFF, 0x00, 0x9B};
  EXPECT_EQ(DigestToHex(bytes, 4), "0AFF009B");
  EXPECT_EQ(DigestToHex(bytes, 0), "");
  std::uint8_t twenty[20] = {};
  EXPECT_EQ(DigestToHex(twenty, 20).size(), 40u);
}

}  // namespace
}  // namespace ondrix::test
